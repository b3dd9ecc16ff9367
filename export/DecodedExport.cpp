#include "export/DecodedExport.h"

#include "export/ExportAsIs.h"
#include "export/ImageFile.h"
#include "export/SaveGuard.h"
#include "package/AsciiCase.h"
#include "package/FileStream.h"

namespace swatchbox {

std::optional<TExportFormat> ParseExportFormat(std::string_view Name) {
    const std::string Upper = AsciiUpper(Name);
    if (Upper == "AS-IS")
        return TExportFormat::AsIs;
    if (Upper == "PNG")
        return TExportFormat::Png;
    if (Upper == "TGA")
        return TExportFormat::Tga;
    if (Upper == "BMP24")
        return TExportFormat::Bmp24;
    if (Upper == "BMP32")
        return TExportFormat::Bmp32;
    return std::nullopt;
}

namespace {

TImageFileType FileType(TExportFormat Format) {
    switch (Format) {
    case TExportFormat::Tga:
        return TImageFileType::Tga;
    case TExportFormat::Bmp24:
        return TImageFileType::Bmp24;
    case TExportFormat::Bmp32:
        return TImageFileType::Bmp32;
    default:
        return TImageFileType::Png;
    }
}

} // namespace

std::string_view DecodedExtension(TExportFormat Format) {
    return Format == TExportFormat::AsIs ? std::string_view()
                                         : ImageFileExtension(FileType(Format));
}

TDecodeResult RunDecodeJob(const TDecodeJob& Job) {
    TDecodeResult Result;
    Result.Written = GuardedWrite(Result.Messages, Job.Target, [&] {
        TFileStream Package(Job.Package);
        if (Job.Format == TExportFormat::Png && Job.Source.Format == pfG16)
            WriteGrey16PngFile(ReadGrey16(Package, Job.Source), Job.Target);
        else
            WriteImageFile(DecodeTexture(Package, Job.Source, Job.Alpha), Job.Target,
                           FileType(Job.Format));
    });
    return Result;
}

bool WriteExportFile(const TTextureObject& Texture, const std::string& Target, TExportFormat Format,
                     TAlphaMode Alpha, IReporter& Reporter, bool Compressed) {
    if (Format != TExportFormat::AsIs) {
        const TDecodeResult Result = RunDecodeJob(
            {Texture.Owner->Source, Compressed ? CompMipSourceOf(Texture) : MipSourceOf(Texture),
             Target, Format, Alpha});
        Result.Messages.ReplayTo(Reporter);
        return Result.Written;
    }
    return Compressed ? WriteCompressedDDS(Texture, Target, Reporter)
                      : ExportAsIs(Texture, Target, Reporter);
}

} // namespace swatchbox
