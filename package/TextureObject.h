#pragma once

#include "package/PixelFormat.h"
#include "package/UnrealPackage.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace swatchbox {

class TObjectPropertyList;

// What the upload step made of a texture. The program's OpenGL texture
// derives from it; the core knows only that it can be destroyed.
class TTextureImage {
public:
    virtual ~TTextureImage() = default;
};

// What the texture hands to the upload, in the order the upload takes it.
struct TUploadRequest {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t DataPosition = 0;
    int32_t PalettePosition = 0;
    TPixelFormat Format = pfP8;
    bool UploadNow = true;
};

// The upload step. It gets a stream open on the package file (also installed
// as the package's Stream) and must be done with it when it returns.
using TTextureUploader =
    std::function<std::unique_ptr<TTextureImage>(TFileStream& Stream, const TUploadRequest&)>;

// Where the colours of palette exports begin, by export number, as found so
// far: a walk over a package's textures reads each palette's header once.
using TPalettePositions = std::map<int32_t, int32_t>;

// The second picture an Unreal 1 texture may carry when its bHasComp is set:
// the first mip map of its CompMips array, in the block format CompFormat
// names. S3TC renderers draw it instead of the first picture.
struct TCompressedPicture {
    uint8_t StoredFormat = 0; // "CompFormat" as stored
    TPixelFormat Format = pfUnknown;
    int32_t MipCount = 0;
    int32_t USize = 0; // from the mip map itself: it may differ from the texture's
    int32_t VSize = 0;
    int32_t MipDataSize = 0;
    int32_t MipDataPosition = 0;
};

// One texture export, decoded: name and group, size, format and flags, the
// palette and the position and size of the first mip map.
class TTextureObject {
public:
    // Decodes the texture and, when it has mip data and an Uploader is given,
    // runs the upload. Messages go to the package's reporter. Failures to open
    // the file or look up a reference propagate as EPackageError. Palettes,
    // when given, are shared with the other textures of a walk.
    TTextureObject(TUnrealPackage& Owner, int32_t ExportIndex,
                   const TTextureUploader& Uploader = nullptr,
                   TPalettePositions* Palettes = nullptr);
    ~TTextureObject();
    TTextureObject(const TTextureObject&) = delete;
    TTextureObject& operator=(const TTextureObject&) = delete;

    TUnrealPackage* Owner;
    int32_t ExportIndex;
    std::string Name;
    std::string Group;
    uint8_t MipCount = 0;
    int32_t MipEndOffset = 0;
    int32_t MipDataSize = 0;
    int32_t MipDataPosition = 0;
    int32_t USize = 0;
    int32_t VSize = 0;
    // The "Format" property as stored, and the layout it means in this package.
    uint8_t StoredFormat = 0;
    TPixelFormat Format = pfP8;
    int32_t PaletteExport = 0;
    int32_t PalettePosition = 0;
    bool bAlphaTexture = false;
    bool bMasked = false;
    // False when the property run or the mip-map header could not be read, or
    // the first mip map is shorter than the texture's size needs or runs past
    // the end of the file; such a texture is ignored.
    bool Decoded = false;
    // True when the texture stores a first mip map whose pixels can be read.
    // False for a texture stored without any (MipCount 0, as in packages
    // stripped for dedicated servers): it is read and listed, but nothing
    // after MipCount is read for it, MipDataSize and MipDataPosition stay 0,
    // and it gets no upload and no export. Always false for ignored textures.
    bool HasMipData = false;
    // The "bHasComp" property. Comp is set only when its mip array could be
    // read inside the object and its first mip map holds its size's bytes;
    // otherwise an error names the texture and the first picture stays readable.
    bool bHasComp = false;
    std::optional<TCompressedPicture> Comp;
    std::unique_ptr<TTextureImage> GLTexture;

    // Decodes properties, palette and mip-map header. The constructor calls it.
    void Read();
    int32_t FindPalettePosition();

    // Ignored textures get no upload and are not shown or exported: an
    // unreadable texture or a palette that is not an export of the package.
    bool IsIgnored() const { return !Decoded || PaletteExport < 0; }
    // True when the first mip map (and the palette for pfP8) lie inside the
    // file, so the pixels can be read without running past its end.
    bool PixelDataInFile(int64_t FileSize) const;

    TUploadRequest MakeUploadRequest() const;
    // The same for the compressed picture; Comp must be set.
    TUploadRequest MakeCompUploadRequest() const;

private:
    // One record of a mip array, as far as it has been read.
    struct TMipRecord {
        int32_t EndOffset = 0;
        int32_t DataSize = 0;
        int32_t DataPosition = 0;
        int32_t USize = 0;
        int32_t VSize = 0;
    };

    TPalettePositions* KnownPalettes; // valid only during construction
    uint8_t StoredCompFormat = 0;

    void TakeProperties(const TObjectPropertyList& List);
    // False when the texture is ignored for its palette reference.
    bool ResolvePalette(const TObjectPropertyList& List, bool& HasPalette);
    // Reads the mip-map header; returns the file's length.
    int64_t ReadMipHeader(int32_t EndPosition);
    // A mip record's header, up to its pixels, where the stream is left.
    TMipRecord ReadMipStart();
    // Skips the record's pixels and reads its size trailer; throws
    // EPackageDamaged for any of it past Limit.
    void ReadMipRest(TMipRecord& Mip, int64_t Limit);
    // Walks on from the first mip map's pixels to the end of the CompMips
    // array; an empty string when Comp was read, else why not.
    std::string ReadCompressedPicture();
    // Why the first mip map can't hold the texture's pixels; empty when it can
    // or when the pixels of its format and size are never read.
    std::string FirstMipProblem(int64_t FileSize) const;
};

std::string_view GetFormatName(const TTextureObject& Texture);

} // namespace swatchbox
