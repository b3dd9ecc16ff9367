#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace swatchbox {

// Where a package's bytes are: a plain file; a file whose package begins at BaseOffset
// with every byte XOR-ed with XorKey (Lineage II's wrapper); or a decompressed image
// in memory.
struct TPackageSource {
    std::string FileName;
    std::string Wrapper;    // the wrapper's text, "Lineage2Ver121", or ""
    bool Encrypted = false; // wrapped in a public-key scheme we can't undo
    int64_t BaseOffset = 0;
    uint8_t XorKey = 0;
    std::shared_ptr<const std::vector<uint8_t>> Image; // set for compressed files
    std::string Compression;                           // "" for plain files
};
// What a file holds, from its first bytes: std::nullopt when it is no package we can read.
std::optional<TPackageSource> DetectPackageSource(const std::string& FileName);

// The source of the package in FileName, ready to read: a compressed file is
// decompressed into Image here, once; an encrypted one throws EPackageEncrypted. A file that
// DetectPackageSource doesn't recognise is read as a plain file, so its header says what is wrong.
TPackageSource OpenPackageSource(const std::string& FileName);

} // namespace swatchbox
