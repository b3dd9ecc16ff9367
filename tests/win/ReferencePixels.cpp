#include "tests/win/ReferencePixels.h"

#include "decode/PixelDecoder.h"

#include <algorithm>
#include <cstdlib>

namespace swatchbox::testing {

std::vector<TBgra> ReferencePixels(TPixelFormat Format, int32_t Width, int32_t Height,
                                   const TBytes& Stored, const TBytes& Palette) {
    const TRgbaImage Image = DecodeMip({Format, Width, Height, Stored, Palette},
                                       AlphaRuleFor(Format, false, false, TAlphaMode::Engine));
    std::vector<TBgra> Pixels(Image.Pixels.size() / 4);
    for (std::size_t Index = 0; Index < Pixels.size(); ++Index) {
        const uint8_t* Rgba = &Image.Pixels[Index * 4];
        Pixels[Index] = {Rgba[2], Rgba[1], Rgba[0], Rgba[3]};
    }
    return Pixels;
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

} // namespace swatchbox::testing
