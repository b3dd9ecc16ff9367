// The DXT decoder against libsquish, an independent decoder, on blocks of
// noise (which reach both DXT1 modes and every alpha mode) at odd sizes.
#include "decode/PixelDecoder.h"
#include "tools/package-builder/TexturePixels.h"

#include <gtest/gtest.h>

#include <squish.h>

#include <algorithm>
#include <cstdlib>

namespace swatchbox::testing {
namespace {

TEST(DxtAgainstSquish, EveryFormatAndSizeDecodesToTheSamePixels) {
    const std::pair<TPixelFormat, int> Formats[] = {
        {pfDXT1, squish::kDxt1}, {pfDXT3, squish::kDxt3}, {pfDXT5, squish::kDxt5}};
    const std::pair<int32_t, int32_t> Sizes[] = {{1, 1}, {2, 2}, {5, 3}, {6, 8}, {64, 36}};
    uint32_t Seed = 0;
    for (const auto& [Format, Flags] : Formats)
        for (const auto& [Width, Height] : Sizes) {
            SCOPED_TRACE(std::string(GetFormatName(Format)) + " " + std::to_string(Width) + "x" +
                         std::to_string(Height));
            const TBytes Blocks =
                NoiseBytes(static_cast<std::size_t>(MipByteSize(Format, Width, Height)), ++Seed);
            const TRgbaImage Ours =
                DecodeMip({Format, Width, Height, Blocks, {}}, {.KeepStored = true});
            std::vector<uint8_t> Theirs(Ours.Pixels.size());
            squish::DecompressImage(Theirs.data(), Width, Height, Blocks.data(), Flags);
            int Largest = 0;
            for (std::size_t At = 0; At < Theirs.size(); ++At)
                Largest = std::max(Largest, std::abs(Ours.Pixels[At] - Theirs[At]));
            EXPECT_EQ(Largest, 0);
        }
}

} // namespace
} // namespace swatchbox::testing
