// Times the program's own package analysis (what a click on a package row
// runs) on its real main window, beside the floor for the same package:
// reading the file's bytes, and uploading the same textures from memory with
// the same OpenGL calls in one loop. Prints the median of each in
// milliseconds, the ratio of the analysis to the floor, and where the
// analysis spends its time.
// Usage: analysis-bench [--runs N] PACKAGE...
// A benchmark, not a test: it reports numbers and does not judge them.
#include "bench/BenchProgram.h"
#include "display/GLContext.h"
#include "display/OpenGLTexture.h"
#include "display/PanelRendering.h"
#include "package/TextureWalk.h"
#include "shell/ComboText.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/StatusText.h"

#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace swatchbox;

class TQuietReporter final : public IReporter {
public:
    void Report(TMessageKind, const std::string&, const std::string&) override {}
};

double Now() {
    static const double Frequency = [] {
        LARGE_INTEGER Value{};
        QueryPerformanceFrequency(&Value);
        return static_cast<double>(Value.QuadPart);
    }();
    LARGE_INTEGER Value{};
    QueryPerformanceCounter(&Value);
    return 1000.0 * static_cast<double>(Value.QuadPart) / Frequency;
}

double Median(std::vector<double> Values) {
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}

// The median time of Runs calls, after one untimed call.
double MedianOf(int Runs, const std::function<void()>& Step) {
    Step();
    std::vector<double> Times;
    for (int Run = 0; Run < Runs; ++Run) {
        const double Start = Now();
        Step();
        Times.push_back(Now() - Start);
    }
    return Median(Times);
}

void Pump() {
    MSG Message{};
    while (PeekMessageA(&Message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&Message);
        DispatchMessageA(&Message);
    }
}

