// Writes the demonstration packages into a folder: Demo.utx, about twenty
// procedural textures in the pixel formats a UE2 package numbers, in several
// groups and at the top level; DemoUnreal.utx, an Unreal 1 package with the
// block formats that community patches number (BC4, BC5, BC7); and
// DemoVengeance.utx, normal maps in the formats SWAT 4's engine numbers
// (CxV8U8, DXT5N, 3Dc). The output is the same on every run.
// Usage: make-demo-package FOLDER
#include "tools/DemoTextures.h"
#include "tools/DxtEncoder.h"
#include "tools/PixelEncoding.h"
#include "tools/ToolUsage.h"

#include "tools/package-builder/PackageBuilder.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
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
    TDemoPackage(int16_t Version, uint16_t Licensee) : Package(Version, Licensee) {}

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

// Grey levels as a picture's red channel, which the BC4 encoder reads.
TImage GreyPicture(const std::vector<float>& Levels, int Width, int Height) {
    TImage Image(Width, Height);
    for (std::size_t Index = 0; Index < Levels.size(); ++Index) {
        const auto Level = static_cast<uint8_t>(std::lround(Levels[Index] * 255.0f));
        Image.Pixels[Index] = {Level, Level, Level, 255};
    }
    return Image;
}

// DXT5N keeps a normal's X in alpha and Y in green.
TImage SwizzleForDxt5N(TImage Normals) {
    for (TColour& C : Normals.Pixels)
        C = {255, C.G, 0, C.R};
    return Normals;
}

void FillUE2(TDemoPackage& Demo) {
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

    // Formats of older engines. RGBA7, which engines only make at run time,
    // is left out: it would be listed and drawn blank.
    Demo.Pixels("Legacy", "OldRGB16", pfRGB16, 32, 32, EncodeRGB16(PaintGradient(32, 32, 162)));
    Demo.Pixels("Legacy", "OldRGB8", pfRGB8, 32, 32, EncodeRGB8(PaintGradient(32, 32, 163)));
}

void FillUnreal(TDemoPackage& Demo) {
    Demo.Pixels("Masks", "CloudMask", pfBC4, 128, 128,
                EncodeBc4(GreyPicture(PaintHeightMap(128, 128), 128, 128)));
    Demo.Pixels("Normals", "BrickNormals", pfBC5, 128, 128, EncodeBc5(PaintBrickNormals(128, 128)));
    Demo.Pixels("Colour", "CeramicTiles", pfBC7, 256, 256, EncodeBc7(PaintTiles()));
    Demo.Pixels("Colour", "ColourWheel", pfBC7, 64, 64, EncodeBc7(PaintRainbow()), true);
}

void FillVengeance(TDemoPackage& Demo) {
    const TImage Normals = PaintBrickNormals(128, 128);
    Demo.Pixels("Normals", "BricksCxV8U8", pfCxV8U8, 128, 128, EncodeCxV8U8(Normals));
    Demo.Pixels("Normals", "BricksDXT5N", pfDXT5N, 128, 128, EncodeDxt5(SwizzleForDxt5N(Normals)));
    Demo.Pixels("Normals", "Bricks3Dc", pfBC5, 128, 128, EncodeBc5(Normals));
}

struct TDemoFile {
    const char* Name;
    int16_t Version;
    uint16_t Licensee;
    void (*Fill)(TDemoPackage&);
};

// UT2004's build, an Unreal 1 build and SWAT 4's.
constexpr TDemoFile DemoFiles[] = {
    {"Demo.utx", 128, 29, FillUE2},
    {"DemoUnreal.utx", 69, 0, FillUnreal},
    {"DemoVengeance.utx", 129, 27, FillVengeance},
};

} // namespace

int main(int argc, char** argv) {
    const char* const Usage = "usage: make-demo-package FOLDER\n"
                              "Writes the demonstration packages Demo.utx, DemoUnreal.utx and\n"
                              "DemoVengeance.utx into FOLDER: procedural textures in every pixel\n"
                              "format, the same bytes on every run.\n";
    if (const auto Status = swatchbox::tools::AnswerOptions(argc, argv, Usage))
        return *Status;
    if (argc != 2) {
        std::cerr << Usage;
        return 2;
    }
    try {
        const std::filesystem::path Folder = argv[1];
        std::filesystem::create_directories(Folder);
        for (const TDemoFile& File : DemoFiles) {
            TDemoPackage Demo(File.Version, File.Licensee);
            File.Fill(Demo);
            Demo.Write((Folder / File.Name).string());
        }
    } catch (const std::exception& Error) {
        std::cerr << "make-demo-package: " << Error.what() << "\n";
        return 1;
    }
    return 0;
}
