#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace swatchbox::testing {

// A fresh folder under the build tree's scratch folder, removed with its
// contents when the test ends.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // Path of a file inside the folder, as a narrow string.
    std::string File(const std::string& Name) const;
    const std::filesystem::path& Path() const { return Root; }

private:
    std::filesystem::path Root;
};

std::vector<uint8_t> ReadFileBytes(const std::string& FileName);
std::string ReadFileText(const std::string& FileName);

// Folder of the real packages made by others, or empty when it is absent.
std::string RealPackagesDir();

uint32_t GetU32(const std::vector<uint8_t>& Bytes, std::size_t Offset);
uint16_t GetU16(const std::vector<uint8_t>& Bytes, std::size_t Offset);

// The message of the E that Call throws; when it throws none, a test failure
// and an empty text.
template <class E, class F>
std::string ThrownMessage(F&& Call) {
    try {
        Call();
    } catch (const E& Error) {
        return Error.what();
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}

} // namespace swatchbox::testing
