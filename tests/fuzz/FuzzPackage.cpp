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
struct TScratchFolder {
    fs::path Folder =
        (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
        ("swatchbox-fuzz-" + std::to_string(::getpid()));
    TScratchFolder() { fs::create_directories(Folder); }
    ~TScratchFolder() {
        std::error_code Ignored;
        fs::remove_all(Folder, Ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size) {
    static const TScratchFolder Scratch;
    static const std::string PackagePath = (Scratch.Folder / "Input.utx").string();
    static const std::string ExportBase = (Scratch.Folder / "Texture").string();

    if (!std::ofstream(PackagePath, std::ios::binary | std::ios::trunc)
             .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size))) {
        std::perror(PackagePath.c_str());
        std::abort();
    }
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
