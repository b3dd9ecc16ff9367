// libFuzzer entry: the input bytes are a package file. Everything the program
// does with a package before it reaches OpenGL runs on it: the header and
// tables, every texture export, and the export "as is" of each texture; and
// the command-line tool's decoding of each texture's pixels.
#include "decode/DecodeErrors.h"
#include "decode/TextureDecoder.h"
#include "export/ExportAsIs.h"
#include "package/Errors.h"
#include "package/FileStream.h"
#include "package/Reporter.h"
#include "package/TextureWalk.h"
#include "package/UnrealPackage.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// One scratch folder per fuzzing process, on tmpfs when there is one: the core
// reads packages by file name, so every input is written to the same file.
class TScratchFolder {
public:
    TScratchFolder() {
        const fs::path Base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string Template = (Base / "swatchbox-fuzz-XXXXXX").string();
        if (::mkdtemp(Template.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        Folder = Template;
    }
    ~TScratchFolder() {
        std::error_code Ignored;
        fs::remove_all(Folder, Ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string PackagePath() const { return (Folder / "Input.utx").string(); }
    std::string ExportBase() const { return (Folder / "Texture").string(); }

private:
    fs::path Folder;
};

void WriteInput(const std::string& Path, const uint8_t* Data, std::size_t Size) {
    std::ofstream File(Path, std::ios::binary | std::ios::trunc);
    if (!File.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size))) {
        std::perror(Path.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size) {
    static const TScratchFolder Scratch;
    static const std::string PackagePath = Scratch.PackagePath();
    static const std::string ExportBase = Scratch.ExportBase();

    WriteInput(PackagePath, Data, Size);
    swatchbox::TSilentReporter Quiet;
    try {
        swatchbox::TUnrealPackage Package(PackagePath, Quiet);
        // The walk the program and the command-line tool use, going on past
        // every texture that fails.
        swatchbox::TTextureWalk Walk;
        Walk.Errors = swatchbox::TWalkErrors::Skip;
        swatchbox::TFileStream Pixels(PackagePath);
        Walk.Run(Package, [&](std::unique_ptr<swatchbox::TTextureObject> Texture) {
            // Every texture, ignored ones and those without mip maps too: a
            // damaged one must be refused cleanly.
            swatchbox::ExportAsIs(*Texture, ExportBase, Quiet);
            try {
                swatchbox::DecodeTexture(Pixels, swatchbox::MipSourceOf(*Texture),
                                         swatchbox::TAlphaMode::Engine);
            } catch (const swatchbox::EDecodeError&) {
            }
        });
    } catch (const swatchbox::EPackageError&) {
    }
    return 0;
}