HANDLE OpenForReading(const std::string& Path) {
    return CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::vector<uint8_t> ReadWholeFile(const std::string& Path) {
    std::vector<uint8_t> Bytes;
    const HANDLE File = OpenForReading(Path);
    if (File == INVALID_HANDLE_VALUE)
        return Bytes;
    LARGE_INTEGER Size{};
    GetFileSizeEx(File, &Size);
    Bytes.resize(static_cast<std::size_t>(Size.QuadPart));
    std::size_t Done = 0;
    while (Done < Bytes.size()) {
        DWORD Got = 0;
        const auto Want = static_cast<DWORD>(std::min<std::size_t>(Bytes.size() - Done, 1u << 30));
        if (!ReadFile(File, Bytes.data() + Done, Want, &Got, nullptr) || Got == 0)
            break;
        Done += Got;
    }
    CloseHandle(File);
    Bytes.resize(Done);
    return Bytes;
}

// Reading the file's bytes as cat does: through one small buffer.
void ReadThrough(const std::string& Path) {
    static std::vector<uint8_t> Buffer(128 * 1024);
    const HANDLE File = OpenForReading(Path);
    if (File == INVALID_HANDLE_VALUE)
        return;
    DWORD Got = 0;
    while (ReadFile(File, Buffer.data(), static_cast<DWORD>(Buffer.size()), &Got, nullptr) &&
           Got > 0) {
    }
    CloseHandle(File);
}

// One texture as the upload gets it, with its pixels already in memory
// (palette indices already expanded), so that only OpenGL is timed.
struct TMemoryTexture {
    TUploadRequest Request;
    std::vector<uint8_t> Pixels;
};

std::vector<TMemoryTexture> TexturesInMemory(const std::string& Path,
                                             const std::vector<uint8_t>& File) {
    TQuietReporter Quiet;
    TUnrealPackage Package(Path, Quiet);
    std::vector<TMemoryTexture> Textures;
    TTextureWalk Walk;
    Walk.Errors = TWalkErrors::Skip;
    Walk.Run(Package, [&](std::unique_ptr<TTextureObject> Texture) {
        const TUploadRequest Request = Texture->MakeUploadRequest();
        if (!Texture->HasMipData || !IsUploadedFormat(Request.Format) ||
            !UploadFitsFile(Request, static_cast<int64_t>(File.size())))
            return;
        const auto Size =
            static_cast<std::size_t>(MipByteSize(Request.Format, Request.Width, Request.Height));
        const uint8_t* Data = File.data() + Request.DataPosition;
        TMemoryTexture& Item = Textures.emplace_back();
        Item.Request = Request;
        if (Request.Format != pfP8) {
            Item.Pixels.assign(Data, Data + Size);
            return;
        }
        const uint8_t* Palette = File.data() + Request.PalettePosition;
        Item.Pixels.resize(Size * 4);
        for (std::size_t Index = 0; Index < Size; ++Index)
            std::copy_n(Palette + std::size_t{Data[Index]} * 4, 4, Item.Pixels.data() + Index * 4);
    });
    return Textures;
}

// The program's own OpenGL calls of the upload, from memory. Stream is only
// what the images are made with: nothing is read from it.
void UploadFromMemory(TFileStream& Stream, const std::vector<TMemoryTexture>& Textures,
                      std::vector<std::unique_ptr<TOpenGLTexture>>& Images) {
    for (const TMemoryTexture& Texture : Textures) {
        const TUploadRequest& Request = Texture.Request;
        auto& Image = *Images.emplace_back(std::make_unique<TOpenGLTexture>(
            Stream, Request.Width, Request.Height, 0, 0, Request.Format, false));
        Image.ChooseGLFormat();
        Image.TextureID = Image.MakeGLTexture(Texture.Pixels);
    }
    glFinish();
}

// The texture walk the analysis runs, without the program's window work.
// Upload: none, only decoding; the stored pixels read and dropped; or the
// program's upload, whose own time is added to UploadTime.
enum class TWalkUpload { None, ReadOnly, Program };

double TimeWalk(const std::string& Path, TWalkUpload Upload, double* UploadTime = nullptr) {
    TQuietReporter Quiet;
    TUnrealPackage Package(Path, Quiet);
    std::vector<std::unique_ptr<TTextureObject>> Kept;
    TTextureWalk Walk;
    Walk.Errors = TWalkErrors::Skip;
    TUploadBuffers Buffers;
    const TTextureUploader Program = SharedUploader(Buffers);
    if (Upload == TWalkUpload::ReadOnly)
        Walk.Uploader =
            [&Buffers](TFileStream& Stream,
                       const TUploadRequest& Request) -> std::unique_ptr<TTextureImage> {
            if (!IsUploadedFormat(Request.Format) || !UploadFitsFile(Request, Stream.Size()))
                return nullptr;
            const auto Size = static_cast<std::size_t>(
                MipByteSize(Request.Format, Request.Width, Request.Height));
            Buffers.Stored.resize(std::max(Buffers.Stored.size(), Size));
            Stream.Seek(Request.DataPosition);
            Stream.Read(Buffers.Stored.data(), Size);
            return nullptr;
        };
    else if (Upload == TWalkUpload::Program)
        Walk.Uploader = [&Program, UploadTime](TFileStream& Stream, const TUploadRequest& Request) {
            const double Start = Now();
            auto Image = Program(Stream, Request);
            *UploadTime += Now() - Start;
            return Image;
        };
    const double Start = Now();
    Walk.Run(Package,
             [&](std::unique_ptr<TTextureObject> Texture) { Kept.push_back(std::move(Texture)); });
    glFinish();
    return Now() - Start;
}

void Report(const std::string& Path, int Runs) {
    const std::vector<uint8_t> File = ReadWholeFile(Path);
    const double Read = MedianOf(Runs, [&] { ReadThrough(Path); });
    const std::vector<TMemoryTexture> Textures = TexturesInMemory(Path, File);
    TFileStream Stream(Path);
    std::vector<double> FloorUploads;
    for (int Run = 0; Run <= Runs; ++Run) {
        std::vector<std::unique_ptr<TOpenGLTexture>> Images;
        Images.reserve(Textures.size());
        const double Start = Now();
        UploadFromMemory(Stream, Textures, Images);
        if (Run > 0)
            FloorUploads.push_back(Now() - Start);
    }
    const double Upload = Median(FloorUploads);

    // The analysis as a click runs it, each time after the previous package
    // went, and the first frame of the panel; in the same round, so under the
    // same conditions, the parts of the analysis that can be run alone.
    std::vector<double> Analysis, Frame, Tables, Decode, ReadOnly, Walk, UploadStep;
    for (int Run = 0; Run <= Runs; ++Run) {
        if (App.Package)
            ReleasePackage();
        Pump();
        double Start = Now();
        AnalysePackage(Path);
        const double Analysed = Now() - Start;
        Start = Now();
        RenderTexturePanel();
        glFinish();
        const double Drawn = Now() - Start;
        Pump();
        if (App.Package)
            ReleasePackage();
        Start = Now();
        {
            TQuietReporter Quiet;
            TUnrealPackage Package(Path, Quiet);
        }
        const double TablesRead = Now() - Start;
        const double Decoded = TimeWalk(Path, TWalkUpload::None);
        const double PixelsRead = TimeWalk(Path, TWalkUpload::ReadOnly);
        double Uploaded = 0;
        const double Walked = TimeWalk(Path, TWalkUpload::Program, &Uploaded);
        if (Run == 0) // warms the caches
            continue;
        Analysis.push_back(Analysed);
        Frame.push_back(Drawn);
        Tables.push_back(TablesRead);
        Decode.push_back(Decoded);
        ReadOnly.push_back(PixelsRead);
        Walk.push_back(Walked);
        UploadStep.push_back(Uploaded);
    }
    AnalysePackage(Path);
    const std::size_t Shown = App.ShownTextures.size();
    const double Open = MedianOf(Runs, [&] { TFileStream Stream(Path); });
    const double Sort = MedianOf(Runs, [] {
        std::vector<TTextureObject*> Order(App.ShownTextures);
        std::sort(Order.begin(), Order.end(),
                  [](const auto* A, const auto* B) { return CompareTextures(*B, *A) < 0; });
    });
    // Per-call costs of the window work the analysis may do for each texture.
    int Counter = 0;
    const double StatusText = MedianOf(Runs * 20, [&Counter] {
        SetStatusText(1, std::to_string(++Counter) + "/2048 texture(s)", saCentre);
    });
    const double GroupItem = MedianOf(Runs * 20, [] { ComboItemText(App.GroupCombo, 0); });
    const double Cursor = MedianOf(Runs * 20, [] {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    });

    const double Median = ::Median(Analysis);
    const double Floor = Read + Upload;
    std::printf("%s: %zu textures shown, %.1f MB\n", Path.c_str(), Shown,
                static_cast<double>(File.size()) / (1 << 20));
    std::printf("  analysis %.1f ms, floor %.1f ms (read %.1f + upload %.1f), ratio %.2f; "
                "first frame %.1f ms\n",
                Median, Floor, Read, Upload, Median / Floor, ::Median(Frame));
    // The conversion is what the upload step takes beyond reading the pixels
    // and the upload floor; the window work what the analysis takes beyond
    // the tables and the walk.
    const double Decoded = ::Median(Decode);
    const double ReadPixels = ::Median(ReadOnly) - Decoded;
    const double Uploads = ::Median(UploadStep);
    std::printf("  parts (ms): open file %.2f | tables %.1f | decode %.1f (properties, palettes, "
                "mip headers) | upload step %.1f: read %.1f, convert %.1f, upload floor %.1f | "
                "window work %.1f (status texts, groups, sort, scroll, cursor)\n",
                Open, ::Median(Tables), Decoded, Uploads, ReadPixels, Uploads - ReadPixels - Upload,
                Upload, Median - ::Median(Tables) - ::Median(Walk));
    std::printf("  per call (ms): sort %.3f | status-bar text %.4f | group item read %.4f | "
                "wait cursor and back %.4f\n",
                Sort, StatusText, GroupItem, Cursor);
}

} // namespace

int main(int Count, char** Arguments) {
    int Runs = 5;
    std::vector<std::string> Packages;
    for (int Index = 1; Index < Count; ++Index) {
        const std::string Argument = Arguments[Index];
        if (Argument == "--runs" && Index + 1 < Count)
            Runs = std::max(1, std::atoi(Arguments[++Index]));
        else
            Packages.push_back(Argument);
    }
    if (Packages.empty()) {
        std::fprintf(stderr, "usage: analysis-bench [--runs N] PACKAGE...\n");
        return 2;
    }

    const TBenchSettings SettingsFile("analysis-bench.ini");
    if (!StartProgram(GetModuleHandleA(nullptr), {}))
        return 1;
    // Messages of damaged packages would wait for a click.
    TQuietReporter Quiet;
    App.Reporter = &Quiet;
    KillTimer(App.MainWnd, RenderTimerId);
    Pump();
    for (const std::string& Package : Packages)
        Report(Package, Runs);

    DestroyWindow(App.MainWnd);
    Pump();
    return 0;
}
