#include "tests/support/TestFiles.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace swatchbox::testing {

TTempDir::TTempDir() {
    static std::atomic<unsigned> Counter{0};
    std::random_device Random;
    std::string Name = "t";
    Name += std::to_string(Random());
    Name += '_';
    Name += std::to_string(++Counter);
    Root = std::filesystem::path(SWATCHBOX_TEST_TMP) / Name;
    std::filesystem::create_directories(Root);
}

TTempDir::~TTempDir() {
    std::error_code Ignored;
    std::filesystem::remove_all(Root, Ignored);
}

std::string TTempDir::File(const std::string& Name) const {
    return (Root / Name).string();
}

std::vector<uint8_t> ReadFileBytes(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    if (!In)
        throw std::runtime_error("cannot read test file " + FileName);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

std::string ReadFileText(const std::string& FileName) {
    const std::vector<uint8_t> Bytes = ReadFileBytes(FileName);
    return {Bytes.begin(), Bytes.end()};
}

std::string RealPackagesDir() {
    std::error_code Error;
    return std::filesystem::is_directory(SWATCHBOX_REALPKGS_DIR, Error) ? SWATCHBOX_REALPKGS_DIR
                                                                        : std::string();
}

uint32_t GetU32(const std::vector<uint8_t>& Bytes, std::size_t Offset) {
    return static_cast<uint32_t>(GetU16(Bytes, Offset)) |
           static_cast<uint32_t>(GetU16(Bytes, Offset + 2)) << 16;
}

uint16_t GetU16(const std::vector<uint8_t>& Bytes, std::size_t Offset) {
    return static_cast<uint16_t>(Bytes.at(Offset) | Bytes.at(Offset + 1) << 8);
}

} // namespace swatchbox::testing
