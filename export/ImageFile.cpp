#include "export/ImageFile.h"

#include "export/BmpFile.h"
#include "export/OutputFile.h"
#include "export/PngFile.h"
#include "export/TgaFile.h"

namespace swatchbox {

std::string_view ImageFileExtension(TImageFileType Type) {
    switch (Type) {
    case TImageFileType::Bmp24:
    case TImageFileType::Bmp32:
        return ".BMP";
    case TImageFileType::Tga:
        return ".TGA";
    case TImageFileType::Png:
        return ".PNG";
    }
    return {};
}

void WriteImageFile(const TRgbaImage& Image, const std::string& FileName, TImageFileType Type) {
    TOutputFile Output(FileName);
    const TWriteBytes Write = [&](const uint8_t* Bytes, std::size_t Count) {
        Output.Write(Bytes, Count);
    };
    switch (Type) {
    case TImageFileType::Bmp24:
        WriteBmp(Image, 24, Write);
        break;
    case TImageFileType::Bmp32:
        WriteBmp(Image, 32, Write);
        break;
    case TImageFileType::Tga:
        WriteTga(Image, Write);
        break;
    case TImageFileType::Png:
        WritePng(Image, Write);
        break;
    }
    Output.Commit();
}

void WriteGrey16PngFile(const TGrey16Image& Image, const std::string& FileName) {
    TOutputFile Output(FileName);
    WritePng(Image, [&](const uint8_t* Bytes, std::size_t Count) { Output.Write(Bytes, Count); });
    Output.Commit();
}

} // namespace swatchbox
