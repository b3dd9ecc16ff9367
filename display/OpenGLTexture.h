#pragma once

#include "package/TextureObject.h"

#include <windows.h>

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace swatchbox {

// What the uploads of one package analysis share: each palette, read once and
// kept by its file position, and the buffers the pixels pass through on their
// way to OpenGL, reused from one texture to the next instead of made afresh.
struct TUploadBuffers {
    // 256 colours of red, green, blue, alpha, as one 32-bit value each.
    using TPalette = std::array<uint32_t, 256>;
    std::map<int32_t, TPalette> Palettes;
    std::vector<uint8_t> Stored;
    std::vector<uint32_t> Expanded;
};

// A texture's first mip map as an OpenGL texture in the current context. The
// pixels are read from the package file and uploaded once; afterwards they
// live only in OpenGL.
class TOpenGLTexture : public TTextureImage {
public:
    // Stores the fields and, when UploadNow is set, uploads at once. Stream
    // and Buffers are used only during construction. A read past the end of
    // the file throws EPackageDamaged before any OpenGL name exists.
    TOpenGLTexture(TFileStream& Stream, int32_t Width, int32_t Height, int32_t DataPosition,
                   int32_t PalettePosition, TPixelFormat Format, bool UploadNow,
                   TUploadBuffers* Buffers = nullptr);
    ~TOpenGLTexture() override;
    TOpenGLTexture(const TOpenGLTexture&) = delete;
    TOpenGLTexture& operator=(const TOpenGLTexture&) = delete;

    TFileStream* Stream = nullptr;
    // Shared with the other uploads of an analysis, or none: then the upload
    // reads its palette and makes its buffers itself. Like Stream, valid only
    // during construction.
    TUploadBuffers* Buffers = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t DataPosition = 0;
    int32_t DataSize = 0;
    int32_t PalettePosition = 0;
    TPixelFormat Format = pfP8;
    uint16_t GLType = 0;
    uint16_t GLFormat = 0;
    GLuint TextureID = 0;
    std::string SaveFileName;
    std::string SaveFileType;
    int32_t SaveBitCount = 0;

    // Picks the OpenGL format for Format and runs its loader; does nothing for
    // formats OpenGL is not given, and nothing for pixels (or a palette) that
    // lie outside the file, so TextureID stays 0.
    void Upload();
    // Expands the palette indices to red, green, blue, alpha and uploads them.
    void LoadPaletted();
    // Uploads the stored bytes unchanged, or for formats OpenGL 1.1 lacks
    // decoded to RGBA by the portable decoder.
    void LoadPlain();
    // Sets GLFormat and GLType for Format (the pixels as stored, or the
    // palette's colours for pfP8); false for formats OpenGL is not given.
    bool ChooseGLFormat();
    // Creates, fills and binds a texture; returns its name.
    GLuint MakeGLTexture(std::span<const uint8_t> Pixels);

    // Formatted export of the pixels as OpenGL holds them. SaveToFile stores
    // the three values (the type upper-cased) and writes a bitmap for "BMP",
    // a Targa file for "TGA"; it returns false and writes nothing for any
    // other type. The writers extend SaveFileName with their extension where
    // it lacks it and throw EExportError or std::bad_alloc on failure, leaving
    // any existing file of that name as it was.
    bool SaveToFile(const std::string& FileName, const std::string& FileType, int32_t BitCount);
    void SaveBMP();
    void SaveTGA();
};

// Whether the format is one that gets an OpenGL texture.
bool IsUploadedFormat(TPixelFormat Format);

// True when the pixels (and, for pfP8, the palette) lie inside a file of
// FileSize bytes and the upload's buffers fit the sizes OpenGL is given.
bool UploadFitsFile(const TUploadRequest& Request, int64_t FileSize);

// The texture object's upload step. A texture whose pixels lie beyond the end
// of the file gets no image, so the analysis drops it; one in a format that
// is not uploaded gets an image without an OpenGL texture and is drawn plain.
std::unique_ptr<TTextureImage> UploadTexture(TFileStream& Stream, const TUploadRequest& Request);
// The same upload step for the textures of one analysis, which share Buffers.
TTextureUploader SharedUploader(TUploadBuffers& Buffers);

// The OpenGL texture of a texture object; 0 when it has none.
GLuint GetTextureID(const TTextureObject& Texture);

} // namespace swatchbox
