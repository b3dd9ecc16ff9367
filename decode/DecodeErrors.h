#pragma once

#include "package/Errors.h"

#include <cstdint>
#include <string>

namespace swatchbox {

// A texture whose pixels can't be decoded: a format without a decoder, or
// stored data that is shorter than its size needs or lies outside the file.
class EDecodeError : public ESwatchboxError {
public:
    using ESwatchboxError::ESwatchboxError;
};

// Why a texture's pixels can't be read, in the words every reader of pixels
// uses: the mip map states too few bytes, or the file ends before them.
inline std::string ShortDataMessage(int64_t Stored, int64_t Needed) {
    return "The texture stores " + std::to_string(Stored) + " pixel bytes where its size needs " +
           std::to_string(Needed) + ".";
}

inline std::string ShortFileMessage(const std::string& FileName) {
    return "The package \"" + FileName + "\" holds fewer bytes than the texture needs.";
}

} // namespace swatchbox
