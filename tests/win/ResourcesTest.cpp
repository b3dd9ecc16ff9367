// The program's resources, loaded from the module the way the program loads them.
#include "resources/ResourceIds.h"
#include "shell/WinHandles.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace swatchbox::testing {
namespace {

const HINSTANCE Module = GetModuleHandleA(nullptr);
const char* const Games[] = {"Unreal", "Unreal2", "UT99", "UT2003", "UT2004"};

// A menu as text: "|" between items, "-" a separator, "=id" after a command,
// "{...}" after a sub-menu, "*" after a checked item. Collects the commands.
std::string DescribeMenu(HMENU Menu, std::vector<UINT>& Commands) {
    std::string Text;
    for (int Position = 0; Position < GetMenuItemCount(Menu); ++Position) {
        char Label[128]{};
        GetMenuStringA(Menu, Position, Label, sizeof(Label), MF_BYPOSITION);
        const UINT State = GetMenuState(Menu, Position, MF_BYPOSITION);
        Text += std::string(Position > 0 ? "|" : "") + (State & MF_SEPARATOR ? "-" : Label);
        if (const HMENU Sub = GetSubMenu(Menu, Position)) {
            Text += "{" + DescribeMenu(Sub, Commands) + "}";
        } else if (!(State & MF_SEPARATOR)) {
            Commands.push_back(GetMenuItemID(Menu, Position));
            Text += "=" + std::to_string(Commands.back());
        }
        Text += State & MF_CHECKED ? "*" : "";
    }
    return Text;
}

std::string LoadText(UINT Id) {
    char Buffer[256]{};
    const int Length = LoadStringA(Module, Id, Buffer, sizeof(Buffer));
    return std::string(Buffer, Length > 0 ? Length : 0);
}

TEST(Resources, AcceleratorsAreF1AndCtrlC) {
    const HACCEL Table = LoadAcceleratorsA(Module, "APPSHORTCUTS");
    ACCEL Entries[3]{};
    const int Count = CopyAcceleratorTableA(Table, Entries, 3);
    DestroyAcceleratorTable(Table);
    using TKey = std::tuple<int, int, int>; // modifiers, key, command
    std::vector<TKey> Keys;
    for (int Entry = 0; Entry < Count; ++Entry)
        Keys.emplace_back(Entries[Entry].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT),
                          Entries[Entry].key, Entries[Entry].cmd);
    EXPECT_EQ(Keys, (std::vector<TKey>{{FVIRTKEY, VK_F1, CMD_HELP_KEY},
                                       {FVIRTKEY | FCONTROL, 'C', CMD_COPY_KEY}}));
}

TEST(Resources, PopupMenusHoldTheirItemsAndEveryCommandHasItsHelpText) {
    const std::pair<const char*, const char*> Menus[] = {
        {"POP_PACKAGELIST", "Add &files...=10001|&Clear list=10002|-|Check for &retail packages{"
                            "Unreal=10011|Unreal2=10012|UT99=10013|UT2003=10014|UT2004=10015}"},
        {"POP_RENDERPANEL",
         "&Preview=11001|-|E&xport as is...\t(BMP/DDS)=11002|"
         "Export &formatted...\t(BMP/TGA)=11003|Copy to clip&board\tCtrl+C=11004|-|"
         "&Colors{&Background...=11011|&Selection...=11012|&Font...=11013}|"
         "&Size{&128x128=11021*|&256x256=11022|&512x512=11024}|&Font=11005"},
    };
    std::vector<UINT> Commands{CMD_SYS_HELP, CMD_SYS_ABOUT};
    for (const auto& [Name, Items] : Menus) {
        const TMenuHandle Menu(LoadMenuA(Module, Name));
        ASSERT_EQ(GetMenuItemCount(Menu.Get()), 1) << Name;
        EXPECT_EQ(DescribeMenu(GetSubMenu(Menu.Get(), 0), Commands), Items);
    }
    EXPECT_EQ(Commands.size(), 20u);
    for (const UINT Id : Commands)
        EXPECT_FALSE(LoadText(Id).empty()) << Id;
    EXPECT_EQ(LoadText(CMD_SIZE_512), "Set the texture display size to 512x512 pixels");
}

