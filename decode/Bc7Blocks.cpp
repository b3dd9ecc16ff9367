#include "decode/Bc7Blocks.h"

#include "package/BitReader.h"

#include <bit>
#include <utility>

namespace swatchbox {

namespace {

struct TModeInfo {
    int Subsets;
    int PartitionBits;
    int RotationBits;
    int SelectionBits;
    int ColourBits;
    int AlphaBits;    // 0: opaque
    int EndPointBits; // one p-bit per end point
    int SharedBits;   // one p-bit per subset
    int IndexBits;
    int SecondIndexBits; // modes 4 and 5 only
};

constexpr TModeInfo Modes[8] = {
    {3, 4, 0, 0, 4, 0, 1, 0, 3, 0}, {2, 6, 0, 0, 6, 0, 0, 1, 3, 0}, {3, 6, 0, 0, 5, 0, 0, 0, 2, 0},
    {2, 6, 0, 0, 7, 0, 1, 0, 2, 0}, {1, 0, 2, 1, 5, 6, 0, 0, 2, 3}, {1, 0, 2, 0, 7, 8, 0, 0, 2, 2},
    {1, 0, 0, 0, 7, 7, 1, 0, 4, 0}, {2, 6, 0, 0, 5, 5, 1, 0, 2, 0},
};

// Subset of each texel, row by row, for the 64 two- and three-subset shapes.
constexpr const char* TwoSubsets[64] = {
    "0011001100110011", "0001000100010001", "0111011101110111", "0001001100110111",
    "0000000100010011", "0011011101111111", "0001001101111111", "0000000100110111",
    "0000000000010011", "0011011111111111", "0000000101111111", "0000000000010111",
    "0001011111111111", "0000000011111111", "0000111111111111", "0000000000001111",
    "0000100011101111", "0111000100000000", "0000000010001110", "0111001100010000",
    "0011000100000000", "0000100011001110", "0000000010001100", "0111001100110001",
    "0011000100010000", "0000100010001100", "0110011001100110", "0011011001101100",
    "0001011111101000", "0000111111110000", "0111000110001110", "0011100110011100",
    "0101010101010101", "0000111100001111", "0101101001011010", "0011001111001100",
    "0011110000111100", "0101010110101010", "0110100101101001", "0101101010100101",
    "0111001111001110", "0001001111001000", "0011001001001100", "0011101111011100",
    "0110100110010110", "0011110011000011", "0110011010011001", "0000011001100000",
    "0100111001000000", "0010011100100000", "0000001001110010", "0000010011100100",
    "0110110010010011", "0011011011001001", "0110001110011100", "0011100111000110",
    "0110110011001001", "0110001100111001", "0111111010000001", "0001100011100111",
    "0000111100110011", "0011001111110000", "0010001011101110", "0100010001110111",
};

constexpr const char* ThreeSubsets[64] = {
    "0011001102212222", "0001001122112221", "0000200122112211", "0222002200110111",
    "0000000011221122", "0011001100220022", "0022002211111111", "0011001122112211",
    "0000000011112222", "0000111111112222", "0000111122222222", "0012001200120012",
    "0112011201120112", "0122012201220122", "0011011211221222", "0011200122002220",
    "0001001101121122", "0111001120012200", "0000112211221122", "0022002200221111",
    "0111011102220222", "0001000122212221", "0000001101220122", "0000110022102210",
    "0122012200110000", "0012001211222222", "0110122112210110", "0000011012211221",
    "0022110211020022", "0110011020022222", "0011012201220011", "0000200022112221",
    "0000000211221222", "0222002200120011", "0011001200220222", "0120012001200120",
    "0000111122220000", "0120120120120120", "0120201212010120", "0011220011220011",
    "0011112222000011", "0101010122222222", "0000000021212121", "0022112200221122",
    "0022001100220011", "0220122102201221", "0101222222220101", "0000212121212121",
    "0101010101012222", "0222011102220111", "0002111200021112", "0000211221122112",
    "0222011101110222", "0002111211120002", "0110011001102222", "0000000021122112",
    "0110011022222222", "0022001100110022", "0022112211220022", "0000000000002112",
    "0002000100020001", "0222122202221222", "0101222222222222", "0111201122012220",
};

// The texel of each shape whose index loses its top bit: the second subset's,
// and for three subsets the second's and the third's. Subset 0 uses texel 0.
constexpr uint8_t TwoAnchor[64] = {
    15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 2,  8, 2,  2, 8,
    8,  15, 2,  8,  2,  2,  8,  8,  2,  2,  15, 15, 6,  8,  2,  8,  15, 15, 2, 8,  2, 2,
    2,  15, 15, 6,  6,  2,  6,  8,  15, 15, 2,  2,  15, 15, 15, 15, 15, 2,  2, 15,
};

constexpr uint8_t ThreeAnchor[64][2] = {
    {3, 15},  {3, 8},   {15, 8}, {15, 3}, {8, 15}, {3, 15},  {15, 3}, {15, 8},  {8, 15}, {8, 15},
    {6, 15},  {6, 15},  {6, 15}, {5, 15}, {3, 15}, {3, 8},   {3, 15}, {3, 8},   {8, 15}, {15, 3},
    {3, 15},  {3, 8},   {6, 15}, {10, 8}, {5, 3},  {8, 15},  {8, 6},  {6, 10},  {8, 15}, {5, 15},
    {15, 10}, {15, 8},  {8, 15}, {15, 3}, {3, 15}, {5, 10},  {6, 10}, {10, 8},  {8, 9},  {15, 10},
    {15, 6},  {3, 15},  {15, 8}, {5, 15}, {15, 3}, {15, 6},  {15, 6}, {15, 8},  {3, 15}, {15, 3},
    {5, 15},  {5, 15},  {5, 15}, {8, 15}, {5, 15}, {10, 15}, {5, 15}, {10, 15}, {8, 15}, {13, 15},
    {15, 3},  {12, 15}, {3, 15}, {3, 8},
};

// Weights out of 64 for 2-, 3- and 4-bit indices.
constexpr int Weights2[4] = {0, 21, 43, 64};
constexpr int Weights3[8] = {0, 9, 18, 27, 37, 46, 55, 64};
constexpr int Weights4[16] = {0, 4, 9, 13, 17, 21, 26, 30, 34, 38, 43, 47, 51, 55, 60, 64};

int Interpolate(int E0, int E1, int Index, int Bits) {
    const int* Weights = Bits == 2 ? Weights2 : Bits == 3 ? Weights3 : Weights4;
    const int W = Weights[Index];
    return ((64 - W) * E0 + W * E1 + 32) >> 6;
}

// Widens a Bits-wide value to 8 bits by repeating its top bits below it.
int Expand(int Value, int Bits) {
    Value <<= 8 - Bits;
    return Value | Value >> Bits;
}

int SubsetOf(const TModeInfo& Mode, int Shape, std::size_t Texel) {
    if (Mode.Subsets == 2)
        return TwoSubsets[Shape][Texel] - '0';
    if (Mode.Subsets == 3)
        return ThreeSubsets[Shape][Texel] - '0';
    return 0;
}

bool IsAnchor(const TModeInfo& Mode, int Shape, std::size_t Texel) {
    if (Texel == 0)
        return true;
    if (Mode.Subsets == 2)
        return Texel == TwoAnchor[Shape];
    if (Mode.Subsets == 3)
        return Texel == ThreeAnchor[Shape][0] || Texel == ThreeAnchor[Shape][1];
    return false;
}

} // namespace

TBlockTexels DecodeBc7Block(std::span<const uint8_t, 16> Block) {
    TBlockTexels Texels{};
    if (Block[0] == 0)
        return Texels;
    const int ModeNumber = std::countr_zero(Block[0]);
    const TModeInfo& Mode = Modes[ModeNumber];
    TBitReader Bits(Block);
    Bits.Read(ModeNumber + 1);
    const int Shape = static_cast<int>(Bits.Read(Mode.PartitionBits));
    const int Rotation = static_cast<int>(Bits.Read(Mode.RotationBits));
    const int Selection = static_cast<int>(Bits.Read(Mode.SelectionBits));

    // End points [subset * 2 + which][channel], stored channel by channel.
    int Ends[6][4] = {};
    const int EndCount = Mode.Subsets * 2;
    for (int Channel = 0; Channel < 3; ++Channel)
        for (int End = 0; End < EndCount; ++End)
            Ends[End][Channel] = Bits.Read(Mode.ColourBits);
    for (int End = 0; End < EndCount; ++End)
        Ends[End][3] = Mode.AlphaBits ? Bits.Read(Mode.AlphaBits) : 255;

    int ColourBits = Mode.ColourBits;
    int AlphaBits = Mode.AlphaBits;
    if (Mode.EndPointBits || Mode.SharedBits) {
        int PBits[6] = {};
        for (int End = 0; End < EndCount; ++End)
            PBits[End] = Mode.EndPointBits || End % 2 == 0 ? Bits.Read(1) : PBits[End - 1];
        for (int End = 0; End < EndCount; ++End)
            for (int Channel = 0; Channel < 4; ++Channel)
                if (Channel < 3 || AlphaBits)
                    Ends[End][Channel] = Ends[End][Channel] << 1 | PBits[End];
        ++ColourBits;
        if (AlphaBits)
            ++AlphaBits;
    }
    for (auto& End : Ends) {
        for (int Channel = 0; Channel < 3; ++Channel)
            End[Channel] = Expand(End[Channel], ColourBits);
        if (AlphaBits)
            End[3] = Expand(End[3], AlphaBits);
    }

    int Primary[16];
    int Secondary[16] = {};
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        Primary[Texel] = Bits.Read(Mode.IndexBits - (IsAnchor(Mode, Shape, Texel) ? 1 : 0));
    if (Mode.SecondIndexBits)
        for (std::size_t Texel = 0; Texel < 16; ++Texel)
            Secondary[Texel] = Bits.Read(Mode.SecondIndexBits - (Texel == 0 ? 1 : 0));

    for (std::size_t Texel = 0; Texel < 16; ++Texel) {
        const int Subset = SubsetOf(Mode, Shape, Texel);
        const int* E0 = Ends[Subset * 2];
        const int* E1 = Ends[Subset * 2 + 1];
        int ColourIndex = Primary[Texel];
        int ColourIndexBits = Mode.IndexBits;
        int AlphaIndex = Primary[Texel];
        int AlphaIndexBits = Mode.IndexBits;
        if (Mode.SecondIndexBits) {
            AlphaIndex = Secondary[Texel];
            AlphaIndexBits = Mode.SecondIndexBits;
            if (Selection) {
                std::swap(ColourIndex, AlphaIndex);
                std::swap(ColourIndexBits, AlphaIndexBits);
            }
        }
        int Rgba[4];
        for (int Channel = 0; Channel < 3; ++Channel)
            Rgba[Channel] = Interpolate(E0[Channel], E1[Channel], ColourIndex, ColourIndexBits);
        Rgba[3] = Interpolate(E0[3], E1[3], AlphaIndex, AlphaIndexBits);
        if (Rotation)
            std::swap(Rgba[3], Rgba[Rotation - 1]);
        for (std::size_t Channel = 0; Channel < 4; ++Channel)
            Texels[Texel * 4 + Channel] = static_cast<uint8_t>(Rgba[Channel]);
    }
    return Texels;
}

} // namespace swatchbox
