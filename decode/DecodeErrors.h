#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace swatchbox {

// A texture whose pixels can't be decoded: a format without a decoder, or
// stored data that is shorter than its size needs or lies outside the file.
class EDecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline std::string ShortDataMessage(int64_t Stored, int64_t Needed) {
    return "The texture stores " + std::to_string(Stored) + " pixel bytes where its size needs " +
           std::to_string(Needed) + ".";
}

} // namespace swatchbox
