#pragma once

#include "PixelFormat.h"
#include "UnrealPackage.h"

#include <cstdint>
#include <functional>
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

// One texture export, decoded: name and group, size, format and flags, the
// palette and the position and size of the first mip map.
class TTextureObject {
public:
    // Decodes the texture and, unless it is ignored or no Uploader is given,
    // runs the upload. Messages go to the package's reporter. Failures to open
    // the file or look up a reference propagate as EPackageError.
    TTextureObject(TUnrealPackage& Owner, int32_t ExportIndex,
                   const TTextureUploader& Uploader = nullptr);
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
    TPixelFormat Format = pfP8;
    int32_t PaletteExport = 0;
    int32_t PalettePosition = 0;
    bool bAlphaTexture = false;
    bool bMasked = false;
    // False when the property run or the mip-map header could not be read;
    // such a texture is ignored.
    bool Decoded = false;
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
    void TakeProperties(const TObjectPropertyList& List);
    // False when the texture is ignored for its palette reference.
    bool ResolvePalette(const TObjectPropertyList& List, bool& HasPalette);
    void ReadMipHeader(int32_t EndPosition);
};

std::string_view GetFormatName(const TTextureObject& Texture);

} // namespace swatchbox
