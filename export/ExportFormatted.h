#pragma once

#include "package/Reporter.h"
#include "package/TextureObject.h"

#include <cstdint>
#include <string>

namespace swatchbox {

// Writes the texture as read back from OpenGL: FileType "BMP" (24 or 32
// bits) or "TGA" (32 bits), in any case; any other type writes nothing and
// says nothing. A texture OpenGL holds no image of is refused with the
// unknown-format message. Other failures go to Reporter as "Error" messages
// naming the file. Returns true when a file was written.
bool ExportFormatted(const TTextureObject& Texture, const std::string& FileName,
                     const std::string& FileType, int32_t BitCount, IReporter& Reporter);

} // namespace swatchbox
