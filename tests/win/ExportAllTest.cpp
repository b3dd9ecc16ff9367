// "Export all shown" over the real main window: the files are the ones the
// command-line export writes for the same package, the closing box counts
// them, Esc stops between files, and an unusable folder gives one box.
#include "shell/ExportAll.h"
#include "cli/ExportCommand.h"
#include "package/AsciiCase.h"
#include "resources/ResourceIds.h"
#include "shell/FolderDialog.h"
#include "shell/MainWindowState.h"
#include "tests/support/TestFiles.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace swatchbox::testing {
namespace {

namespace fs = std::filesystem;

using TFiles = std::map<std::string, std::vector<uint8_t>>;

// Every file under Root by its path relative to it, with its bytes.
TFiles FilesUnder(const fs::path& Root) {
    TFiles Files;
    for (const auto& Entry : fs::recursive_directory_iterator(Root))
        if (Entry.is_regular_file())
            Files[Entry.path().lexically_relative(Root).generic_string()] =
                ReadFileBytes(Entry.path().string());
    return Files;
}

std::vector<std::string> Names(const TFiles& Files) {
    std::vector<std::string> Result;
    for (const auto& File : Files)
        Result.push_back(File.first);
    return Result;
}

TEST(ExportAll, WritesTheFilesOfTheCommandLineExportAndStopsBetweenFiles) {
    TProgramWindow Window;
    // Two groups, four formats, a name twice in one group, and a second,
    // compressed picture, which goes beside the first as is.
    const std::string Package = Window.Show({
        {.Name = "Brick", .Group = "Walls", .Format = pfP8, .Comp = TCompDesc{}},
        {.Name = "Stone", .Group = "Walls", .Format = pfDXT1, .Width = 8, .Height = 8},
        SolidTexture({.Name = "Grass", .Group = "Floors"}, 8, 4, 0x00FF00),
        {.Name = "Brick", .Group = "Walls", .Format = pfDXT5, .Width = 4, .Height = 4},
        {.Name = "Tile", .Group = "Floors", .Format = pfDXT3, .Width = 4, .Height = 4},
    });
    const struct {
        const char* Group;
        TExportFormat Format;
        bool StopAfterFirst;
        // A plain file where the export wants a folder, or "".
        std::string Blocker;
        // The closing box, % for the chosen folder; it ends in the system's
        // reason when Reason is set.
        std::string Box;
        bool Reason = false;
    } Rows[] = {
        {"Walls", TExportFormat::AsIs, false, "", "Information: 3 textures exported to %."},
        {"(All)", TExportFormat::AsIs, false, "", "Information: 5 textures exported to %."},
        {"Floors", TExportFormat::Png, false, "", "Information: 2 textures exported to %."},
        {"(All)", TExportFormat::Tga, false, "", "Information: 5 textures exported to %."},
        {"(All)", TExportFormat::Png, true, "",
         "Information: 1 texture exported to %.\r\nStopped after 1 of 5."},
        {"(All)", TExportFormat::Bmp32, false, "Test\\Walls",
         "Warning: 2 textures exported to %.\r\n\r\n3 textures skipped or failed:\r\n"
         "Walls.Brick\r\nWalls.Stone\r\nWalls.Brick\r\n\r\nCannot create folder \"",
         true},
        {"(All)", TExportFormat::Png, false, "Test", "Error: Cannot export to folder \"%\"!\r\n(",
         true},
    };
    for (const auto& Row : Rows) {
        SCOPED_TRACE(Row.Box);
        const TBrowsableDir Out;
        if (!Row.Blocker.empty()) {
            std::filesystem::create_directories(
                fs::path(Out.Path() + "\\" + Row.Blocker).parent_path());
            std::ofstream(Out.Path() + "\\" + Row.Blocker) << "a file";
        }
        ChooseComboItem(App.GroupCombo, Row.Group);
        const TModalDriver Driver([&](HWND Dialog) {
            EXPECT_TRUE(SelectBrowserFolder(Dialog, Out.Path(), Window));
            SendMessageA(GetDlgItem(Dialog, ExportFormatComboId), CB_SETCURSEL,
                         static_cast<WPARAM>(Row.Format), 0);
            PressButton(Dialog, IDOK);
        });
        App.ExportAll.SliceTime = Row.StopAfterFirst ? 0 : 30;
        SendToPanel(WM_COMMAND, CMD_EXPORT_ALL);
        ASSERT_TRUE(Driver.Ran());
        for (int Tick = 0; Tick < 500 && ExportAllRunning(); ++Tick) {
            if (Row.StopAfterFirst && App.ExportAll.Run->Position() == 1)
                PostMessageA(App.MainWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            Sleep(10);
            Window.Pump();
        }
        ASSERT_FALSE(ExportAllRunning());
        const std::vector<std::string> Texts = Window.Texts();
        ASSERT_EQ(Texts.size(), 1u);
        std::string Box = Row.Box;
        if (const std::size_t Folder = Box.find('%'); Folder != std::string::npos)
            Box.replace(Folder, 1, Out.Path());
        const std::string Shown = Row.Reason ? Texts[0].substr(0, Box.size()) : Texts[0];
        EXPECT_TRUE(EqualsIgnoringAsciiCase(Shown, Box)) << Texts[0];

        const TTempDir Reference;
        std::ostringstream Ignored;
        cli::RunExport(
            {.Packages = {Package}, .OutDir = Reference.Path().string(), .Format = Row.Format},
            Ignored, Ignored);
        // What the command line writes for the group, less what the blocker
        // keeps from being written.
        const std::string Group = std::string("Test/") + Row.Group + "/";
        const std::string Blocked = fs::path(Row.Blocker).generic_string() + "/";
        auto Expected = FilesUnder(Reference.Path());
        std::erase_if(Expected, [&](const auto& File) {
            return (Group != "Test/(All)/" && File.first.rfind(Group, 0) != 0) ||
                   (!Row.Blocker.empty() && File.first.rfind(Blocked, 0) == 0);
        });
        auto Written = FilesUnder(Out.Path());
        Written.erase(fs::path(Row.Blocker).generic_string());
        if (Row.StopAfterFirst) {
            // The first in export order, whole.
            ASSERT_EQ(Names(Written), std::vector<std::string>{"Test/Walls/Brick.PNG"});
            EXPECT_TRUE(Written.begin()->second == Expected["Test/Walls/Brick.PNG"]);
            continue;
        }
        ASSERT_EQ(Names(Written), Names(Expected));
        for (const auto& [Name, Bytes] : Written)
            EXPECT_TRUE(Bytes == Expected[Name]) << Name;
    }
}

} // namespace
} // namespace swatchbox::testing
