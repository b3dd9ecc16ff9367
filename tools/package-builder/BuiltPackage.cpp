#include "tools/package-builder/BuiltPackage.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace swatchbox::testing {

std::size_t HeaderFieldOffset(THeaderField Field) {
    switch (Field) {
    case THeaderField::Signature:
        return 0;
    case THeaderField::PackageVersion:
        return 4;
    case THeaderField::LicenseeVersion:
        return 6;
    case THeaderField::PackageFlags:
        return 8;
    case THeaderField::NameCount:
        return 12;
    case THeaderField::NameOffset:
        return 16;
    case THeaderField::ExportCount:
        return 20;
    case THeaderField::ExportOffset:
        return 24;
    case THeaderField::ImportCount:
        return 28;
    case THeaderField::ImportOffset:
        return 32;
    case THeaderField::HeritageCount:
        return 36;
    case THeaderField::HeritageOffset:
        return 40;
    case THeaderField::GenerationCount:
        return 52;
    }
    throw std::invalid_argument("unknown header field");
}

std::size_t HeaderFieldWidth(THeaderField Field) {
    return Field == THeaderField::PackageVersion || Field == THeaderField::LicenseeVersion ? 2 : 4;
}

const TPlacedExport& TBuiltPackage::Export(int32_t Reference) const {
    if (Reference <= 0 || static_cast<std::size_t>(Reference) > Exports.size())
        throw std::out_of_range("not an export reference: " + std::to_string(Reference));
    return Exports[static_cast<std::size_t>(Reference) - 1];
}

TBuiltPackage& TBuiltPackage::SetHeader(THeaderField Field, int64_t Value) {
    const std::size_t Offset = HeaderFieldOffset(Field);
    for (std::size_t Index = 0; Index < HeaderFieldWidth(Field); ++Index)
        Bytes.at(Offset + Index) =
            static_cast<uint8_t>(static_cast<uint64_t>(Value) >> (8 * Index));
    return *this;
}

TBuiltPackage& TBuiltPackage::Truncate(std::size_t Size) {
    if (Size < Bytes.size())
        Bytes.resize(Size);
    return *this;
}

void TBuiltPackage::WriteTo(const std::filesystem::path& Path) const {
    WriteFileBytes(Path, Bytes);
}

void WriteFileBytes(const std::filesystem::path& Path, const TBytes& Bytes) {
    struct TCloser {
        void operator()(std::FILE* File) const { std::fclose(File); }
    };
    std::unique_ptr<std::FILE, TCloser> File(std::fopen(Path.string().c_str(), "wb"));
    if (!File)
        throw std::runtime_error("can't create " + Path.string());
    if (!Bytes.empty() && std::fwrite(Bytes.data(), 1, Bytes.size(), File.get()) != Bytes.size())
        throw std::runtime_error("can't write " + Path.string());
    if (std::fclose(File.release()) != 0)
        throw std::runtime_error("can't write " + Path.string());
}

} // namespace swatchbox::testing
