// A package read into the texture set through the real main window: order,
// dropped textures, groups, status texts and unreadable files.
#include "package/EngineFamily.h"
#include "package/PixelFormat.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "tests/win/ProgramFixture.h"
#include "tools/package-builder/PackageBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

using TNames = std::vector<std::string>;

class Analysis : public ::testing::Test {
protected:
    // Three shown textures in two groups, one unsupported format among them,
    // and one texture whose properties can't be read.
    std::string ShowMixed() {
        TPackageBuilder Builder;
        Builder.AddTexture({.Name = "b", .Group = "Walls", .Format = pfRGBA8});
        Builder.AddTexture({.Name = "A", .Format = pfRGBA8});
        Builder.AddTexture({.Name = "Broken", .Group = "Walls", .RawProperties = TBytes{}});
        Builder.AddTexture({.Name = "c", .Group = "Walls", .Format = pfRGBA7});
        return Window.Show(Builder, "Mixed.utx");
    }

    TProgramWindow Window;
};

// Groups whose names differ only in case stay apart, and a new package resets
// the choice. The group choice and a click on the label filter the set
// without reading the package again (it is gone by then).
TEST_F(Analysis, SortsByNameDropsUnreadableTexturesAndFiltersByGroupWithoutRereading) {
    TPackageBuilder Builder;
    Builder.AddTexture({.Name = "One", .Group = "Walls", .Format = pfRGBA8});
    Builder.AddTexture({.Name = "Two", .Group = "WALLS", .Format = pfRGBA8});
    Window.Show(Builder, "Case.utx");
    EXPECT_EQ(ComboItems(App.GroupCombo).size(), 3u);
    // The combo box finds items ignoring case: choose by position.
    SendMessageA(App.GroupCombo, CB_SETCURSEL, 1, 0);
    SendMessageA(App.MainWnd, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(App.GroupCombo));
    EXPECT_EQ(App.ShownTextures.size(), 1u);

    std::filesystem::remove(ShowMixed());
    EXPECT_EQ(ShownNames(), (TNames{"A", "b", "c"}));
    EXPECT_EQ(SendMessageA(App.GroupCombo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ComboItems(App.GroupCombo), (TNames{"(All)", "(None)", "Walls"}));
    EXPECT_EQ(WindowText(App.GroupLabel), "Group (3)");
    EXPECT_EQ(StatusText(0), "Mixed.utx");
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    ChooseComboItem(App.GroupCombo, "Walls");
    EXPECT_EQ(ShownNames(), (TNames{"b", "c"}));
    EXPECT_EQ(StatusText(1), "2/3 texture(s)");
    SendMessageA(App.MainWnd, WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
                 reinterpret_cast<LPARAM>(App.GroupLabel));
    EXPECT_EQ(ShownNames(), (TNames{"A", "b", "c"}));
    EXPECT_EQ(StatusText(1), "3/3 texture(s)");
    EXPECT_EQ(SendMessageA(App.GroupCombo, CB_GETCURSEL, 0, 0), 0);

    // A licensee's build is named beside the file.
    TPackageBuilder KillingFloor(128, 29);
    KillingFloor.Signature = KillingFloorSignature;
    KillingFloor.AddTexture({.Name = "Icon", .Format = pfRGBA8});
    Window.Show(KillingFloor, "ChatIcons.utx");
    EXPECT_EQ(StatusText(0), "ChatIcons.utx (Killing Floor)");
}

// Packages stripped for dedicated servers store no mip maps: their textures
// get no image and are left out without a word. Textures that fail raise three
// boxes and one that sums up the rest, in every analysis.
TEST_F(Analysis, LeavesOutBareTexturesQuietlyAndGathersFailuresAfterThreeMessages) {
    TPackageBuilder Builder(128, 29);
    for (const uint8_t Format : {pfP8, pfRGBA8, pfDXT1, pfDXT5})
        Builder.AddTexture({.Name = "Bare" + std::to_string(Format),
                            .Format = Format,
                            .Width = 256,
                            .Height = 256,
                            .Stripped = true});
    Builder.AddTexture({.Name = "Kept", .Format = pfDXT1, .Width = 8, .Height = 8});
    const int32_t Foreign = Builder.AddImport("Engine", "Palette", 0, "Shared");
    for (int Index = 1; Index <= 9; ++Index)
        Builder.AddTexture({.Name = "Lava" + std::to_string(Index), .Palette = Foreign});
    const std::string Path = Window.Show(Builder, "Server.utx");
    for (const std::size_t Analyses : {1u, 2u}) {
        if (Analyses == 2)
            AnalysePackage(Path);
        EXPECT_EQ(ShownNames(), TNames{"Kept"});
        ASSERT_EQ(Window.Reporter.Messages.size(), 4 * Analyses);
        EXPECT_NE(Window.Reporter.Messages[4 * Analyses - 2].Text.find("Lava3"), std::string::npos);
        const auto& Closing = Window.Reporter.Messages.back();
        EXPECT_EQ(Closing.Caption, "Warning");
        EXPECT_EQ(Closing.Text, "6 more textures could not be read.\r\n\r\nLava4\r\nLava5\r\n"
                                "Lava6\r\nLava7\r\nLava8\r\n...");
    }
}

TEST_F(Analysis, UnreadablePackageLeavesNoHalfSetAndTheProgramGoesOn) {
    const std::string Good = ShowMixed();
    App.SelectedIndex = 1;

    TPackageBuilder Builder;
    Builder.AddTexture({.Name = "Lost", .Format = pfRGBA8});
    const std::string Damaged = Window.Folder.File("Damaged.utx");
    auto Built = Builder.Build();
    Built.Truncate(Built.Bytes.size() - 20).WriteTo(Damaged);
    App.PackagePath = Damaged;
    Window.Reporter.Messages.clear();
    AnalysePackage(Damaged);

    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    EXPECT_EQ(Window.Reporter.Messages[0].Caption, "Error");
    EXPECT_NE(Window.Reporter.Messages[0].Text.find("Damaged.utx"), std::string::npos);
    ExpectNoPackageShown();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));

    std::filesystem::remove(Good);
    AnalysePackage(Good);
    EXPECT_EQ(Window.Reporter.Messages.size(), 2u);
    EXPECT_EQ(App.Package, nullptr);

    ShowMixed();
    EXPECT_EQ(App.ShownTextures.size(), 3u);
    Window.Pump();
    EXPECT_TRUE(IsWindow(App.MainWnd));
}

} // namespace
} // namespace swatchbox::testing
