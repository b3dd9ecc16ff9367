#include "cli/SheetCommand.h"

#include "cli/ConsoleReporter.h"
#include "cli/DisplayText.h"
#include "cli/NamePattern.h"
#include "cli/TextureScan.h"
#include "cli/ThreadPool.h"
#include "decode/DecodeErrors.h"
#include "decode/PixelDecoder.h"
#include "decode/TextureDecoder.h"
#include "export/ExportAsIs.h"
#include "export/ExportErrors.h"
#include "export/ImageFile.h"
#include "export/MessageList.h"
#include "export/SafePath.h"
#include "package/AsciiCase.h"
#include "package/Errors.h"
#include "package/FileStream.h"
#include "sheet/ContactSheet.h"
#include "sheet/PanelGrid.h"

#include <algorithm>

namespace swatchbox::cli {

namespace {

struct TEntry {
    TMipSource Source;
    std::string Name;
    std::string Details; // "256x128 DXT1"
    std::string Context; // the export, for messages
};

struct TThumbnail {
    TRgbaImage Image;
    TMessageList Messages;
};

// Runs on a worker: the texture decoded and scaled, or a plain area for a
// format without a decoder or pixels that can't be read.
TThumbnail MakeEntryThumbnail(const TPackageSource& Path, const TEntry& Entry, int32_t Size,
                              TAlphaMode Alpha) {
    TThumbnail Result;
    const TMipSource& Source = Entry.Source;
    if (HasDecoder(Source.Format)) {
        try {
            TFileStream Package(Path);
            Result.Image = MakeThumbnail(DecodeTexture(Package, Source, Alpha), Size);
            return Result;
        } catch (const EPackageError& Error) {
            ReportWarning(Result.Messages, Error.what());
        } catch (const EDecodeError& Error) {
            ReportWarning(Result.Messages, Error.what());
        } catch (const std::bad_alloc&) {
            ReportWarning(Result.Messages, "Not enough memory to decode the texture.");
        }
    }
    Result.Image = PlainThumbnail(Source.Width, Source.Height, Size);
    return Result;
}

std::vector<TEntry> CollectEntries(TUnrealPackage& Package, const TSheetOptions& Options,
                                   TConsoleReporter& Reporter) {
    const std::optional<TNamePattern> Pattern =
        Options.Name ? std::optional<TNamePattern>(*Options.Name) : std::nullopt;
    std::vector<TEntry> Entries;
    ScanTextures(Package, Reporter, [&](const TTextureObject& Texture) {
        // What the panel leaves out: textures it ignores and those without pixels.
        if (Texture.IsIgnored() || !Texture.HasMipData)
            return;
        if (Options.Group && !EqualsIgnoringAsciiCase(Texture.Group, *Options.Group))
            return;
        if (Pattern && !Pattern->MatchesTexture(Texture.Group, Texture.Name))
            return;
        Entries.push_back(
            {MipSourceOf(Texture), Texture.Name,
             grid::SizeText(Texture.USize, Texture.VSize) + " " +
                 grid::FormatText(GetFormatName(Texture),
                                  Texture.Comp ? GetFormatName(Texture.Comp->Format) : ""),
             Reporter.Context()});
    });
    // By name without regard to case, as the panel orders them.
    std::stable_sort(Entries.begin(), Entries.end(), [](const TEntry& A, const TEntry& B) {
        return AsciiUpper(A.Name) < AsciiUpper(B.Name);
    });
    return Entries;
}

// Thumbnails are made on the pool's threads and drawn here in order, so the
// sheet and the messages are the same whatever the number of threads.
TContactSheet DrawSheet(const TSheetOptions& Options, const TPackageSource& Source,
                        const std::vector<TEntry>& Entries, TConsoleReporter& Reporter) {
    // The sheet shows the panel as a first start draws it.
    TContactSheet Sheet(Entries.size(), Options.Size, TPanelColours{});
    const TAlphaMode Alpha = Options.Opaque ? TAlphaMode::Opaque : TAlphaMode::Engine;
    TThreadPool Pool(Options.Jobs);
    std::size_t Next = 0;
    TOrderedJobs<TThumbnail> Jobs(Pool, [&](TThumbnail& Thumbnail) {
        const TEntry& Entry = Entries[Next];
        TReportContext Context(Reporter, Entry.Context);
        Thumbnail.Messages.ReplayTo(Reporter);
        Sheet.Draw(Next++, Thumbnail.Image, Entry.Name, Entry.Details);
    });
    for (const TEntry& Entry : Entries)
        Jobs.Submit([&Path = Source, &Entry, Size = Sheet.ThumbnailSize(), Alpha] {
            return MakeEntryThumbnail(Path, Entry, Size, Alpha);
        });
    Jobs.Finish();
    return Sheet;
}

std::string SheetFileName(const TSheetOptions& Options, bool Compressed) {
    if (!Options.OutFile.empty())
        return FixExtension(Options.OutFile, ".PNG");
    return SafePathComponent(PackageBaseName(Options.Package, Compressed)) + ".PNG";
}

} // namespace

int RunSheet(const TSheetOptions& Options, std::ostream& Out, std::ostream& Err) {
    TConsoleReporter Reporter(Err);
    const std::unique_ptr<TUnrealPackage> Package = OpenPackage(Options.Package, Reporter);
    if (!Package)
        return 1;
    const std::vector<TEntry> Entries = [&] {
        TReportContext Context(Reporter, EscapeControls(Options.Package));
        return CollectEntries(*Package, Options, Reporter);
    }();
    if (Entries.empty()) {
        ReportError(Reporter, EscapeControls(Options.Package) + ": no textures to show" +
                                  (Options.Group || Options.Name ? " that match." : "."));
        return 1;
    }

    const std::string Target = SheetFileName(Options, !Package->Source.Compression.empty());
    try {
        const TContactSheet Sheet = DrawSheet(Options, Package->Source, Entries, Reporter);
        WriteImageFile(Sheet.Image(), Target, TImageFileType::Png);
        Out << "Wrote " << EscapeControls(Target) << ": " << Entries.size()
            << (Entries.size() == 1 ? " texture, " : " textures, ") << Sheet.Image().Width << "x"
            << Sheet.Image().Height << " pixels.\n"
            << std::flush;
    } catch (const EExportError& Error) {
        // Names the file, or says why the sheet would be too large.
        ReportError(Reporter, EscapeControls(Error.what()));
    } catch (const std::bad_alloc&) {
        ReportError(Reporter,
                    "Not enough memory for the sheet \"" + EscapeControls(Target) + "\".");
    }
    return Reporter.Errors() == 0 ? 0 : 1;
}

} // namespace swatchbox::cli
