// Writes a large texture package for timing the command-line tool: 2,048
// textures in 16 groups, 256 MB of first mip maps in every handled format.
// Usage: make-bench-package OUTPUT.utx [--mips] [--small]
//   --mips   also write each texture's smaller mip maps, as saved packages do
//   --small  one group of 16 textures (2 MB), the size of a common package
#include "tools/ToolUsage.h"
#include "tools/package-builder/PackageBuilder.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using namespace swatchbox;
using namespace swatchbox::testing;

struct TKind {
    uint8_t Format;
    int32_t Width;
    int32_t Height;
};

// Eight kinds whose first mip maps add up to 1 MB, so 2,048 textures give 256 MB.
constexpr TKind Kinds[] = {
    {pfP8, 256, 256},    // 64 KB
    {pfDXT1, 512, 512},  // 128 KB
    {pfDXT5, 256, 256},  // 64 KB
    {pfRGBA8, 256, 128}, // 128 KB
    {pfG16, 256, 256},   // 128 KB
    {pfDXT3, 256, 512},  // 128 KB
    {pfRGBA8, 256, 256}, // 256 KB
    {pfDXT1, 512, 512},  // 128 KB
};
void Fill(TPackageBuilder& Package, bool Mips, bool Small) {
    const int GroupCount = Small ? 1 : 16;
    const int TexturesPerGroup = Small ? 16 : 128;
    uint32_t Seed = 0;
    for (int Group = 0; Group < GroupCount; ++Group) {
        const std::string GroupName = "Group" + std::to_string(Group);
        const int32_t Outer = Package.FindOrAddGroup(GroupName);
        const int32_t Palette =
            Package.AddPalette(GroupName + "Pal", DefaultPaletteColours(), Outer);
        for (int Index = 0; Index < TexturesPerGroup; ++Index) {
            const TKind& Kind = Kinds[Index % std::size(Kinds)];
            TTextureDesc Desc;
            Desc.Name = GroupName + "_Tex" + std::to_string(Index);
            Desc.Group = GroupName;
            Desc.Format = Kind.Format;
            Desc.Width = Kind.Width;
            Desc.Height = Kind.Height;
            if (Kind.Format == pfP8)
                Desc.Palette = Palette;
            Desc.Pixels = PatternBytes(StoredMipSize(Kind.Format, Kind.Width, Kind.Height), ++Seed);
            for (int32_t W = Kind.Width / 2, H = Kind.Height / 2; Mips && (W > 0 || H > 0);
                 W /= 2, H /= 2)
                Desc.MoreMips.push_back(
                    PatternBytes(StoredMipSize(Kind.Format, std::max(W, 1), std::max(H, 1)), Seed));
            Package.AddTexture(Desc);
        }
    }
}

const char* const Usage = "usage: make-bench-package OUTPUT.utx [--mips] [--small]\n"
                          "Writes a 256 MB package of 2,048 textures for bench/run-bench;\n"
                          "--mips also writes each texture's smaller mip maps, --small only\n"
                          "16 textures (2 MB).\n";

} // namespace

int main(int argc, char** argv) {
    if (const auto Status =
            swatchbox::tools::AnswerOptions(argc, argv, Usage, {"--mips", "--small"}))
        return *Status;
    bool Mips = false, Small = false;
    for (int Index = 2; Index < argc; ++Index) {
        Mips = Mips || std::string_view(argv[Index]) == "--mips";
        Small = Small || std::string_view(argv[Index]) == "--small";
    }
    if (argc < 2 || argc > 4 || argv[1][0] == '-') {
        std::cerr << Usage;
        return 2;
    }
    try {
        TPackageBuilder Package(128, 29);
        Fill(Package, Mips, Small);
        Package.WriteTo(argv[1]);
    } catch (const std::exception& Error) {
        std::cerr << "make-bench-package: " << Error.what() << "\n";
        return 1;
    }
    return 0;
}
