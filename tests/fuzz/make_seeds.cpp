// Writes small, varied packages into a folder as a starting corpus for the
// package fuzzer: every package version family, every pixel format, palettes,
// groups, state frames, textures without mip maps and the tag kinds a
// texture's properties may hold.
// Usage: make_seeds FOLDER
#include "tools/package-builder/PackageBuilder.h"
#include "tools/ToolUsage.h"

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace swatchbox;
using namespace swatchbox::testing;

struct TSeed {
    std::string Name;
    int16_t Version;
    uint16_t Licensee;
    std::function<void(TPackageBuilder&)> Fill;
};

TTextureDesc Texture(std::string Name, uint8_t Format, int32_t Width, int32_t Height,
                     std::string Group = {}) {
    return {.Name = std::move(Name),
            .Group = std::move(Group),
            .Format = Format,
            .Width = Width,
            .Height = Height};
}

// A P8 texture with its own palette, in its group when it has one.
TTextureDesc Paletted(TPackageBuilder& Package, std::string Name, int32_t Width, int32_t Height,
                      std::string Group = {}) {
    TTextureDesc Desc = Texture(Name, pfP8, Width, Height, Group);
    const int32_t Outer = Group.empty() ? 0 : Package.FindOrAddGroup(Group);
    Desc.Palette = Package.AddPalette(Name + "Pal", DefaultPaletteColours(), Outer);
    return Desc;
}

void AddAll(TPackageBuilder& Package, std::vector<TTextureDesc> Textures) {
    for (const TTextureDesc& Desc : Textures)
        Package.AddTexture(Desc);
}

// Every format value, the ones without a name included.
void AllFormats(TPackageBuilder& Package) {
    for (uint8_t Format = 0; Format <= 11; ++Format) {
        const std::string Name = "Format" + std::to_string(Format);
        Package.AddTexture(Format == pfP8 ? Paletted(Package, Name, 8, 8, "Formats")
                                          : Texture(Name, Format, 8, 8, "Formats"));
    }
}

void TaggedProperties(TPackageBuilder& Package) {
    TTextureDesc Desc = Paletted(Package, "Tagged", 8, 8, "Tags");
    Desc.Masked = Desc.AlphaTexture = true;
    Desc.BeforeProperties = [](TPropertyWriter& Writer) {
        const std::array<uint8_t, 4> Colour{10, 20, 30, 255};
        Writer.Struct("MipZero", "Color", Colour).Float("Diffuse", 0.5f).NameValue("Kind", "Stone");
    };
    Desc.AfterProperties = [](TPropertyWriter& Writer) {
        const std::array<uint8_t, 9> Items{2, 1, 0, 0, 0, 2, 0, 0, 0};
        Writer.Array("Frames", 2, Items).Int("Scale", 3, {.ArrayIndex = 1});
        Writer.Tag("Offset", TTagType::Vector, std::array<uint8_t, 12>{});
    };
    Package.AddTexture(Desc);
}

void StateFrame(TPackageBuilder& Package) {
    for (TTextureDesc Desc :
         {Paletted(Package, "Framed", 8, 8), Texture("FramedDXT", pfDXT5, 8, 8)}) {
        Desc.Flags |= HasStateFrameFlag;
        Package.AddTexture(Desc);
    }
}

void MipChain(TPackageBuilder& Package, uint8_t Format) {
    TTextureDesc Desc = Texture("Mipped", Format, 16, 16, "Mips");
    for (int32_t Size = 8; Size >= 1; Size /= 2)
        Desc.MoreMips.push_back(PatternBytes(StoredMipSize(Format, Size, Size), Size));
    Package.AddTexture(Desc);
}

void SpelledClasses(TPackageBuilder& Package) {
    TTextureDesc Upper = Texture("Upper", pfDXT1, 4, 4), Lower = Texture("Lower", pfRGBA8, 4, 4),
                 Other = Texture("Shiny", pfDXT5, 4, 4);
    Upper.ClassName = "TEXTURE";
    Lower.ClassName = "texture";
    Lower.Terminator = "NONE";
    Other.ClassName = "Shader";
    AddAll(Package, {Upper, Lower, Other});
}

