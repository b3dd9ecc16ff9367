// Writes small, varied packages into a folder as a starting corpus for the
// package fuzzer: every pixel format at plain and odd sizes, the tag kinds a
// texture's properties may hold, state frames, class spellings, palettes of
// the package's own and imported ones, mip-map chains and textures without
// mip maps, each in every package version family.
// Usage: make_seeds FOLDER
#include "tools/ToolUsage.h"
#include "tools/package-builder/PackageBuilder.h"

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <tuple>
#include <utility>

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

// Every format value, the ones without a name included, and odd sizes.
void Formats(TPackageBuilder& Package) {
    for (uint8_t Format = 0; Format <= 11; ++Format)
        Add(Package, Texture("Format" + std::to_string(Format), Format, 8, 8, "Formats"));
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
        for (const int16_t Version : {61, 62, 63, 64, 67, 68, 69, 100, 110, 111, 120, 128})
            for (const auto& [Name, Fill] : Kinds) {
                TPackageBuilder Package(Version, Version >= 128 ? 29 : 0);
                Fill(Package);
                Package.WriteTo(Folder /
                                ("seed_v" + std::to_string(Version) + "_" + Name + ".utx"));
            }
    } catch (const std::exception& Error) {
        std::cerr << "make_seeds: " << Error.what() << "\n";
        return 1;
    }
    return 0;
}
