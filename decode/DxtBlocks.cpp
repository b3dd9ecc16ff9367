#include "decode/DxtBlocks.h"

#include "decode/Bc4Blocks.h"

#include "package/ByteOrder.h"

#include <algorithm>

namespace swatchbox {

namespace {

// Colours are kept as texels are stored, red in the low byte of a word and
// alpha in the high one, so a texel is written as one word.
constexpr uint32_t Opaque = 0xFF000000u;

// 5-6-5 to 8 bits a channel, the top bits repeated into the low ones; opaque.
uint32_t Expand565(uint32_t Value) {
    const uint32_t R = Value >> 11 & 31;
    const uint32_t G = Value >> 5 & 63;
    const uint32_t B = Value & 31;
    return (R << 3 | R >> 2) | (G << 2 | G >> 4) << 8 | (B << 3 | B >> 2) << 16 | Opaque;
}

// Red, green and blue of A and B mixed and rounded down; opaque.
uint32_t Mix(uint32_t A, uint32_t WeightA, uint32_t B, uint32_t WeightB) {
    uint32_t Out = Opaque;
    for (uint32_t Shift = 0; Shift < 24; Shift += 8)
        Out |= ((A >> Shift & 255) * WeightA + (B >> Shift & 255) * WeightB) / (WeightA + WeightB)
               << Shift;
    return Out;
}

// The colour half of a block: two 5-6-5 end points and 2-bit codes. The
// in-between colours are the end points mixed and rounded down, as the
// S3TC rules and common decoders have it.
TBlockTexels DecodeColours(std::span<const uint8_t> Block, bool ThreeColourMode) {
    const uint32_t Value0 = LoadLE16(Block, 0);
    const uint32_t Value1 = LoadLE16(Block, 2);
    const uint32_t C0 = Expand565(Value0);
    const uint32_t C1 = Expand565(Value1);
    std::array<uint32_t, 4> Table{C0, C1, Mix(C0, 2, C1, 1), Mix(C0, 1, C1, 2)};
    if (ThreeColourMode && Value0 <= Value1) {
        Table[2] = Mix(C0, 1, C1, 1);
        Table[3] = 0; // transparent black
    }
    const uint32_t Codes = LoadLE32(Block, 4);
    TBlockTexels Texels;
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        StoreLE32(Texels, Texel * 4, Table[Codes >> (2 * Texel) & 3]);
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
