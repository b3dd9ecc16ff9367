// PNG files through stb_image_write, which lays out the rows and chunks and
// hands the deflating to the function below: libdeflate where the build has
// it (smaller files than zlib's in the same time), zlib elsewhere (the
// Windows build, whose toolchain has no libdeflate). Both are deterministic,
// so a file's bytes never depend on the thread that wrote it.
//
// Rows go unfiltered. Decoded DXT blocks and paletted pictures, most of what
// packages hold, are full of exact repeats that deflate finds directly and
// that PNG's row filters break up: unfiltered, such files come out smaller
// and are made in less than half the time. Photographic RGBA8 and G16
// pictures grow by about a third against filtered rows.
#include "export/PngFile.h"

#include "export/ExportErrors.h"
#include "package/ByteOrder.h"

#if SWATCHBOX_PNG_LIBDEFLATE
#include <libdeflate.h>
#else
#include <zlib.h>
#endif

#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

#if SWATCHBOX_PNG_LIBDEFLATE

// On the unfiltered rows of the bench package, level 6 writes files 8%
// smaller than zlib's level 6 in the same time; levels 1 and 2 write them
// 1.4 to 3.7 times larger and are no faster there, where copying the pixels
// costs more than deflating them.
constexpr int CompressionLevel = 6;

struct TFreeCompressor {
    void operator()(libdeflate_compressor* Compressor) const {
        libdeflate_free_compressor(Compressor);
    }
};

// A compressor holds large tables; each thread keeps one for all its files.
libdeflate_compressor* ThreadCompressor() {
    thread_local std::unique_ptr<libdeflate_compressor, TFreeCompressor> Compressor(
        libdeflate_alloc_compressor(CompressionLevel));
    return Compressor.get();
}

// stb frees the result with free().
unsigned char* DeflateCompress(unsigned char* Data, int Length, int* OutLength, int /*Quality*/) {
    libdeflate_compressor* Compressor = ThreadCompressor();
    if (!Compressor)
        return nullptr;
    const std::size_t Bound =
        libdeflate_zlib_compress_bound(Compressor, static_cast<std::size_t>(Length));
    auto* Out = static_cast<unsigned char*>(std::malloc(Bound));
    const std::size_t Size =
        Out ? libdeflate_zlib_compress(Compressor, Data, static_cast<std::size_t>(Length), Out,
                                       Bound)
            : 0;
    if (Size == 0 || Size > INT_MAX) {
        std::free(Out);
        return nullptr;
    }
    *OutLength = static_cast<int>(Size);
    return Out;
}

unsigned int Crc32(const unsigned char* Bytes, std::size_t Length) {
    return static_cast<unsigned int>(libdeflate_crc32(0, Bytes, Length));
}

#else

// zlib's default level: on unfiltered rows clearly smaller than the faster
// levels at little more time.
constexpr int CompressionLevel = 6;

// stb frees the result with free().
unsigned char* DeflateCompress(unsigned char* Data, int Length, int* OutLength, int /*Quality*/) {
    uLongf Size = compressBound(static_cast<uLong>(Length));
    auto* Out = static_cast<unsigned char*>(std::malloc(Size));
    if (Out && compress2(Out, &Size, Data, static_cast<uLong>(Length), CompressionLevel) == Z_OK) {
        *OutLength = static_cast<int>(Size);
        return Out;
    }
    std::free(Out);
    return nullptr;
}

unsigned int Crc32(const unsigned char* Bytes, std::size_t Length) {
    return static_cast<unsigned int>(crc32(0, Bytes, static_cast<uInt>(Length)));
}

#endif

} // namespace

#define STBIW_ZLIB_COMPRESS DeflateCompress
#define STBIW_CRC32(Buffer, Length) Crc32(Buffer, static_cast<std::size_t>(Length))
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
    StoreBE32(std::span<uint8_t>(Header, 33), 29, Crc32(Header + 12, 17));
    Write(Png.get(), static_cast<std::size_t>(Length));
}

} // namespace swatchbox
