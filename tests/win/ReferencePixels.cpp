#include "tests/win/ReferencePixels.h"

#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace swatchbox::testing {

namespace {

uint32_t Read16(const TBytes& Bytes, std::size_t At) {
    return Bytes.at(At) | Bytes.at(At + 1) << 8;
}

uint64_t Read64(const TBytes& Bytes, std::size_t At) {
    uint64_t Value = 0;
    for (int Byte = 7; Byte >= 0; --Byte)
        Value = Value << 8 | Bytes.at(At + static_cast<std::size_t>(Byte));
    return Value;
}

TBgra Colour565(uint32_t Value) {
    const uint32_t R = Value >> 11, G = Value >> 5 & 63, B = Value & 31;
    return {static_cast<uint8_t>(B << 3 | B >> 2), static_cast<uint8_t>(G << 2 | G >> 4),
            static_cast<uint8_t>(R << 3 | R >> 2), 255};
}

TBgra Mix(const TBgra& A, int WeightA, const TBgra& B, int WeightB) {
    TBgra Out{};
    for (int C = 0; C < 3; ++C)
        Out[C] = static_cast<uint8_t>((A[C] * WeightA + B[C] * WeightB) / (WeightA + WeightB));
    Out[3] = 255;
    return Out;
}

// The 16 colours of a colour block, row by row. DXT3 and DXT5 always use
// four colours; DXT1 three and transparent black when colour 0 <= colour 1.
std::array<TBgra, 16> ColourBlock(const TBytes& Data, std::size_t At, bool FourAlways) {
    const uint32_t C0 = Read16(Data, At), C1 = Read16(Data, At + 2);
    const TBgra P0 = Colour565(C0), P1 = Colour565(C1);
    std::array<TBgra, 4> Table{P0, P1, Mix(P0, 2, P1, 1), Mix(P0, 1, P1, 2)};
    if (!FourAlways && C0 <= C1) {
        Table[2] = Mix(P0, 1, P1, 1);
        Table[3] = {0, 0, 0, 0};
    }
    const uint32_t Codes = Read16(Data, At + 4) | Read16(Data, At + 6) << 16;
    std::array<TBgra, 16> Out{};
    for (int Texel = 0; Texel < 16; ++Texel)
        Out[Texel] = Table[Codes >> (2 * Texel) & 3];
    return Out;
}

std::array<uint8_t, 16> ExplicitAlpha(const TBytes& Data, std::size_t At) {
    const uint64_t Bits = Read64(Data, At);
    std::array<uint8_t, 16> Out{};
    for (int Texel = 0; Texel < 16; ++Texel)
        Out[Texel] = static_cast<uint8_t>((Bits >> (4 * Texel) & 15) * 17);
    return Out;
}

std::array<uint8_t, 16> InterpolatedAlpha(const TBytes& Data, std::size_t At) {
    const int A0 = Data.at(At), A1 = Data.at(At + 1);
    std::array<int, 8> Table{A0, A1};
    if (A0 > A1) {
        for (int Code = 2; Code < 8; ++Code)
            Table[Code] = ((8 - Code) * A0 + (Code - 1) * A1) / 7;
    } else {
        for (int Code = 2; Code < 6; ++Code)
            Table[Code] = ((6 - Code) * A0 + (Code - 1) * A1) / 5;
        Table[6] = 0;
        Table[7] = 255;
    }
    const uint64_t Codes = Read64(Data, At) >> 16;
    std::array<uint8_t, 16> Out{};
    for (int Texel = 0; Texel < 16; ++Texel)
        Out[Texel] = static_cast<uint8_t>(Table[Codes >> (3 * Texel) & 7]);
    return Out;
}

std::vector<TBgra> DecodeBlocks(TPixelFormat Format, int32_t Width, int32_t Height,
                                const TBytes& Data) {
    const int32_t BlocksWide = (Width + 3) / 4;
    const std::size_t BlockBytes = Format == pfDXT1 ? 8 : 16;
    std::vector<TBgra> Pixels(static_cast<std::size_t>(Width * Height));
    for (int32_t Y = 0; Y < Height; ++Y)
        for (int32_t X = 0; X < Width; ++X) {
            const std::size_t At =
                static_cast<std::size_t>(Y / 4 * BlocksWide + X / 4) * BlockBytes;
            const int Texel = Y % 4 * 4 + X % 4;
            const std::size_t ColourAt = Format == pfDXT1 ? At : At + 8;
            TBgra Pixel = ColourBlock(Data, ColourAt, Format != pfDXT1)[Texel];
            if (Format == pfDXT3)
                Pixel[3] = ExplicitAlpha(Data, At)[Texel];
            if (Format == pfDXT5)
                Pixel[3] = InterpolatedAlpha(Data, At)[Texel];
            Pixels[static_cast<std::size_t>(Y * Width + X)] = Pixel;
        }
    return Pixels;
}

} // namespace

