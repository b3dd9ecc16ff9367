#include "tests/support/ImageReader.h"

#include "tests/support/TestFiles.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#include <stb_image.h>

#include <memory>
#include <stdexcept>

namespace swatchbox::testing {

namespace {

struct TFree {
    void operator()(void* Pixels) const { stbi_image_free(Pixels); }
};

} // namespace

TImageFile ReadImageFile(const std::string& FileName) {
    const std::vector<uint8_t> Bytes = ReadFileBytes(FileName);
    const auto* Data = Bytes.data();
    const int Length = static_cast<int>(Bytes.size());
    TImageFile Image;
    if (!stbi_info_from_memory(Data, Length, &Image.Width, &Image.Height, &Image.Components))
        throw std::runtime_error(FileName + ": " + stbi_failure_reason());
    Image.SixteenBit = stbi_is_16_bit_from_memory(Data, Length) != 0;
    int Width = 0, Height = 0, Components = 0;
    if (Image.SixteenBit) {
        const std::unique_ptr<stbi_us, TFree> Values(
            stbi_load_16_from_memory(Data, Length, &Width, &Height, &Components, 1));
        if (!Values)
            throw std::runtime_error(FileName + ": " + stbi_failure_reason());
        Image.Values.assign(Values.get(), Values.get() + std::size_t(Width) * Height);
    } else {
        const std::unique_ptr<stbi_uc, TFree> Pixels(
            stbi_load_from_memory(Data, Length, &Width, &Height, &Components, 4));
        if (!Pixels)
            throw std::runtime_error(FileName + ": " + stbi_failure_reason());
        Image.Rgba.assign(Pixels.get(), Pixels.get() + std::size_t(Width) * Height * 4);
    }
    return Image;
}

} // namespace swatchbox::testing
