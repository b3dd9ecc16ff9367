// The package list through the real main window: its rows, their order and
// retail symbols, dropped files, clicks on them, the game choice and "&Clear
// list"; and a package read into the texture set: order, groups, status
// texts, failures.
#include "shell/PackageList.h"
#include "package/PixelFormat.h"
#include "resources/ResourceIds.h"
#include "tests/win/ProgramFixture.h"
#include "tools/package-builder/LineageWrapper.h"

namespace swatchbox::testing {
namespace {

using TNames = std::vector<std::string>;

// Writes the bytes, or a package of one texture when none are given.
void Write(const std::string& Path, const std::string& Bytes = {}) {
    TPackageBuilder Builder;
    Builder.AddTexture({.Name = "Wall"});
    if (Bytes.empty())
        Builder.WriteTo(Path);
    else
        std::ofstream(Path, std::ios::binary) << Bytes;
}

// A row's text and image, asked for the way the list view asks.
std::pair<std::string, int> Row(int Item, int Capacity = MAX_PATH) {
    std::string Text(static_cast<std::size_t>(Capacity), '#');
    NMLVDISPINFOA Info{};
    Info.hdr = {App.PackageList, 0, LVN_GETDISPINFOA};
    Info.item.iItem = Item;
    Info.item.mask = LVIF_TEXT | LVIF_IMAGE;
    Info.item.pszText = Text.data();
    Info.item.cchTextMax = Capacity;
    Info.item.iImage = -2;
    SendMessageA(App.MainWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Info));
    return {Text.substr(0, Text.find('\0')), Info.item.iImage};
}

// Every row's symbol, -1 for none.
std::vector<int> Symbols() {
    std::vector<int> Result;
    for (int Item = 0; Item < static_cast<int>(App.PackageFiles.size()); ++Item)
        Result.push_back(Row(Item).second);
    return Result;
}

void Click(int Item) {
    NMITEMACTIVATE Info{};
    Info.hdr = {App.PackageList, 0, NM_CLICK};
    Info.iItem = Item;
    SendMessageA(App.MainWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Info));
}

int RowOf(const std::string& Path) {
    const auto Found = std::find(App.PackageFiles.begin(), App.PackageFiles.end(), Path);
    return Found == App.PackageFiles.end() ? -1
                                           : static_cast<int>(Found - App.PackageFiles.begin());
}

LRESULT ListCount() {
    return SendMessageA(App.PackageList, LVM_GETITEMCOUNT, 0, 0);
}

class PackageList : public ::testing::Test {
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

    // A new folder in the test's folder.
    std::string MakeFolder(const std::string& Name) {
        const std::string Path = WindowsPath(Window.Folder.File(Name));
        std::filesystem::create_directories(Path);
        return Path;
    }

    TProgramWindow Window;
};

// Each game marks the names of its own list whatever their case and
// extension: entries new to a list are found, names taken out of one are no
// longer marked, and every list holds DUMMY.DUMMY.
TEST_F(PackageList, RetailSymbolsMarkEachGamesNamesAndFolderFilesReplaceOrJoinTheList) {
    const std::string Folder = MakeFolder("Textures");
    for (const char* Name : {"skybox.utx", "SkyBox.txt", "skybox.utx.bak", "dummy.dummy.utx",
                             "AW-Ancient.utx", "ScottT.utx", "UT2003Fonts_kot.utx"})
        Write(Folder + "\\" + Name, "x");
    AddFolderFiles(Folder, false);
    // Rows: AW-Ancient.utx, dummy.dummy.utx, ScottT.utx, SkyBox.txt, skybox.utx,
    // skybox.utx.bak, UT2003Fonts_kot.utx.
    const std::pair<int, std::vector<int>> Games[] = {
        {0, {-1, -1, -1, -1, -1, -1, -1}}, // no game's symbols before one is chosen
        {CMD_RETAIL_UNREAL2, {-1, 1, 1, -1, -1, -1, -1}},
        {CMD_RETAIL_UT2003, {-1, 3, -1, -1, -1, -1, 3}},
        {CMD_RETAIL_UT2004, {4, 4, -1, 4, 4, -1, 4}},
    };
    for (const auto& [Command, Marks] : Games) {
        if (Command)
            SendMessageA(App.PackageList, WM_COMMAND, Command, 0);
        EXPECT_EQ(Symbols(), Marks) << Command;
    }
    EXPECT_EQ(Row(3).first, "SkyBox.txt");

    // The text is cut to the list view's buffer; rows it doesn't have are left alone.
    EXPECT_EQ(Row(1, 6).first, "dummy");
    EXPECT_EQ(Row(1, 1).first, "");
    EXPECT_EQ(Row(7).second, -2);

    // Folder files replace or join the list, sorted by file name alone.
    const std::string One = MakeFolder("One");
    const std::string Two = MakeFolder("Two");
    for (const std::string& Path : {One + "\\C.utx", One + "\\A.utx", Two + "\\b.utx"})
        Write(Path, "x");
    std::filesystem::create_directories(One + "\\Folder.utx");

    AddFolderFiles(One, false);
    AddFolderFiles(Two, true);
    EXPECT_EQ(App.PackageFiles,
              (std::vector<std::string>{One + "\\A.utx", Two + "\\b.utx", One + "\\C.utx"}));
    EXPECT_EQ(ListCount(), 3);
    // The same folder again lists its file again; a folder that can't be
    // read adds nothing, or replaces the list with nothing.
    AddFolderFiles(Two, true);
    EXPECT_EQ(ListCount(), 4);
    AddFolderFiles(One + "\\Missing", true);
    EXPECT_EQ(ListCount(), 4);
    AddFolderFiles(One + "\\Missing", false);
    EXPECT_EQ(ListCount(), 0);
    EXPECT_TRUE(App.PackageFiles.empty());
}

