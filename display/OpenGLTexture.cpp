#include "display/OpenGLTexture.h"

#include "decode/DecodeErrors.h"
#include "decode/PixelDecoder.h"
#include "display/GLContext.h"
#include "package/Errors.h"

#include <algorithm>
#include <limits>

namespace swatchbox {

namespace {

constexpr int64_t LargestBuffer = std::numeric_limits<int32_t>::max();

// The colours keep the file's byte order, so each expanded pixel is one copy.
TUploadBuffers::TPalette ReadPalette(TFileStream& Stream, int32_t Position) {
    static_assert(sizeof(TUploadBuffers::TPalette) == PaletteBytes);
    TUploadBuffers::TPalette Palette;
    Stream.Seek(Position);
    Stream.Read(Palette.data(), PaletteBytes);
    return Palette;
}

} // namespace

namespace {

// The formats OpenGL 1.1 with S3TC takes as they are stored (P8 after its
// palette lookup); the others with a decoder are uploaded decoded to RGBA.
bool IsUploadedAsStored(TPixelFormat Format) {
    switch (Format) {
    case pfP8:
    case pfDXT1:
    case pfRGBA8:
    case pfDXT3:
    case pfDXT5:
    case pfG16:
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsUploadedFormat(TPixelFormat Format) {
    return IsUploadedAsStored(Format) || HasDecoder(Format);
}

bool UploadFitsFile(const TUploadRequest& Request, int64_t FileSize) {
    const int64_t Size = IsUploadedFormat(Request.Format)
                             ? MipByteSize(Request.Format, Request.Width, Request.Height)
                             : 0;
    if (Size <= 0 || Request.DataPosition < 0 || Size > FileSize - Request.DataPosition)
        return false;
    if (!IsUploadedAsStored(Request.Format))
        return Size <= LargestBuffer &&
               int64_t{Request.Width} * Request.Height <= LargestBuffer / 4;
    if (Request.Format != pfP8)
        return Size <= LargestBuffer;
    // The indices grow to four bytes each.
    return Size <= LargestBuffer / 4 && Request.PalettePosition >= 0 &&
           Request.PalettePosition <= FileSize - PaletteBytes;
}

TOpenGLTexture::TOpenGLTexture(TFileStream& Stream, int32_t Width, int32_t Height,
                               int32_t DataPosition, int32_t PalettePosition, TPixelFormat Format,
                               bool UploadNow, TUploadBuffers* Buffers)
    : Stream(&Stream), Buffers(Buffers), Width(Width), Height(Height), DataPosition(DataPosition),
      PalettePosition(PalettePosition), Format(Format) {
    if (UploadNow)
        Upload();
    this->Stream = nullptr;
    this->Buffers = nullptr;
}

TOpenGLTexture::~TOpenGLTexture() {
    if (TextureID != 0)
        glDeleteTextures(1, &TextureID);
}

void TOpenGLTexture::Upload() {
    const bool Compressed = IsCompressedFormat(Format);
    if (!IsUploadedFormat(Format) || (Compressed && !glCompressedTexImage2DARB))
        return;
    const TUploadRequest Request{Width, Height, DataPosition, PalettePosition, Format, true};
    if (!Stream || !UploadFitsFile(Request, Stream->Size()) || !ChooseGLFormat())
        return;
    DataSize = static_cast<int32_t>(MipByteSize(Format, Width, Height));
    if (Format == pfP8)
        LoadPaletted();
    else
        LoadPlain();
}

void TOpenGLTexture::LoadPaletted() {
    TUploadBuffers Own;
    TUploadBuffers& Shared = Buffers ? *Buffers : Own;
    auto Found = Shared.Palettes.find(PalettePosition);
    if (Found == Shared.Palettes.end())
        Found =
            Shared.Palettes.emplace(PalettePosition, ReadPalette(*Stream, PalettePosition)).first;
    const TUploadBuffers::TPalette& Palette = Found->second;
    // Buffers only grow, so a shared one is not cleared for every texture.
    const auto Count = static_cast<std::size_t>(DataSize);
    Shared.Stored.resize(std::max(Shared.Stored.size(), Count));
    Shared.Expanded.resize(std::max(Shared.Expanded.size(), Count));
    uint8_t* const Indices = Shared.Stored.data();
    uint32_t* const Pixels = Shared.Expanded.data();
    Stream->Seek(DataPosition);
    Stream->Read(Indices, Count);
    for (std::size_t Index = 0; Index < Count; ++Index)
        Pixels[Index] = Palette[Indices[Index]];
    DataSize = static_cast<int32_t>(Count * 4);
    TextureID = MakeGLTexture({reinterpret_cast<const uint8_t*>(Pixels), Count * 4});
}

void TOpenGLTexture::LoadPlain() {
    TUploadBuffers Own;
    std::vector<uint8_t>& Stored = Buffers ? Buffers->Stored : Own.Stored;
    const auto Count = static_cast<std::size_t>(DataSize);
    Stored.resize(std::max(Stored.size(), Count));
    Stream->Seek(DataPosition);
    Stream->Read(Stored.data(), Count);
    const std::span<const uint8_t> Bytes(Stored.data(), Count);
    if (IsUploadedAsStored(Format)) {
        TextureID = MakeGLTexture(Bytes);
        return;
    }
    try {
        // The stored alpha is kept, as OpenGL keeps it for the stored formats.
        const TRgbaImage Image =
            DecodeMip({Format, Width, Height, Bytes, {}}, {.KeepStored = true});
        DataSize = static_cast<int32_t>(Image.Pixels.size());
        TextureID = MakeGLTexture(Image.Pixels);
    } catch (const EDecodeError&) {
        TextureID = 0; // left without a texture, like pixels outside the file
    }
}

bool TOpenGLTexture::ChooseGLFormat() {
    if (!IsUploadedAsStored(Format)) {
        GLFormat = GL_RGBA;
        GLType = GL_UNSIGNED_BYTE;
        return true;
    }
    switch (Format) {
    case pfP8:
        GLFormat = GL_RGBA;
        GLType = GL_UNSIGNED_BYTE;
        return true;
    case pfDXT1:
        GLFormat = GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;
        return true;
    case pfRGBA8:
        GLFormat = GL_BGRA_EXT;
        GLType = GL_UNSIGNED_BYTE;
        return true;
    case pfDXT3:
        GLFormat = GL_COMPRESSED_RGBA_S3TC_DXT3_EXT;
        return true;
    case pfDXT5:
        GLFormat = GL_COMPRESSED_RGBA_S3TC_DXT5_EXT;
        return true;
    case pfG16:
        GLFormat = GL_LUMINANCE;
        GLType = GL_UNSIGNED_SHORT;
        return true;
    default:
        return false;
    }
}

GLuint TOpenGLTexture::MakeGLTexture(std::span<const uint8_t> Pixels) {
    GLuint Id = 0;
    glGenTextures(1, &Id);
    glBindTexture(GL_TEXTURE_2D, Id);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // Rows are stored back to back; with the default 4-byte row alignment
    // OpenGL would read past the buffer for G16 textures of odd width.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (IsCompressedFormat(Format))
        glCompressedTexImage2DARB(GL_TEXTURE_2D, 0, GLFormat, Width, Height, 0,
                                  static_cast<GLsizei>(Pixels.size()), Pixels.data());
    else
        glTexImage2D(GL_TEXTURE_2D, 0, 3, Width, Height, 0, GLFormat, GLType, Pixels.data());
    glPopClientAttrib();
    return Id;
}

namespace {

std::unique_ptr<TTextureImage> MakeImage(TFileStream& Stream, const TUploadRequest& Request,
                                         TUploadBuffers* Buffers) {
    if (Request.UploadNow && IsUploadedFormat(Request.Format) &&
        !UploadFitsFile(Request, Stream.Size()))
        return nullptr;
    try {
        return std::make_unique<TOpenGLTexture>(Stream, Request.Width, Request.Height,
                                                Request.DataPosition, Request.PalettePosition,
                                                Request.Format, Request.UploadNow, Buffers);
    } catch (const EPackageDamaged&) {
        // The file shrank since the package was read.
        return nullptr;
    }
}

} // namespace

std::unique_ptr<TTextureImage> UploadTexture(TFileStream& Stream, const TUploadRequest& Request) {
    return MakeImage(Stream, Request, nullptr);
}

TTextureUploader SharedUploader(TUploadBuffers& Buffers) {
    return [&Buffers](TFileStream& Stream, const TUploadRequest& Request) {
        return MakeImage(Stream, Request, &Buffers);
    };
}

GLuint GetTextureID(const TTextureObject& Texture) {
    const auto* Image = dynamic_cast<const TOpenGLTexture*>(Texture.GLTexture.get());
    return Image ? Image->TextureID : 0;
}

} // namespace swatchbox
