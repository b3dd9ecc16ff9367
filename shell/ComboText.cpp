#include "shell/ComboText.h"

namespace swatchbox {

std::string ComboItemText(HWND Combo, LRESULT Index) {
    const LRESULT Length = SendMessageA(Combo, CB_GETLBTEXTLEN, Index, 0);
    if (Index == CB_ERR || Length == CB_ERR)
        return {};
    std::string Text(static_cast<std::size_t>(Length) + 1, '\0');
    const LRESULT Copied =
        SendMessageA(Combo, CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(Text.data()));
    Text.resize(Copied == CB_ERR ? 0 : static_cast<std::size_t>(Copied));
    return Text;
}

std::string ChosenComboText(HWND Combo) {
    return ComboItemText(Combo, SendMessageA(Combo, CB_GETCURSEL, 0, 0));
}

} // namespace swatchbox
