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
    // Two groups, four formats, and a name twice in one group.
    const std::string Package = Window.Show({
        {.Name = "Brick", .Group = "Walls", .Format = pfP8},
        {.Name = "Stone", .Group = "Walls", .Format = pfDXT1, .Width = 8, .Height = 8},
        SolidTexture({.Name = "Grass", .Group = "Floors"}, 8, 4, 0x00FF00),
        {.Name = "Brick", .Group = "Walls", .Format = pfDXT5, .Width = 4, .Height = 4},
        {.Name = "Tile", .Group = "Floors", .Format = pfDXT3, .Width = 4, .Height = 4},
    });
    const struct {
        const char* Group;
        TExportFormat Format;
        bool StopAfterFirst;
        bool FolderTaken; // a file stands where the package's folder goes
        const char* Box;  // the closing box, after the folder's name
    } Rows[] = {
        {"Walls", TExportFormat::AsIs, false, false, "3 textures exported to %."},
        {"(All)", TExportFormat::AsIs, false, false, "5 textures exported to %."},
        {"Floors", TExportFormat::Png, false, false, "2 textures exported to %."},
        {"(All)", TExportFormat::Tga, false, false, "5 textures exported to %."},
        {"(All)", TExportFormat::Png, true, false,
         "1 texture exported to %.\r\nStopped after 1 of 5."},
        {"(All)", TExportFormat::Png, false, true, nullptr},
    };
    for (const auto& Row : Rows) {
        SCOPED_TRACE(std::string(Row.Group) + " " + std::to_string(static_cast<int>(Row.Format)));
        const TBrowsableDir Out;
        if (Row.FolderTaken)
            std::ofstream(Out.Path() + "\\Test") << "a file";
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
        auto Written = FilesUnder(Out.Path());
        if (Row.FolderTaken) {
            EXPECT_EQ(Texts[0].rfind("Error: Cannot export to folder \"", 0), 0u) << Texts[0];
            EXPECT_EQ(Written.size(), 1u);
            continue;
        }
        std::string Box = Row.Box;
        Box.replace(Box.find('%'), 1, Out.Path());
        EXPECT_TRUE(EqualsIgnoringAsciiCase(Texts[0], "Information: " + Box)) << Texts[0];

        const TTempDir Reference;
        std::ostringstream Ignored;
        cli::RunExport(
            {.Packages = {Package}, .OutDir = Reference.Path().string(), .Format = Row.Format},
            Ignored, Ignored);
        auto Expected = FilesUnder(Reference.Path());
        if (std::string(Row.Group) != "(All)")
            std::erase_if(Expected, [&](const auto& File) {
                return File.first.rfind("Test/" + std::string(Row.Group) + "/", 0) != 0;
            });
        if (Row.StopAfterFirst) {
            // The first in export order, whole.
            ASSERT_EQ(Written.size(), 1u);
            EXPECT_EQ(Written.begin()->first, "Test/Walls/Brick.PNG");
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
