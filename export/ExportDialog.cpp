#include "export/ExportDialog.h"

#include "package/AsciiCase.h"
#include "resources/ResourceIds.h"
#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"
#include "shell/ProgramIcon.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace swatchbox {

namespace {

// Description and pattern pairs, each ending in a zero byte, the list in an
// extra one (the literal's own terminator).
constexpr char AsIsFilter[] = "Windows Bitmap (*.BMP)\0*.bmp\0"
                              "DirectDraw Surface (*.DDS)\0*.dds\0";
constexpr char FormattedFilter[] = "24bit Windows Bitmap (*.BMP)\0*.bmp\0"
                                   "32bit Windows Bitmap (*.BMP)\0*.bmp\0"
                                   "32bit Truevision Targa (*.TGA)\0*.tga\0";

// The hook's custom data: which command opened the dialog.
constexpr LPARAM AsIsDialog = 0;
constexpr LPARAM FormattedDialog = 1;

const TTextureObject* SelectedTexture() {
    if (App.SelectedIndex < 0 ||
        static_cast<std::size_t>(App.SelectedIndex) >= App.ShownTextures.size())
        return nullptr;
    return App.ShownTextures[static_cast<std::size_t>(App.SelectedIndex)];
}

// File type and bit count of the formatted export's filters, by 1-based index.
bool FormattedChoice(DWORD FilterIndex, std::string& FileType, int32_t& BitCount) {
    switch (FilterIndex) {
    case 1:
        FileType = "BMP";
        BitCount = 24;
        return true;
    case 2:
        FileType = "BMP";
        BitCount = 32;
        return true;
    case 3:
        FileType = "TGA";
        BitCount = 32;
        return true;
    default:
        return false;
    }
}

} // namespace

void ChooseExportFile(int Command, std::string& FileType, int32_t& BitCount,
                      std::string& FileName) {
    FileName.clear();
    const TTextureObject* Texture = SelectedTexture();
    if (!Texture)
        return;
    const bool AsIs = Command != CMD_EXPORT_FORMATTED;

    // The name is cut to fit the buffer and its terminating zero.
    std::array<char, MAX_PATH> Buffer{};
    Texture->Name.copy(Buffer.data(), std::min(Texture->Name.size(), Buffer.size() - 1));

    // The full form of the record, with its trailing reserved fields zeroed.
    OPENFILENAMEA Info{};
    Info.lStructSize = sizeof(Info);
    Info.hwndOwner = App.TexturePanel;
    Info.lpstrFilter = AsIs ? AsIsFilter : FormattedFilter;
    Info.nFilterIndex = 0;
    if (AsIs)
        Info.nFilterIndex = GetFormatName(*Texture).starts_with("DXT") ? 2 : 1;
    Info.lpstrFile = Buffer.data();
    Info.nMaxFile = static_cast<DWORD>(Buffer.size());
    Info.lpstrTitle = AsIs ? "Export as is..." : "Export formatted...";
    Info.Flags = OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_PATHMUSTEXIST | OFN_EXPLORER |
                 OFN_LONGNAMES | OFN_ENABLESIZING;
    Info.lCustData = AsIs ? AsIsDialog : FormattedDialog;
    Info.lpfnHook = ExportDialogHook;
    if (!GetSaveFileNameA(&Info))
        return;

    if (!AsIs && !FormattedChoice(Info.nFilterIndex, FileType, BitCount))
        return;
    FileName.assign(Buffer.data(), std::find(Buffer.begin(), Buffer.end(), '\0'));
}

UINT_PTR CALLBACK ExportDialogHook(HWND Dialog, UINT Message, WPARAM, LPARAM LParam) {
    if (Message != WM_INITDIALOG)
        return 0;
    const auto& Info = *reinterpret_cast<const OPENFILENAMEA*>(LParam);
    // The hook runs in a child of the visible dialog.
    const HWND Window = GetParent(Dialog);
    CenterOverMainWindow(Window);
    SetSmallProgramIcon(Window);
    if (Info.lCustData == AsIsDialog) {
        // The type is fixed by the pixel format: lock the file-type list.
        App.TypeComboBox = nullptr;
        EnumChildWindows(Window, FindTypeComboProc, 0);
        if (App.TypeComboBox)
            EnableWindow(App.TypeComboBox, FALSE);
    }
    return TRUE;
}

BOOL CALLBACK FindTypeComboProc(HWND Window, LPARAM) {
    // The last combo box met wins; the folder list is owner-drawn, the
    // file-type list is not.
    char Class[256] = {};
    GetClassNameA(Window, Class, sizeof(Class));
    if (AsciiUpper(Class) == "COMBOBOX") {
        App.TypeComboBox = Window;
        if (GetWindowLongPtrA(Window, GWL_STYLE) & CBS_OWNERDRAWFIXED)
            App.TypeComboBox = nullptr;
    }
    return TRUE;
}

} // namespace swatchbox
