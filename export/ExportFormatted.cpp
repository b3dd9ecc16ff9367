#include "export/ExportFormatted.h"

#include "display/OpenGLTexture.h"
#include "display/TextureReadback.h"
#include "export/ExportAsIs.h"
#include "export/ExportErrors.h"
#include "export/ImageFile.h"
#include "export/SaveGuard.h"
#include "package/AsciiCase.h"

namespace swatchbox {

namespace {

// The pixels as OpenGL holds them; the file is made only once they are read.
TRgbaImage ReadBack(const TOpenGLTexture& Texture) {
    if (!HasOpenGLImage(Texture))
        throw EExportError("OpenGL holds no image of the texture.");
    TRgbaImage Image;
    Image.Pixels = ReadTextureImage(Texture, GL_RGBA);
    if (Image.Pixels.empty())
        throw EExportError("The texture is too large to be read back.");
    Image.Width = Texture.Width;
    Image.Height = Texture.Height;
    return Image;
}

} // namespace

bool TOpenGLTexture::SaveToFile(const std::string& FileName, const std::string& FileType,
                                int32_t BitCount) {
    SaveFileName = FileName;
    SaveFileType = AsciiUpper(FileType);
    SaveBitCount = BitCount;
    if (SaveFileType == "BMP")
        SaveBMP();
    else if (SaveFileType == "TGA")
        SaveTGA();
    else
        return false;
    return true;
}

void TOpenGLTexture::SaveBMP() {
    SaveFileName = FixExtension(SaveFileName, ".BMP");
    // Any other depth would not match the pixels OpenGL returns.
    if (SaveBitCount != 24 && SaveBitCount != 32)
        throw EExportError("Bitmaps are written with 24 or 32 bits per pixel, not " +
                           std::to_string(SaveBitCount) + ".");
    WriteImageFile(ReadBack(*this), SaveFileName,
                   SaveBitCount == 24 ? TImageFileType::Bmp24 : TImageFileType::Bmp32);
}

void TOpenGLTexture::SaveTGA() {
    SaveFileName = FixExtension(SaveFileName, ".TGA");
    WriteImageFile(ReadBack(*this), SaveFileName, TImageFileType::Tga);
}

bool ExportFormatted(const TTextureObject& Texture, const std::string& FileName,
                     const std::string& FileType, int32_t BitCount, IReporter& Reporter) {
    auto* Image = dynamic_cast<TOpenGLTexture*>(Texture.GLTexture.get());
    // Formats OpenGL was not given have no pixels to read back.
    if (!Image || Image->TextureID == 0) {
        ReportError(Reporter, UnknownPixelFormatMessage);
        return false;
    }
    bool Written = false;
    const bool Finished = GuardedWrite(Reporter, Image->SaveFileName, [&] {
        Written = Image->SaveToFile(FileName, FileType, BitCount);
    });
    return Finished && Written;
}

} // namespace swatchbox
