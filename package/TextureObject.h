#pragma once

#include "package/PixelFormat.h"
#include "package/UnrealPackage.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
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

private:
    TPalettePositions* KnownPalettes; // valid only during construction

    void TakeProperties(const TObjectPropertyList& List);
    // False when the texture is ignored for its palette reference.
    bool ResolvePalette(const TObjectPropertyList& List, bool& HasPalette);
    // Reads the mip-map header; returns the file's length.
    int64_t ReadMipHeader(int32_t EndPosition);
    // Why the first mip map can't hold the texture's pixels; empty when it can
    // or when the pixels of its format and size are never read.
    std::string FirstMipProblem(int64_t FileSize) const;
};

std::string_view GetFormatName(const TTextureObject& Texture);

} // namespace swatchbox