std::vector<TBgra> ReferencePixels(TPixelFormat Format, int32_t Width, int32_t Height,
                                   const TBytes& Stored, const TBytes& Palette) {
    const auto Count = static_cast<std::size_t>(Width * Height);
    std::vector<TBgra> Pixels;
    switch (Format) {
    case pfP8:
        // Palette entries are red, green, blue, alpha.
        for (std::size_t Index = 0; Index < Count; ++Index) {
            const std::size_t Entry = Stored.at(Index) * 4u;
            Pixels.push_back(
                {Palette.at(Entry + 2), Palette.at(Entry + 1), Palette.at(Entry), 255});
        }
        return Pixels;
    case pfRGBA8:
        for (std::size_t Index = 0; Index < Count; ++Index)
            Pixels.push_back(
                {Stored.at(Index * 4), Stored.at(Index * 4 + 1), Stored.at(Index * 4 + 2), 255});
        return Pixels;
    case pfG16:
        for (std::size_t Index = 0; Index < Count; ++Index) {
            const auto Grey =
                static_cast<uint8_t>((Read16(Stored, Index * 2) * 255 + 32767) / 65535);
            Pixels.push_back({Grey, Grey, Grey, 255});
        }
        return Pixels;
    case pfDXT1:
    case pfDXT3:
    case pfDXT5:
        return DecodeBlocks(Format, Width, Height, Stored);
    default:
        return Pixels;
    }
}

TBytes NoiseBytes(std::size_t Count, uint32_t Seed) {
    TBytes Bytes(Count);
    uint32_t State = Seed * 2654435761u + 1;
    for (auto& Byte : Bytes) {
        State = State * 1664525u + 1013904223u;
        Byte = static_cast<uint8_t>(State >> 24);
    }
    return Bytes;
}

int LargestDifference(const std::vector<TBgra>& A, const std::vector<TBgra>& B) {
    if (A.size() != B.size())
        return 256;
    int Largest = 0;
    for (std::size_t Index = 0; Index < A.size(); ++Index)
        for (int C = 0; C < 4; ++C)
            Largest = std::max(Largest, std::abs(A[Index][C] - B[Index][C]));
    return Largest;
}

void AnalyseTextures(const std::string& Path, std::vector<TTextureDesc> Textures) {
    TPackageBuilder Builder;
    int32_t Palette = 0;
    for (TTextureDesc& Desc : Textures) {
        if (Desc.Format == pfP8 && !Desc.Palette) {
            if (Palette == 0)
                Palette = Builder.AddPalette("Pal");
            Desc.Palette = Palette;
        }
        Builder.AddTexture(Desc);
    }
    Builder.WriteTo(Path);
    AnalysePackage(Path);
}

TTextureObject& ShownTexture(const std::string& Name) {
    for (TTextureObject* Texture : App.ShownTextures)
        if (Texture->Name == Name)
            return *Texture;
    throw std::runtime_error("no texture " + Name + " is shown");
}

} // namespace swatchbox::testing
