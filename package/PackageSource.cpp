#include "package/PackageSource.h"

#include "package/ByteOrder.h"
#include "package/EngineFamily.h"
#include "package/Errors.h"
#include "package/FileStream.h"
#include "package/UnrealPackage.h"
#include "package/Uz2Decompress.h"
#include "package/UzDecompress.h"

#include <string_view>
#include <utility>

namespace swatchbox {

namespace {

// Lineage II's wrapper: "Lineage2VerNNN" in UTF-16LE, then the package.
constexpr std::string_view LineagePrefix = "Lineage2Ver";
constexpr int64_t LineageHeaderSize = 28;

// The wrapper's text when the file starts with one, else "".
std::string ReadLineageHeader(TFileStream& File) {
    if (File.Size() < LineageHeaderSize + 4)
        return {};
    File.Seek(0);
    std::string Text;
    for (int64_t Index = 0; Index < LineageHeaderSize / 2; ++Index) {
        const uint16_t Char = File.ReadU16();
        const bool Fits = Index < static_cast<int64_t>(LineagePrefix.size())
                              ? Char == static_cast<uint8_t>(LineagePrefix[Index])
                              : Char >= '0' && Char <= '9';
        if (!Fits)
            return {};
        Text += static_cast<char>(Char);
    }
    return Text;
}

// The wrapped package starts with the tag, so its first byte gives the key back.
bool DetectLineage(TFileStream& File, TPackageSource& Source) {
    Source.Wrapper = ReadLineageHeader(File);
    if (Source.Wrapper.empty())
        return false;
    // Versions 41x encrypt with a public-key scheme instead of one XOR byte.
    if (Source.Wrapper.compare(LineagePrefix.size(), 2, "41") == 0) {
        Source.Encrypted = true;
        return true;
    }
    uint8_t Tag[4] = {};
    File.Seek(LineageHeaderSize);
    File.Read(Tag, sizeof Tag);
    Source.XorKey = static_cast<uint8_t>(Tag[0] ^ (PackageSignature & 0xFF));
    for (uint8_t& Byte : Tag)
        Byte ^= Source.XorKey;
    Source.BaseOffset = LineageHeaderSize;
    return IsPackageSignature(LoadLE32(Tag));
}

} // namespace

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
    if (DetectLineage(File, Source))
        return Source;
    return std::nullopt;
}

TPackageSource OpenPackageSource(const std::string& FileName) {
    std::optional<TPackageSource> Detected = DetectPackageSource(FileName);
    TPackageSource Source;
    Source.FileName = FileName;
    if (Detected)
        Source = std::move(*Detected);
    if (Source.Encrypted)
        throw EPackageEncrypted("Package \"" + FileName +
                                "\" is encrypted in a way this program can't read.");
    if (!Source.Compression.empty()) {
        TFileStream File(FileName);
        Source.Image = std::make_shared<const std::vector<uint8_t>>(
            Source.Compression == "uz2" ? DecompressUz2(File) : DecompressUz(File));
    }
    return Source;
}

} // namespace swatchbox