TEST_F(PackageList, ClickAnalysesOnceDropsWhatIsNoPackageAndAGameOrClearForgetsIt) {
    const std::string One = MakeFolder("One");
    const std::string Two = MakeFolder("Two");
    const std::string Shown = One + "\\SkyBox.utx";
    const std::string Twin = Two + "\\SkyBox.utx";
    Write(Shown);
    Write(Twin);
    Write(One + "\\Junk.utx", "JUNK");
    Write(One + "\\Tiny.utx", "\xC1\x83");
    Write(One + "\\Gone.utx");
    AddFolderFiles(One, false);
    std::filesystem::remove(One + "\\Gone.utx"); // gone since listing: dropped quietly
    AddPackageFile(Two);                         // a dropped folder
    AddPackageFile(Twin);

    Click(RowOf(Shown));
    EXPECT_EQ(App.PackagePath, Shown);
    ASSERT_TRUE(App.Package);
    const TUnrealPackage* Analysed = App.Package.get();
    Click(RowOf(Shown));
    EXPECT_EQ(App.Package.get(), Analysed) << "the shown package was read again";

    for (const std::string& Dropped :
         {One + "\\Junk.utx", One + "\\Tiny.utx", One + "\\Gone.utx", Two}) {
        Click(RowOf(Dropped));
        EXPECT_EQ(RowOf(Dropped), -1) << Dropped;
    }
    EXPECT_EQ(ListCount(), 2);
    EXPECT_EQ(
        SendMessageA(App.PackageList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED),
        RowOf(Shown));
    EXPECT_EQ(App.Package.get(), Analysed);

    // The same file name in another folder is another package.
    Click(RowOf(Twin));
    EXPECT_EQ(App.PackagePath, Twin);
    Click(-1);
    Click(2);
    EXPECT_EQ(ListCount(), 2);
    EXPECT_TRUE(Window.Reporter.Messages.empty());

    // Choosing a game lists its folder with its symbols, and clearing the list
    // empties it; both forget the shown package.
    App.TextureFolders.UT2004 = Two;
    SendMessageA(App.GameCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("UT2004"));
    ChooseComboItem(App.GameCombo, "UT2004");
    EXPECT_EQ(Symbols(), std::vector<int>{4});
    ExpectNoPackageShown();

    Click(0);
    ASSERT_TRUE(App.Package);
    SendMessageA(App.PackageList, WM_COMMAND, CMD_CLEAR_LIST, 0);
    EXPECT_TRUE(App.PackageFiles.empty());
    EXPECT_EQ(ListCount(), 0);
    EXPECT_EQ(App.RetailMarker, 0);
    ExpectNoPackageShown();
}

// Dropped files join the sorted list at their full length.
TEST(PackageListCommandLine, ArgumentsAreListedAsTheFileSystemSpellsThemAndDropsJoinThem) {
    TTempDir Folder;
    const std::string Root = WindowsPath(Folder.Path().string());
    Write(Root + "\\SkyBox.utx", "x");
    Write(Root + "\\Another.utx", "x");
    const std::string Missing = Root + "\\Missing.utx";
    TProgramWindow Window({Root + "\\SKYBOX.UTX", Missing, Root + "\\A*.utx"});
    const std::string Deep = "C:\\" + std::string(300, 'x') + "\\Deep.utx";

    HGLOBAL Memory = GlobalAlloc(GHND, sizeof(DROPFILES) + Deep.size() + 2);
    auto* Files = static_cast<DROPFILES*>(GlobalLock(Memory));
    Files->pFiles = sizeof(DROPFILES);
    std::strcpy(reinterpret_cast<char*>(Files + 1), Deep.c_str());
    GlobalUnlock(Memory);
    SendMessageA(App.MainWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(Memory), 0);
    EXPECT_EQ(App.PackageFiles, (std::vector<std::string>{Root + "\\Another.utx", Deep, Missing,
                                                          Root + "\\SkyBox.utx"}));
    EXPECT_EQ(ListCount(), 4);
}

// Groups whose names differ only in case stay apart, and a new package resets
// the choice. The group choice and a click on the label filter the set
// without reading the package again (it is gone by then).
TEST_F(PackageList, SortsByNameDropsUnreadableTexturesAndFiltersByGroupWithoutRereading) {
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

    // Lineage II's wrapped packages show their textures as plain ones do, and
    // a licensee's build is named beside the file.
    TPackageBuilder Lineage(121);
    Lineage.AddTexture({.Name = "Crest", .Format = pfDXT3, .Width = 8, .Height = 8});
    const std::string Wrapped = Window.Folder.File("Pledge.utx");
    WriteFileBytes(Wrapped, WrapLineage(Lineage.Build().Bytes, "121", 0xAC));
    AnalysePackage(Wrapped);
    EXPECT_EQ(StatusText(0), "Pledge.utx (Lineage II)");
    EXPECT_EQ(ShownNames(), TNames{"Crest"});
}

// Packages stripped for dedicated servers store no mip maps: their textures
// get no image and are left out without a word. Textures that fail raise three
// boxes and one that sums up the rest, in every analysis.
TEST_F(PackageList, LeavesOutBareTexturesQuietlyGathersFailuresAndSurvivesAnUnreadablePackage) {
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

    // An unreadable package leaves no half set, and the program goes on.
    const std::string Good = ShowMixed();
    App.SelectedIndex = 1;

    TPackageBuilder Lost;
    Lost.AddTexture({.Name = "Lost", .Format = pfRGBA8});
    const std::string Damaged = Window.Folder.File("Damaged.utx");
    auto Built = Lost.Build();
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
