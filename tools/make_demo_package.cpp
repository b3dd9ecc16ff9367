// Writes a demonstration texture package: about twenty procedural textures in
// every pixel format a UE2 package can number, the older ones among them, in
// several groups and at the top level. The output is the same on every run.
// Usage: make-demo-package OUTPUT.utx
#include "tools/DemoTextures.h"
#include "tools/DxtEncoder.h"
#include "tools/PixelEncoding.h"
#include "tools/ToolUsage.h"

#include "tools/package-builder/PackageBuilder.h"

#include <bit>
#include <cstdint>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace swatchbox;
using namespace swatchbox::demo;
using swatchbox::testing::TPackageBuilder;
using swatchbox::testing::TPropertyWriter;
using swatchbox::testing::TTextureDesc;

// The engine's usual companions of USize and VSize, so the file looks like
// one an editor saved.
void SizeProperties(TPropertyWriter& Writer, int Width, int Height) {
    Writer.Byte("UBits", static_cast<uint8_t>(std::bit_width(unsigned(Width)) - 1))
        .Byte("VBits", static_cast<uint8_t>(std::bit_width(unsigned(Height)) - 1))
        .Int("UClamp", Width)
        .Int("VClamp", Height);
}

class TDemoPackage {
public:
    TDemoPackage() : Package(128, 29) {}

    void Paletted(const std::string& Group, const std::string& Name, const TIndexedImage& Image,
                  bool Masked = false) {
        const int32_t Outer = Group.empty() ? 0 : Package.FindOrAddGroup(Group);
        TTextureDesc Desc = Base(Group, Name, pfP8, Image.Width, Image.Height);
        Desc.Palette = Package.AddPalette(Name + "Pal", EncodePalette(Image.Palette), Outer);
        if (Masked)
            Desc.Masked = true;
        Desc.Pixels = Image.Indices;
        Package.AddTexture(Desc);
    }

    void Pixels(const std::string& Group, const std::string& Name, uint8_t Format, int Width,
                int Height, std::vector<uint8_t> Bytes, bool Alpha = false) {
        TTextureDesc Desc = Base(Group, Name, Format, Width, Height);
        if (Alpha)
            Desc.AlphaTexture = true;
        Desc.Pixels = std::move(Bytes);
        Package.AddTexture(Desc);
    }

    void Write(const std::string& FileName) const { Package.WriteTo(FileName); }

private:
    static TTextureDesc Base(const std::string& Group, const std::string& Name, uint8_t Format,
                             int Width, int Height) {
        TTextureDesc Desc;
        Desc.Name = Name;
        Desc.Group = Group;
        Desc.Format = Format;
        Desc.Width = Width;
        Desc.Height = Height;
        Desc.AfterProperties = [Width, Height](TPropertyWriter& Writer) {
            SizeProperties(Writer, Width, Height);
        };
        return Desc;
    }

    TPackageBuilder Package;
};

void Fill(TDemoPackage& Demo) {
    Demo.Paletted("Walls", "RedBricks", PaintBricks());
    Demo.Pixels("Walls", "CeramicTiles", pfDXT1, 256, 256, EncodeDxt1(PaintTiles()));
    Demo.Pixels("Walls", "WoodPlanks", pfDXT1, 128, 64, EncodeDxt1(PaintWoodPlanks()));
    Demo.Pixels("Walls", "RivetedMetal", pfDXT1, 128, 128, EncodeDxt1(PaintMetalPlate()));

    Demo.Pixels("Sky", "DayClouds", pfRGBA8, 256, 128, EncodeRGBA8(PaintSkyClouds()));
    Demo.Paletted("Sky", "NightStars", PaintNightSky());

    Demo.Pixels("Glass", "BlueGlass", pfDXT5, 128, 128, EncodeDxt5(PaintBlueGlass()), true);
    Demo.Pixels("Glass", "WindowPane", pfDXT3, 128, 128, EncodeDxt3(PaintWindowPane()), true);
    Demo.Pixels("Glass", "Bubbles", pfRGBA8, 64, 64, EncodeRGBA8(PaintBubbles()), true);

    Demo.Paletted("Fonts", "SmallFont", PaintFontSheet(), true);

    Demo.Pixels("Terrain", "HeightMap", pfG16, 256, 256, EncodeG16(PaintHeightMap(256, 256)));
    Demo.Pixels("Terrain", "Grass", pfDXT1, 128, 128, EncodeDxt1(PaintGrass()));
    Demo.Pixels("Terrain", "BlendMask", pfL8, 128, 128, EncodeL8(PaintHeightMap(128, 128)));
    Demo.Paletted("Terrain", "Sand", PaintSand());
    Demo.Paletted("Terrain", "Lava", PaintLava());

    Demo.Paletted("", "Checker", PaintChecker());
    Demo.Pixels("", "ColourNoise", pfRGBA8, 128, 64, EncodeRGBA8(PaintNoise()));
    Demo.Pixels("", "Marble", pfDXT1, 64, 64, EncodeDxt1(PaintMarble()));
    Demo.Pixels("", "ColourWheel", pfDXT5, 64, 64, EncodeDxt5(PaintRainbow()), true);
    Demo.Paletted("", "OnePixel", PaintSinglePixel());
    Demo.Paletted("", "FourPixels", PaintFourPixels());

    // Formats of older engines: RGB16 and RGB8 are shown, RGBA7 (made at run
    // time by the engines) only listed.
    Demo.Pixels("Legacy", "OldRGBA7", pfRGBA7, 32, 32, EncodeRGBA7(PaintGradient(32, 32, 161)));
    Demo.Pixels("Legacy", "OldRGB16", pfRGB16, 32, 32, EncodeRGB16(PaintGradient(32, 32, 162)));
    Demo.Pixels("Legacy", "OldRGB8", pfRGB8, 32, 32, EncodeRGB8(PaintGradient(32, 32, 163)));
}

} // namespace

int main(int argc, char** argv) {
    const char* const Usage = "usage: make-demo-package OUTPUT.utx\n"
                              "Writes the demonstration package: procedural textures in every\n"
                              "pixel format, the same bytes on every run.\n";
    if (const auto Status = swatchbox::tools::AnswerOptions(argc, argv, Usage))
        return *Status;
    if (argc != 2) {
        std::cerr << Usage;
        return 2;
    }
    try {
        TDemoPackage Demo;
        Fill(Demo);
        Demo.Write(argv[1]);
    } catch (const std::exception& Error) {
        std::cerr << "make-demo-package: " << Error.what() << "\n";
        return 1;
    }
    return 0;
}
