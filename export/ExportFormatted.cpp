#include "export/ExportFormatted.h"

#include "display/OpenGLTexture.h"
#include "display/TextureReadback.h"
#include "export/BmpFile.h"
#include "export/ExportAsIs.h"
#include "export/ExportErrors.h"
#include "export/OutputFile.h"
#include "export/RowPitch.h"
#include "export/SaveGuard.h"
#include "export/TgaFile.h"
#include "package/AsciiCase.h"

#include <algorithm>
#include <span>

namespace swatchbox {

namespace {

// Targa files keep each size in 16 bits.
constexpr int32_t LargestTgaSide = 0xFFFF;

// Reads the texture back and writes Header, then the rows bottom row first,
// each padded to 4 bytes. The file is made only once the pixels are read.
void WriteReadback(const TOpenGLTexture& Texture, const std::string& Target, int BytesPerPixel,
                   std::span<const uint8_t> Header) {
    if (!HasOpenGLImage(Texture))
        throw EExportError("OpenGL holds no image of the texture.");
    const std::vector<uint8_t> Pixels = ReadTextureImage(Texture, BytesPerPixel);
    if (Pixels.empty())
        throw EExportError("The texture is too large to be read back.");
    const int64_t Pitch = PaddedRowLength(Texture.Width, BytesPerPixel);
    const int64_t RowBytes = int64_t{Texture.Width} * BytesPerPixel;
    TOutputFile Output(Target);
    WriteBottomUpRows(
        Texture.Width, Texture.Height, BytesPerPixel,
        [&](int64_t FirstRow, int64_t Count, uint8_t* Into) {
            // Rows arrive padded to 4 bytes; the writer wants them without.
            for (int64_t Row = 0; Row < Count; ++Row)
                std::copy_n(Pixels.data() + (FirstRow + Row) * Pitch, RowBytes,
                            Into + Row * RowBytes);
        },
        [&](const uint8_t* Bytes, std::size_t Count) { Output.Write(Bytes, Count); }, Header);
    Output.Commit();
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
    WriteReadback(*this, SaveFileName, SaveBitCount / 8,
                  MakeBmpHeaders({Width, Height, SaveBitCount, 0, 0}));
}

void TOpenGLTexture::SaveTGA() {
    SaveFileName = FixExtension(SaveFileName, ".TGA");
    if (Width > LargestTgaSide || Height > LargestTgaSide)
        throw EExportError("The texture is too large for a Targa file.");
    // The header states 32 bits, so the pixels always carry alpha.
    WriteReadback(*this, SaveFileName, 4, MakeTgaHeader(Width, Height));
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
