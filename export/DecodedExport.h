#pragma once

#include "decode/AlphaRule.h"
#include "decode/TextureDecoder.h"
#include "export/MessageList.h"
#include "package/PackageSource.h"
#include "package/TextureObject.h"

#include <optional>
#include <string>
#include <string_view>

namespace swatchbox {

// What export writes: the stored bytes (BMP or DDS), or decoded pixels.
enum class TExportFormat { AsIs, Png, Tga, Bmp24, Bmp32 };

// "as-is", "png", "tga", "bmp24" or "bmp32", in any case.
std::optional<TExportFormat> ParseExportFormat(std::string_view Name);

// ".PNG", ".TGA" or ".BMP" for the decoded formats; empty for AsIs.
std::string_view DecodedExtension(TExportFormat Format);

// One texture to decode and write; a plain value, so it can run on any
// thread.
struct TDecodeJob {
    TPackageSource Package; // its image is shared, not copied
    TMipSource Source;
    std::string Target; // the file name, extension included
    TExportFormat Format = TExportFormat::Png;
    TAlphaMode Alpha = TAlphaMode::Engine;
};

struct TDecodeResult {
    bool Written = false;
    // Errors, each naming the file, as the "as is" export words them.
    TMessageList Messages;
};

// Reads the package, decodes the texture and writes the file through a
// temporary one. G16 textures become 16-bit greyscale PNG files. A package
// that can't be read, a texture that can't be decoded and a file that can't
// be written end up as an error in the result's messages.
TDecodeResult RunDecodeJob(const TDecodeJob& Job);

// Writes one texture (or its compressed picture, which must be set) to
// Target in Format on this thread: the stored bytes through the "as is"
// export, decoded pixels through RunDecodeJob. Errors go to Reporter; true
// when the file was written.
bool WriteExportFile(const TTextureObject& Texture, const std::string& Target, TExportFormat Format,
                     TAlphaMode Alpha, IReporter& Reporter, bool Compressed = false);

} // namespace swatchbox
