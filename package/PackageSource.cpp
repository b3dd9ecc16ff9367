#include "package/PackageSource.h"

#include "package/FileStream.h"
#include "package/UnrealPackage.h"
#include "package/Uz2Decompress.h"
#include "package/UzDecompress.h"

#include <utility>

namespace swatchbox {

std::optional<TPackageSource> DetectPackageSource(const std::string& FileName) {
    TFileStream File(FileName);
    TPackageSource Source;
    Source.FileName = FileName;
    if (File.Size() >= 4 && IsPackageSignature(File.ReadU32()))
        return Source;
    if (LooksLikeUz2(File)) {
        Source.Compression = "uz2";
        return Source;
    }
    if (LooksLikeUz(File)) {
        Source.Compression = "uz";
        return Source;
    }
    return std::nullopt;
}

TPackageSource OpenPackageSource(const std::string& FileName) {
    std::optional<TPackageSource> Detected = DetectPackageSource(FileName);
    TPackageSource Source;
    Source.FileName = FileName;
    if (Detected)
        Source = std::move(*Detected);
    if (Source.Compression == "uz2") {
        TFileStream File(FileName);
        Source.Image = std::make_shared<const std::vector<uint8_t>>(DecompressUz2(File));
    } else if (Source.Compression == "uz") {
        TFileStream File(FileName);
        Source.Image = std::make_shared<const std::vector<uint8_t>>(DecompressUz(File));
    }
    return Source;
}

} // namespace swatchbox