void Compressed(TPackageBuilder& Package) {
    AddAll(Package,
           {Texture("D1", pfDXT1, 8, 8, "Dxt"), Texture("D3", pfDXT3, 8, 8, "Dxt"),
            Texture("D5", pfDXT5, 8, 8, "Dxt"), Paletted(Package, "Flag", 16, 16, "Flags")});
}

// Textures stored without mip maps, as packages stripped for dedicated
// servers hold them, before an ordinary one.
void Stripped(TPackageBuilder& Package) {
    for (const uint8_t Format : {pfP8, pfDXT1, pfRGBA8, pfDXT5, pfG16, pfDXT3}) {
        const std::string Name = "Bare" + std::to_string(Format);
        TTextureDesc Desc = Format == pfP8 ? Paletted(Package, Name, 16, 16, "Bare")
                                           : Texture(Name, Format, 16, 16, "Bare");
        Desc.Stripped = true;
        Package.AddTexture(Desc);
    }
    Package.AddTexture(Texture("Kept", pfDXT1, 8, 8, "Kept"));
}

const std::vector<TSeed>& Seeds() {
    using P = TPackageBuilder&;
    static const std::vector<TSeed> List{
        {"v61_paletted", 61, 0,
         [](P Package) { Package.AddTexture(Paletted(Package, "Old", 8, 8)); }},
        {"v62_rgba8", 62, 0, [](P Package) { Package.AddTexture(Texture("T", pfRGBA8, 8, 4)); }},
        {"v63_mips", 63, 0, [](P Package) { MipChain(Package, pfP8); }},
        {"v64_groups", 64, 0,
         [](P Package) {
             AddAll(Package,
                    {Paletted(Package, "Floor", 16, 16, "Floors"),
                     Texture("Wall", pfDXT1, 16, 8, "Walls"), Texture("Sky", pfRGBA8, 4, 4)});
         }},
        {"v65_dxt", 65, 0, Compressed},
        {"v66_state_frame", 66, 0, StateFrame},
        {"v67_tags", 67, 0, TaggedProperties},
        {"v68_formats", 68, 0, AllFormats},
        {"v69_odd_sizes", 69, 0,
         [](P Package) {
             AddAll(Package, {Texture("One", pfDXT1, 1, 1), Texture("Uneven", pfDXT3, 3, 5),
                              Texture("Wide", pfG16, 32, 1), Texture("Empty", pfRGBA8, 0, 0)});
         }},
        {"v69_class_spelling", 69, 0, SpelledClasses},
        {"v69_foreign_palette", 69, 0,
         [](P Package) {
             TTextureDesc Desc = Texture("Imported", pfP8, 8, 8);
             Desc.Palette = Package.AddImport("Engine", "Palette", 0, "SharedPal");
             AddAll(Package, {Desc, Paletted(Package, "Local", 4, 4, "Pals")});
         }},
        {"v69_stripped", 69, 0, Stripped},
        {"v100_mips", 100, 0, [](P Package) { MipChain(Package, pfDXT1); }},
        {"v110_byte", 110, 0,
         [](P Package) {
             TTextureDesc Desc = Texture("Odd", pfDXT5, 8, 8);
             Desc.Version110Byte = 7;
             AddAll(Package, {Desc, Paletted(Package, "OddPal", 4, 4)});
         }},
        {"v120_uncompressed", 120, 0,
         [](P Package) {
             AddAll(Package, {Texture("Seven", pfRGBA7, 8, 8), Texture("Sixteen", pfRGB16, 8, 8),
                              Texture("Eight", pfRGB8, 8, 8), Texture("Grey", pfG16, 8, 8)});
         }},
        {"v128_formats", 128, 29, AllFormats},
        {"v128_tags", 128, 0, TaggedProperties},
        {"v128_stripped", 128, 29, Stripped},
    };
    return List;
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
    try {
        const std::filesystem::path Folder = argv[1];
        std::filesystem::create_directories(Folder);
        for (const TSeed& Seed : Seeds()) {
            TPackageBuilder Package(Seed.Version, Seed.Licensee);
            Seed.Fill(Package);
            Package.WriteTo(Folder / ("seed_" + Seed.Name + ".utx"));
        }
    } catch (const std::exception& Error) {
        std::cerr << "make_seeds: " << Error.what() << "\n";
        return 1;
    }
    return 0;
}
