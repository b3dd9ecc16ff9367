#pragma once

#include "package/Reporter.h"
#include "package/TextureObject.h"

#include <string>
#include <string_view>

namespace swatchbox {

// ".BMP" for the formats of whole pixels, ".DDS" for block formats and
// CxV8U8, empty for formats that can't be written unchanged.
std::string_view AsIsExtension(TPixelFormat Format);

// FileName with DefaultExtension (upper case, with its dot) appended unless the
// name's own extension already equals it without regard to case.
std::string FixExtension(const std::string& FileName, std::string_view DefaultExtension);

// Writes the texture's first mip map unchanged: BMP or DDS by format. Errors go
// to Reporter as "Error" messages. Returns true when a file was written; on
// failure no new file is left and an existing one is untouched.
bool ExportAsIs(const TTextureObject& Texture, const std::string& FileName, IReporter& Reporter);
bool WriteRawBMP(const TTextureObject& Texture, const std::string& FileName, IReporter& Reporter);
bool WriteDDS(const TTextureObject& Texture, const std::string& FileName, IReporter& Reporter);
// The same for the texture's compressed picture, which must be set and of a
// format with a DDS layout.
bool WriteCompressedDDS(const TTextureObject& Texture, const std::string& FileName,
                        IReporter& Reporter);

} // namespace swatchbox
