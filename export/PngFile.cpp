// PNG files through stb_image_write, with zlib doing the deflating: zlib is
// faster than stb's own compressor and gives smaller files, and both build
// for every toolchain the program has.
//
// Rows go unfiltered. Decoded DXT blocks and paletted pictures, most of what
// packages hold, are full of exact repeats that deflate finds directly and
// that PNG's row filters break up: unfiltered, such files come out smaller
// and are made in less than half the time. Photographic RGBA8 and G16
// pictures grow by about a third against filtered rows.
#include "export/PngFile.h"

#include "export/ExportErrors.h"

#include <zlib.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// zlib's default level: on unfiltered rows clearly smaller than the faster
// levels at little more time.
constexpr int CompressionLevel = 6;

// stb frees the result with free().
unsigned char* ZlibCompress(unsigned char* Data, int Length, int* OutLength, int /*Quality*/) {
    uLongf Size = compressBound(static_cast<uLong>(Length));
    auto* Out = static_cast<unsigned char*>(std::malloc(Size));
    if (Out && compress2(Out, &Size, Data, static_cast<uLong>(Length), CompressionLevel) == Z_OK) {
        *OutLength = static_cast<int>(Size);
        return Out;
    }
    std::free(Out);
    return nullptr;
}

} // namespace

#define STBIW_ZLIB_COMPRESS ZlibCompress
#define STBIW_CRC32(Buffer, Length) static_cast<unsigned int>(crc32(0, Buffer, Length))
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace swatchbox {

namespace {

// stb reads its filter choice from a variable of its own; it is set once,
// before any thread can write a file.
[[maybe_unused]] const bool RowsUnfiltered = (stbi_write_force_png_filter = 0, true);

struct TFree {
    void operator()(unsigned char* Bytes) const { std::free(Bytes); }
};

// Width * Components + 1 bytes a row (the filter byte) must fit stb's int.
void CheckSize(int32_t Width, int32_t Height, int Components) {
    if (Width <= 0 || Height <= 0 || (int64_t{Width} * Components + 1) * Height > INT_MAX / 2)
        throw EExportError("The texture is too large for a PNG file.");
}

std::unique_ptr<unsigned char, TFree> Encode(const uint8_t* Pixels, int32_t Width, int32_t Height,
                                             int Components, int& Length) {
    std::unique_ptr<unsigned char, TFree> Png(
        stbi_write_png_to_mem(Pixels, Width * Components, Width, Height, Components, &Length));
    if (!Png)
        throw EExportError("Not enough memory for the PNG file.");
    return Png;
}

void Put32BigEndian(unsigned char* At, uLong Value) {
    for (int Byte = 0; Byte < 4; ++Byte)
        At[Byte] = static_cast<unsigned char>(Value >> (24 - 8 * Byte));
}

} // namespace

void WritePng(const TRgbaImage& Image, const TWriteBytes& Write) {
    const int Components = Image.IsOpaque() ? 3 : 4;
    CheckSize(Image.Width, Image.Height, Components);
    std::vector<uint8_t> Rgb;
    if (Components == 3) {
        Rgb.resize(Image.Pixels.size() / 4 * 3);
        for (std::size_t In = 0, Out = 0; In < Image.Pixels.size(); In += 4, Out += 3)
            std::copy_n(Image.Pixels.begin() + static_cast<std::ptrdiff_t>(In), 3,
                        Rgb.begin() + static_cast<std::ptrdiff_t>(Out));
    }
    int Length = 0;
    const auto Png = Encode(Components == 3 ? Rgb.data() : Image.Pixels.data(), Image.Width,
                            Image.Height, Components, Length);
    Write(Png.get(), static_cast<std::size_t>(Length));
}

// stb writes 8-bit samples only. A 16-bit grey pixel is two bytes, like an
// 8-bit grey-and-alpha pixel, and PNG filters and deflates both alike, so the
// values go in as such byte pairs (high byte first, as PNG stores samples)
// and the header is then set to what they are: bit depth 16, colour type 0
// (grey), its checksum made anew.
void WritePng(const TGrey16Image& Image, const TWriteBytes& Write) {
    CheckSize(Image.Width, Image.Height, 2);
    std::vector<uint8_t> Samples(Image.Values.size() * 2);
    for (std::size_t Index = 0; Index < Image.Values.size(); ++Index) {
        Samples[Index * 2] = static_cast<uint8_t>(Image.Values[Index] >> 8);
        Samples[Index * 2 + 1] = static_cast<uint8_t>(Image.Values[Index]);
    }
    int Length = 0;
    const auto Png = Encode(Samples.data(), Image.Width, Image.Height, 2, Length);
    // The signature (8 bytes), then the header chunk: length, type at 12,
    // width, height, bit depth at 24, colour type at 25, three more bytes
    // and the checksum over type and data at 29.
    unsigned char* Header = Png.get();
    Header[24] = 16;
    Header[25] = 0;
    Put32BigEndian(Header + 29, crc32(0, Header + 12, 17));
    Write(Png.get(), static_cast<std::size_t>(Length));
}

} // namespace swatchbox
