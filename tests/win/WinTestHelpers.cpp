#include "tests/win/WinTestHelpers.h"

#include "shell/MainWindowState.h"

#include <commctrl.h>

namespace swatchbox::testing {

std::string StatusText(int Part) {
    const LRESULT Length = SendMessageA(App.StatusBar, SB_GETTEXTLENGTHA, Part, 0);
    std::string Text(LOWORD(Length) + 1, '\0');
    SendMessageA(App.StatusBar, SB_GETTEXTA, Part, reinterpret_cast<LPARAM>(Text.data()));
    Text.resize(LOWORD(Length));
    return Text.substr(std::min(Text.find_first_not_of('\t'), Text.size()));
}

std::string WindowText(HWND Window) {
    std::string Text(static_cast<std::size_t>(GetWindowTextLengthA(Window)) + 1, '\0');
    Text.resize(static_cast<std::size_t>(
        GetWindowTextA(Window, Text.data(), static_cast<int>(Text.size()))));
    return Text;
}

std::vector<std::string> ComboItems(HWND Combo) {
    std::vector<std::string> Items;
    const LRESULT Count = SendMessageA(Combo, CB_GETCOUNT, 0, 0);
    for (LRESULT Index = 0; Index < Count; ++Index) {
        std::string Text(
            static_cast<std::size_t>(SendMessageA(Combo, CB_GETLBTEXTLEN, Index, 0)) + 1, '\0');
        Text.resize(static_cast<std::size_t>(
            SendMessageA(Combo, CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(Text.data()))));
        Items.push_back(Text);
    }
    return Items;
}

std::vector<std::string> ShownNames() {
    std::vector<std::string> Names;
    for (const auto* Texture : App.ShownTextures)
        Names.push_back(Texture->Name);
    return Names;
}

} // namespace swatchbox::testing
