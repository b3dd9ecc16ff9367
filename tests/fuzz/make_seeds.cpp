// Writes small, varied packages into a folder as a starting corpus for the
// package fuzzer: every pixel format at plain and odd sizes, the tag kinds a
// texture's properties may hold, state frames, class spellings, palettes of
// the package's own and imported ones, mip-map chains and textures without
// mip maps, each in every package version family and licensee build, and
// each build's formats also compressed (.uz2) and wrapped (Lineage II).
// Usage: make_seeds FOLDER
#include "tools/ToolUsage.h"
#include "tools/package-builder/LineageWrapper.h"
#include "tools/package-builder/PackageBuilder.h"
#include "tools/package-builder/Uz2Writer.h"

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace swatchbox;
using namespace swatchbox::testing;

TTextureDesc Texture(std::string Name, uint8_t Format, int32_t Width = 8, int32_t Height = 8,
                     std::string Group = {}) {
    return {.Name = std::move(Name),
            .Group = std::move(Group),
            .Format = Format,
            .Width = Width,
            .Height = Height,
            .Version110Byte = 7};
}

// Adds the texture; a P8 one without a palette gets one of its own.
void Add(TPackageBuilder& Package, TTextureDesc Desc) {
    if (Desc.Format == pfP8 && !Desc.Palette)
        Desc.Palette = Package.AddPalette(Desc.Name + "Pal");
    Package.AddTexture(Desc);
}

// Every layout the reader knows, under the number the package's engine build
// gives it (or its own number where the build has none), a number no build
// names, and odd sizes.
void Formats(TPackageBuilder& Package) {
    for (int Layout = 0; Layout <= pfBC6HS; ++Layout)
        if (Layout == 6 || GetFormatName(static_cast<TPixelFormat>(Layout)) != "(unknown)")
            Add(Package, Texture("Format" + std::to_string(Layout), static_cast<uint8_t>(Layout), 8,
                                 8, "Formats"));
    for (const auto& [Format, Width, Height] :
         {std::tuple{pfDXT1, 1, 1}, {pfDXT3, 3, 5}, {pfG16, 32, 1}, {pfRGBA8, 0, 0}})
        Add(Package, Texture("Odd", Format, Width, Height));
}

// Tags of every kind, state frames, the class name spelt in other ways, and
// a palette from another package.
void Tags(TPackageBuilder& Package) {
    TTextureDesc Tagged = Texture("Tagged", pfP8), Upper = Texture("Upper", pfDXT5),
                 Lower = Texture("Lower", pfRGBA8), Other = Texture("Shiny", pfDXT1),
                 Imported = Texture("Imported", pfP8);
    Tagged.Masked = Tagged.AlphaTexture = true;
    Tagged.BeforeProperties = [](TPropertyWriter& Writer) {
        const std::array<uint8_t, 4> Colour{10, 20, 30, 255};
        Writer.Struct("MipZero", "Color", Colour).Float("Diffuse", 0.5f).NameValue("Kind", "Stone");
    };
    Tagged.AfterProperties = [](TPropertyWriter& Writer) {
        const std::array<uint8_t, 9> Items{2, 1, 0, 0, 0, 2, 0, 0, 0};
        Writer.Array("Frames", 2, Items).Int("Scale", 3, {.ArrayIndex = 1});
        Writer.Tag("Offset", TTagType::Vector, std::array<uint8_t, 12>{});
    };
    Tagged.Flags |= HasStateFrameFlag;
    Upper.Flags |= HasStateFrameFlag;
    Upper.ClassName = "TEXTURE";
    Lower.ClassName = "texture";
    Lower.Terminator = "NONE";
    Other.ClassName = "Shader";
    Imported.Palette = Package.AddImport("Engine", "Palette", 0, "SharedPal");
    for (const TTextureDesc& Desc : {Tagged, Upper, Lower, Other, Imported})
        Add(Package, Desc);
}

// Mip-map chains, then textures stored without mip maps, as packages
// stripped for dedicated servers hold them, before an ordinary one.
void Mips(TPackageBuilder& Package) {
    for (const uint8_t Format : {pfP8, pfDXT1}) {
        TTextureDesc Desc = Texture("Mipped", Format, 16, 16);
        for (int32_t Size = 8; Size >= 1; Size /= 2)
            Desc.MoreMips.push_back(PatternBytes(StoredMipSize(Format, Size, Size), Size));
        Add(Package, Desc);
    }
    // A second, compressed picture after the first array (read below version 84).
    TTextureDesc Both = Texture("Both", pfP8, 16, 16);
    Both.MoreMips.push_back(PatternBytes(64));
    Both.Comp = TCompDesc{.Format = pfDXT5, .Width = 32, .Height = 32, .MoreMips = {TBytes(256)}};
    Add(Package, Both);
    for (const uint8_t Format : {pfP8, pfDXT1, pfRGBA8, pfDXT5, pfG16, pfDXT3}) {
        TTextureDesc Desc = Texture("Bare" + std::to_string(Format), Format, 16, 16);
        Desc.Stripped = true;
        Add(Package, Desc);
    }
    Add(Package, Texture("Kept", pfDXT1));
}

// Each layout family of package versions, and the licensee builds with
// layouts of their own: UE2's, Killing Floor's under its tag, SWAT 4's and
// an earlier Vengeance build's.
struct TBuild {
    int16_t Version;
    uint16_t Licensee = 0;
    uint32_t Signature = PackageSignature;

    std::string Name() const {
        return "v" + std::to_string(Version) + "_" + std::to_string(Licensee) +
               (Signature == KillingFloorSignature ? "_kf" : "");
    }
};
std::vector<TBuild> Builds() {
    std::vector<TBuild> Result;
    for (const int Version : {61, 62, 63, 64, 67, 68, 69, 100, 110, 111, 120})
        Result.push_back({static_cast<int16_t>(Version)});
    Result.insert(Result.end(),
                  {{128, 29}, {128, 29, KillingFloorSignature}, {129, 27}, {129, 25}});
    return Result;
}

} // namespace

int main(int argc, char** argv) {
    const char* const Usage = "usage: make_seeds FOLDER\n"
                              "Writes the package fuzzer's starting corpus into FOLDER.\n";
    if (const auto Status = swatchbox::tools::AnswerOptions(argc, argv, Usage))
        return *Status;
    if (argc != 2) {
        std::cerr << Usage;
        return 2;
    }
    const std::pair<const char*, void (*)(TPackageBuilder&)> Kinds[] = {
        {"formats", Formats}, {"tags", Tags}, {"mips", Mips}};
    try {
        const std::filesystem::path Folder = argv[1];
        std::filesystem::create_directories(Folder);
        for (const TBuild& Build : Builds())
            for (const auto& [Name, Fill] : Kinds) {
                TPackageBuilder Package(Build.Version, Build.Licensee);
                Package.Signature = Build.Signature;
                Fill(Package);
                const TBytes Bytes = Package.Build().Bytes;
                const std::string Stem = "seed_" + Build.Name() + "_" + Name;
                WriteFileBytes(Folder / (Stem + ".utx"), Bytes);
                // The wrapped and compressed forms, once for each build's formats.
                if (Name == std::string_view("formats")) {
                    WriteFileBytes(Folder / (Stem + ".uz2"), CompressUz2(Bytes));
                    WriteFileBytes(Folder / (Stem + "_l2.utx"), WrapLineage(Bytes, "121", 0xAC));
                }
            }
    } catch (const std::exception& Error) {
        std::cerr << "make_seeds: " << Error.what() << "\n";
        return 1;
    }
    return 0;
}