TEST(Resources, ImagesLoadAtTheirSizes) {
    // Width, height and bits per pixel.
    const auto Shape = [](const std::string& Name) {
        const TBitmapHandle Bitmap(static_cast<HBITMAP>(
            LoadImageA(Module, Name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        BITMAP Info{};
        GetObjectA(Bitmap.Get(), sizeof(Info), &Info);
        return std::vector<LONG>{Info.bmWidth, Info.bmHeight, Info.bmBitsPixel};
    };
    EXPECT_EQ(Shape("BMP_RETAILS"), (std::vector<LONG>{80, 16, 8}));
    for (const std::string Game : Games)
        EXPECT_EQ(Shape("BMP_MENU_" + Game), (std::vector<LONG>{13, 13, 4})) << Game;
    EXPECT_EQ(Shape("BMP_ABOUTBACK"), (std::vector<LONG>{128, 223, 4}));

    // Width and bits per pixel of the image an icon offers for Size.
    const auto IconImage = [](const char* Name, int Size) {
        auto* Directory = static_cast<PBYTE>(
            LockResource(LoadResource(Module, FindResourceA(Module, Name, RT_GROUP_ICON))));
        const int Id =
            Directory ? LookupIconIdFromDirectoryEx(Directory, TRUE, Size, Size, LR_DEFAULTCOLOR)
                      : 0;
        const auto* Header = static_cast<const BITMAPINFOHEADER*>(LockResource(
            LoadResource(Module, FindResourceA(Module, MAKEINTRESOURCEA(Id), RT_ICON))));
        return Header ? std::vector<LONG>{Header->biWidth, Header->biBitCount}
                      : std::vector<LONG>{};
    };
    // The program icon has an image of its own for each size, so none is scaled.
    for (const int Size : {16, 32, 48})
        EXPECT_EQ(IconImage("ICO_APP", Size), (std::vector<LONG>{Size, 32}));
    EXPECT_EQ(IconImage("ICO_MAKERLOGO", 32), (std::vector<LONG>{32, 4}));
}

TEST(Resources, AboutDialogIsACaptionlessBoxOfTwelveControls) {
    const auto* Bytes = static_cast<const BYTE*>(
        LockResource(LoadResource(Module, FindResourceA(Module, "DLG_ABOUT", RT_DIALOG))));
    ASSERT_NE(Bytes, nullptr);
    // The extended template's header, up to the dialog's size.
    struct {
        WORD Version, Signature;
        DWORD HelpId, ExtendedStyle, Style;
        WORD Items;
        short X, Y, Width, Height;
    } Header{};
    std::memcpy(&Header, Bytes, 26);
    EXPECT_EQ(std::vector<LONG>({Header.Version, Header.Signature, LONG(Header.Style), Header.Items,
                                 Header.X, Header.Y, Header.Width, Header.Height}),
              std::vector<LONG>({1, 0xFFFF, LONG(0x800800C8), 12, 6, 18, 299, 137}));
}

TEST(Resources, RetailSymbolsAreDrawnWithTransparentSurroundings) {
    const COLORREF Magenta = RGB(255, 0, 255);
    const TImageListHandle Images(ImageList_LoadImageA(Module, "BMP_RETAILS", 16, 5, CLR_DEFAULT,
                                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
    ASSERT_EQ(ImageList_GetImageCount(Images.Get()), 5);
    const HDC Screen = GetDC(nullptr);
    const TBitmapHandle Surface(CreateCompatibleBitmap(Screen, 80, 16));
    const TWinHandle<HDC, DeleteDC> Dc(CreateCompatibleDC(Screen));
    ReleaseDC(nullptr, Screen);
    const HGDIOBJ Old = SelectObject(Dc.Get(), Surface.Get());
    const RECT All{0, 0, 80, 16};
    FillRect(Dc.Get(), &All, TBrushHandle(CreateSolidBrush(Magenta)).Get());
    for (int Image = 0; Image < 5; ++Image) {
        const int X = 16 * Image;
        ImageList_Draw(Images.Get(), Image, Dc.Get(), X, 0, ILD_TRANSPARENT);
        EXPECT_EQ(GetPixel(Dc.Get(), X, 0), Magenta) << Image;
        EXPECT_EQ(GetPixel(Dc.Get(), X + 15, 15), Magenta) << Image;
        EXPECT_NE(GetPixel(Dc.Get(), X + 7, 7), Magenta) << Image;
    }
    SelectObject(Dc.Get(), Old);
}

TEST(Resources, RetailListsAreEmbeddedByteForByte) {
    for (const std::string Game : Games) {
        const HRSRC Info = FindResourceA(Module, ("TXT_RETAILUTX_" + Game).c_str(), RT_RCDATA);
        const auto* Bytes = static_cast<const char*>(LockResource(LoadResource(Module, Info)));
        ASSERT_NE(Bytes, nullptr) << Game;
        std::ifstream File(SWATCHBOX_RESOURCES_DIR "/retail/" + Game + ".txt", std::ios::binary);
        EXPECT_EQ(std::string(Bytes, SizeofResource(Module, Info)),
                  std::string(std::istreambuf_iterator<char>(File), {}))
            << Game;
    }
}

} // namespace
} // namespace swatchbox::testing
