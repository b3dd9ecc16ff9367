#include "display/TextureReadback.h"

#include "display/GLPixelStore.h"
#include "export/RowPitch.h"

#include <new>

namespace swatchbox {

namespace {

// Binds a texture to the 2D target for as long as it lives, then puts the
// previous binding back.
class TTextureBinding {
public:
    explicit TTextureBinding(GLuint Texture) {
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &Previous);
        glBindTexture(GL_TEXTURE_2D, Texture);
    }
    ~TTextureBinding() { glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(Previous)); }
    TTextureBinding(const TTextureBinding&) = delete;
    TTextureBinding& operator=(const TTextureBinding&) = delete;

private:
    GLint Previous = 0;
};

// The texture must be bound.
bool BoundLevelMatches(const TOpenGLTexture& Texture) {
    GLint Width = 0;
    GLint Height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &Width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &Height);
    return Width == Texture.Width && Height == Texture.Height;
}

} // namespace

int64_t ReadbackSize(const TOpenGLTexture& Texture) {
    if (Texture.Width <= 0 || Texture.Height <= 0)
        return 0;
    const int64_t Size = PaddedRowLength(Texture.Width, 4) * Texture.Height;
    return Size <= LargestReadback ? Size : 0;
}

bool HasOpenGLImage(const TOpenGLTexture& Texture) {
    if (Texture.TextureID == 0)
        return false;
    const TTextureBinding Binding(Texture.TextureID);
    return BoundLevelMatches(Texture);
}

std::vector<uint8_t> ReadTextureImage(const TOpenGLTexture& Texture, GLenum Format) {
    const int64_t Size = ReadbackSize(Texture);
    if (Size == 0)
        return {};
    // Zero-filled, so a texture OpenGL holds no image of reads as cleared
    // pixels rather than whatever the memory held before.
    std::vector<uint8_t> Pixels(static_cast<std::size_t>(Size));
    if (Texture.TextureID == 0)
        return Pixels;
    const TTextureBinding Binding(Texture.TextureID);
    // A level of another size (an upload OpenGL refused leaves none) would
    // not fit the buffer.
    if (!BoundLevelMatches(Texture))
        return Pixels;
    const TPackState PackState;
    glGetTexImage(GL_TEXTURE_2D, 0, Format, GL_UNSIGNED_BYTE, Pixels.data());
    return Pixels;
}

HBITMAP CreateBitmapFromTexture(const TOpenGLTexture& Texture) {
    try {
        const std::vector<uint8_t> Pixels = ReadTextureImage(Texture, GL_BGRA_EXT);
        if (Pixels.empty())
            return nullptr;
        return CreateBitmap(Texture.Width, Texture.Height, 1, 32, Pixels.data());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace swatchbox
