// The program's resources, loaded from the module the way the program loads
// them: accelerators, menus and their help texts, the retail symbols and menu
// symbols, the program icon and the retail lists.
#include "resources/ResourceIds.h"
#include "shell/WinHandles.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace swatchbox::testing {
namespace {

const COLORREF Magenta = RGB(255, 0, 255);

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

// A memory DC showing either a fresh 32-bit surface filled with one colour, or
// a bitmap owned by the caller.
class TSurface {
public:
    TSurface(int Width, int Height, COLORREF Fill) {
        BITMAPINFO Info{};
        Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
        Info.bmiHeader.biWidth = Width;
        Info.bmiHeader.biHeight = -Height;
        Info.bmiHeader.biPlanes = 1;
        Info.bmiHeader.biBitCount = 32;
        void* Bits = nullptr;
        Bitmap.Reset(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
        Show(Bitmap.Get());
        const RECT Rect{0, 0, Width, Height};
        const TBrushHandle Brush(CreateSolidBrush(Fill));
        FillRect(Dc.Get(), &Rect, Brush.Get());
    }
    explicit TSurface(HBITMAP Shown) { Show(Shown); }
    ~TSurface() { SelectObject(Dc.Get(), Old); }
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;

    HDC DC() const { return Dc.Get(); }
    COLORREF Pixel(int X, int Y) const { return GetPixel(Dc.Get(), X, Y); }

private:
    void Show(HBITMAP Shown) {
        Dc.Reset(CreateCompatibleDC(nullptr));
        Old = SelectObject(Dc.Get(), Shown);
    }
    TBitmapHandle Bitmap;
    TWinHandle<HDC, DeleteDC> Dc;
    HGDIOBJ Old{};
};

// A menu as text: items separated by "|", "-" for a separator, "=id" after a
// command, "{...}" after a sub-menu's text, "*" after a checked item.
std::string DescribeMenu(HMENU Menu) {
    std::string Text;
    for (int Position = 0; Position < GetMenuItemCount(Menu); ++Position) {
        char Label[128]{};
        MENUITEMINFOA Item{};
        Item.cbSize = sizeof(Item);
        Item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        Item.dwTypeData = Label;
        Item.cch = sizeof(Label);
        EXPECT_TRUE(GetMenuItemInfoA(Menu, Position, TRUE, &Item));
        if (Position > 0)
            Text += "|";
        if (Item.fType & MFT_SEPARATOR) {
            Text += "-";
            continue;
        }
        Text += Label;
        if (Item.hSubMenu != nullptr)
            Text += "{" + DescribeMenu(Item.hSubMenu) + "}";
        else
            Text += "=" + std::to_string(Item.wID);
        if (Item.fState & MFS_CHECKED)
            Text += "*";
    }
    return Text;
}

void CollectCommands(HMENU Menu, std::vector<UINT>& Commands) {
    for (int Position = 0; Position < GetMenuItemCount(Menu); ++Position) {
        if (HMENU Sub = GetSubMenu(Menu, Position))
            CollectCommands(Sub, Commands);
        else if (const UINT Id = GetMenuItemID(Menu, Position); Id != 0 && Id != UINT(-1))
            Commands.push_back(Id);
    }
}

std::string LoadText(UINT Id) {
    char Buffer[256]{};
    const int Length = LoadStringA(Module(), Id, Buffer, sizeof(Buffer));
    return std::string(Buffer, Length > 0 ? Length : 0);
}

TEST(Resources, AcceleratorsAreF1AndCtrlC) {
    const HACCEL Table = LoadAcceleratorsA(Module(), "APPSHORTCUTS");
    ASSERT_NE(Table, nullptr);
    ASSERT_EQ(CopyAcceleratorTableA(Table, nullptr, 0), 2);
    ACCEL Entries[2]{};
    ASSERT_EQ(CopyAcceleratorTableA(Table, Entries, 2), 2);
    const BYTE Keys = FVIRTKEY | FCONTROL | FSHIFT | FALT;
    EXPECT_EQ(Entries[0].fVirt & Keys, FVIRTKEY);
    EXPECT_EQ(Entries[0].key, VK_F1);
    EXPECT_EQ(Entries[0].cmd, CMD_HELP_KEY);
    EXPECT_EQ(Entries[1].fVirt & Keys, FVIRTKEY | FCONTROL);
    EXPECT_EQ(Entries[1].key, 'C');
    EXPECT_EQ(Entries[1].cmd, CMD_COPY_KEY);
    DestroyAcceleratorTable(Table);
}

TEST(Resources, PopupMenusHoldTheirItemsAtTheirPositions) {
    const TMenuHandle PackageList(LoadMenuA(Module(), "POP_PACKAGELIST"));
    ASSERT_TRUE(PackageList);
    ASSERT_EQ(GetMenuItemCount(PackageList.Get()), 1);
    EXPECT_EQ(DescribeMenu(GetSubMenu(PackageList.Get(), 0)),
              "Add &files...=10001|&Clear list=10002|-|Check for &retail packages{"
              "Unreal=10011|Unreal2=10012|UT99=10013|UT2003=10014|UT2004=10015}");

    const TMenuHandle Panel(LoadMenuA(Module(), "POP_RENDERPANEL"));
    ASSERT_TRUE(Panel);
    ASSERT_EQ(GetMenuItemCount(Panel.Get()), 1);
    EXPECT_EQ(DescribeMenu(GetSubMenu(Panel.Get(), 0)),
              "&Preview=11001|-|E&xport as is...\t(BMP/DDS)=11002|"
              "Export &formatted...\t(BMP/TGA)=11003|Copy to clip&board\tCtrl+C=11004|-|"
              "&Colors{&Background...=11011|&Selection...=11012|&Font...=11013}|"
              "&Size{&128x128=11021*|&256x256=11022|&512x512=11024}|&Font=11005");
}

TEST(Resources, EveryMenuCommandHasItsHelpText) {
    std::vector<UINT> Commands{CMD_SYS_HELP, CMD_SYS_ABOUT};
    for (const char* Name : {"POP_PACKAGELIST", "POP_RENDERPANEL"}) {
        const TMenuHandle Menu(LoadMenuA(Module(), Name));
        ASSERT_TRUE(Menu);
        CollectCommands(Menu.Get(), Commands);
    }
    EXPECT_EQ(Commands.size(), 20u);
    for (const UINT Id : Commands)
        EXPECT_FALSE(LoadText(Id).empty()) << Id;

    EXPECT_EQ(LoadText(CMD_SYS_HELP), "Opens the help file");
    EXPECT_EQ(LoadText(CMD_RETAIL_UT2004),
              "Puts a symbol next to every retail *.utx package of UT2004");
    EXPECT_EQ(LoadText(CMD_EXPORT_AS_IS), "Export the selected texture to a file while keeping "
                                          "the format it has inside the package");
    EXPECT_EQ(LoadText(CMD_SIZE_512), "Set the texture display size to 512x512 pixels");
    EXPECT_EQ(LoadText(11023), "");
}

TEST(Resources, RetailSymbolsShowOnAnyBackground) {
    const TBitmapHandle Bitmap(static_cast<HBITMAP>(
        LoadImageA(Module(), "BMP_RETAILS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(Bitmap);
    BITMAP Info{};
    GetObjectA(Bitmap.Get(), sizeof(Info), &Info);
    EXPECT_EQ(Info.bmWidth, 80);
    EXPECT_EQ(Info.bmHeight, 16);
    EXPECT_EQ(Info.bmBitsPixel, 8);

    const TImageListHandle Images(ImageList_LoadImageA(Module(), "BMP_RETAILS", 16, 5, CLR_DEFAULT,
                                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
    ASSERT_TRUE(Images);
    ASSERT_EQ(ImageList_GetImageCount(Images.Get()), 5);
    std::set<COLORREF> Fills;
    for (int Image = 0; Image < 5; ++Image) {
        SCOPED_TRACE(Image);
        TSurface Surface(16, 16, Magenta);
        ImageList_Draw(Images.Get(), Image, Surface.DC(), 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(Surface.Pixel(0, 0), Magenta);
        EXPECT_EQ(Surface.Pixel(15, 15), Magenta);
        EXPECT_NE(Surface.Pixel(7, 7), Magenta);
        Fills.insert(Surface.Pixel(2, 7));
    }
    EXPECT_EQ(Fills.size(), 5u) << "the five symbols should differ in colour";
}

TEST(Resources, MenuSymbolsTakeTheMenuBackground) {
    std::set<COLORREF> Fills;
    for (const char* Name : {"BMP_MENU_UNREAL", "BMP_MENU_UNREAL2", "BMP_MENU_UT99",
                             "BMP_MENU_UT2003", "BMP_MENU_UT2004"}) {
        SCOPED_TRACE(Name);
        const TBitmapHandle Dib(static_cast<HBITMAP>(
            LoadImageA(Module(), Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(Dib);
        BITMAP Info{};
        GetObjectA(Dib.Get(), sizeof(Info), &Info);
        EXPECT_EQ(Info.bmWidth, 13);
        EXPECT_EQ(Info.bmHeight, 13);
        EXPECT_EQ(Info.bmBitsPixel, 4);

        // The program's flags: UT99's symbol keeps its own colours.
        const bool Opaque = std::string(Name) == "BMP_MENU_UT99";
        const UINT Flags = Opaque ? LR_DEFAULTCOLOR : LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS;
        const TBitmapHandle Bitmap(
            static_cast<HBITMAP>(LoadImageA(Module(), Name, IMAGE_BITMAP, 0, 0, Flags)));
        ASSERT_TRUE(Bitmap);
        const TSurface Surface(Bitmap.Get());
        const COLORREF Face = GetSysColor(COLOR_3DFACE);
        if (Opaque) {
            // Nothing of it is background that would stand out on the menu.
            for (int Y = 0; Y < 13; ++Y) {
                for (int X = 0; X < 13; ++X) {
                    ASSERT_NE(Surface.Pixel(X, Y), RGB(192, 192, 192)) << X << "," << Y;
                }
            }
        } else {
            EXPECT_EQ(Surface.Pixel(0, 0), Face);
            EXPECT_EQ(Surface.Pixel(12, 12), Face);
            EXPECT_NE(Surface.Pixel(6, 6), Face);
        }
        Fills.insert(Surface.Pixel(1, 6));
    }
    EXPECT_EQ(Fills.size(), 5u) << "the five symbols should differ in colour";
}

TEST(Resources, ProgramIconHoldsThreeSizesWithTransparentSurroundings) {
    const HRSRC Group = FindResourceA(Module(), "ICO_APP", RT_GROUP_ICON);
    ASSERT_NE(Group, nullptr);
    auto* Directory = static_cast<PBYTE>(LockResource(LoadResource(Module(), Group)));
    ASSERT_NE(Directory, nullptr);
    for (const int Size : {16, 32, 48}) {
        SCOPED_TRACE(Size);
        // The image chosen for this size is drawn at that size, not scaled.
        const int Id = LookupIconIdFromDirectoryEx(Directory, TRUE, Size, Size, LR_DEFAULTCOLOR);
        const HRSRC Image = FindResourceA(Module(), MAKEINTRESOURCEA(Id), RT_ICON);
        ASSERT_NE(Image, nullptr);
        const auto* Header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), Image)));
        ASSERT_NE(Header, nullptr);
        EXPECT_EQ(Header->biWidth, Size);
        EXPECT_EQ(Header->biHeight, 2 * Size);

        const HICON Icon = static_cast<HICON>(
            LoadImageA(Module(), "ICO_APP", IMAGE_ICON, Size, Size, LR_DEFAULTCOLOR));
        ASSERT_NE(Icon, nullptr);
        TSurface Surface(Size, Size, Magenta);
        EXPECT_TRUE(DrawIconEx(Surface.DC(), 0, 0, Icon, Size, Size, 0, nullptr, DI_NORMAL));
        DestroyIcon(Icon);
        if (Size > 16) {
            EXPECT_EQ(Surface.Pixel(0, 0), Magenta);
        }
        // Four tiles of four colours.
        const int Near = Size * 28 / 100;
        const int Far = Size - 1 - Near;
        const std::set<COLORREF> Tiles{Surface.Pixel(Near, Near), Surface.Pixel(Far, Near),
                                       Surface.Pixel(Near, Far), Surface.Pixel(Far, Far)};
        EXPECT_EQ(Tiles.size(), 4u);
        EXPECT_EQ(Tiles.count(Magenta), 0u);
    }
}

std::string ReadFile(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    EXPECT_TRUE(File) << Path;
    std::stringstream Text;
    Text << File.rdbuf();
    return Text.str();
}

TEST(Resources, RetailListsAreEmbeddedByteForByte) {
    const std::pair<const char*, const char*> Lists[] = {
        {"TXT_RETAILUTX_UNREAL", "Unreal.txt"}, {"TXT_RETAILUTX_UNREAL2", "Unreal2.txt"},
        {"TXT_RETAILUTX_UT99", "UT99.txt"},     {"TXT_RETAILUTX_UT2003", "UT2003.txt"},
        {"TXT_RETAILUTX_UT2004", "UT2004.txt"},
    };
    for (const auto& [Name, File] : Lists) {
        SCOPED_TRACE(Name);
        const HRSRC Info = FindResourceA(Module(), Name, RT_RCDATA);
        ASSERT_NE(Info, nullptr);
        const auto* Bytes = static_cast<const char*>(LockResource(LoadResource(Module(), Info)));
        ASSERT_NE(Bytes, nullptr);
        const std::string Embedded(Bytes, SizeofResource(Module(), Info));
        EXPECT_EQ(Embedded, ReadFile(std::string(SWATCHBOX_RESOURCES_DIR) + "/retail/" + File));
        EXPECT_TRUE(Embedded.ends_with("DUMMY.DUMMY") || Embedded.ends_with("DUMMY.DUMMY\r\n"));
    }
}

} // namespace
} // namespace swatchbox::testing
