#include "decode/DxtBlocks.h"

#include "decode/Bc4Blocks.h"

#include "package/ByteOrder.h"

#include <algorithm>

namespace swatchbox {

namespace {

using TColour = std::array<int, 3>;

// 5-6-5 to 8 bits a channel, the top bits repeated into the low ones.
TColour Expand565(uint32_t Value) {
    const int R = static_cast<int>(Value >> 11 & 31);
    const int G = static_cast<int>(Value >> 5 & 63);
    const int B = static_cast<int>(Value & 31);
    return {R << 3 | R >> 2, G << 2 | G >> 4, B << 3 | B >> 2};
}

TColour Mix(const TColour& A, int WeightA, const TColour& B, int WeightB) {
    TColour Out{};
    for (std::size_t C = 0; C < 3; ++C)
        Out[C] = (A[C] * WeightA + B[C] * WeightB) / (WeightA + WeightB);
    return Out;
}

// The colour half of a block: two 5-6-5 end points and 2-bit codes. The
// in-between colours are the end points mixed and rounded down, as the
// S3TC rules and common decoders have it.
TBlockTexels DecodeColours(std::span<const uint8_t> Block, bool ThreeColourMode) {
    const uint32_t Value0 = LoadLE16(Block, 0);
    const uint32_t Value1 = LoadLE16(Block, 2);
    const TColour C0 = Expand565(Value0);
    const TColour C1 = Expand565(Value1);
    std::array<TColour, 4> Colours{C0, C1, Mix(C0, 2, C1, 1), Mix(C0, 1, C1, 2)};
    std::array<int, 4> Alphas{255, 255, 255, 255};
    if (ThreeColourMode && Value0 <= Value1) {
        Colours[2] = Mix(C0, 1, C1, 1);
        Colours[3] = {0, 0, 0};
        Alphas[3] = 0;
    }
    // The four texels as they are copied, whole, for each code.
    std::array<std::array<uint8_t, 4>, 4> Table;
    for (std::size_t Code = 0; Code < 4; ++Code)
        Table[Code] = {static_cast<uint8_t>(Colours[Code][0]),
                       static_cast<uint8_t>(Colours[Code][1]),
                       static_cast<uint8_t>(Colours[Code][2]), static_cast<uint8_t>(Alphas[Code])};
    const uint64_t Codes = LoadLE(Block, 4, 4);
    TBlockTexels Texels;
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        std::copy_n(Table[Codes >> (2 * Texel) & 3].begin(), 4, Texels.begin() + Texel * 4);
    return Texels;
}

} // namespace

TBlockTexels DecodeDxt1Block(std::span<const uint8_t, 8> Block) {
    return DecodeColours(Block, true);
}

TBlockTexels DecodeDxt3Block(std::span<const uint8_t, 16> Block) {
    TBlockTexels Texels = DecodeColours(Block.subspan<8>(), false);
    const uint64_t Bits = LoadLE(Block, 0, 8);
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        Texels[Texel * 4 + 3] = static_cast<uint8_t>((Bits >> (4 * Texel) & 15) * 17);
    return Texels;
}

TBlockTexels DecodeDxt5Block(std::span<const uint8_t, 16> Block) {
    TBlockTexels Texels = DecodeColours(Block.subspan<8>(), false);
    // The alpha half is laid out as a BC4 block.
    const std::array<uint8_t, 16> Alphas = DecodeBc4Block(Block.first<8>());
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        Texels[Texel * 4 + 3] = Alphas[Texel];
    return Texels;
}

} // namespace swatchbox
