// Finished exports take an existing file's place in one step on Windows: the
// old file is replaced, or, when another program holds it open, kept whole.
#include "export/OutputFile.h"
#include "export/ExportErrors.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

void WriteText(const std::string& FileName, const std::string& Text) {
    TOutputFile Output(FileName);
    Output.Write(Text.data(), Text.size());
    Output.Commit();
}

std::size_t FilesIn(const TTempDir& Folder) {
    std::size_t Count = 0;
    for ([[maybe_unused]] const auto& Entry : std::filesystem::directory_iterator(Folder.Path()))
        ++Count;
    return Count;
}

TEST(OutputFileOnWindows, ReplacesAnExistingTargetOrKeepsOneHeldOpen) {
    TTempDir Folder;
    const std::string Target = Folder.File("wall.BMP");
    WriteText(Target, "old");
    WriteText(Target, "new");
    EXPECT_EQ(ReadFileText(Target), "new");

    // Held without delete sharing, as an image viewer might hold it.
    HANDLE Held = CreateFileA(Target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(Held, INVALID_HANDLE_VALUE);
    try {
        WriteText(Target, "newer");
        ADD_FAILURE() << "a file held open was replaced";
    } catch (const EExportError& Error) {
        EXPECT_NE(std::string(Error.what()).find(Target), std::string::npos) << Error.what();
    }
    CloseHandle(Held);
    EXPECT_EQ(ReadFileText(Target), "new");
    EXPECT_EQ(FilesIn(Folder), 1u);
}

} // namespace
} // namespace swatchbox::testing
