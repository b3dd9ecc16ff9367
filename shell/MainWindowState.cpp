#include "shell/MainWindowState.h"

#include "shell/MessageBoxReporter.h"

namespace swatchbox {

namespace {
TMessageBoxReporter MessageBoxes;
}

TMainWindowState App = [] {
    TMainWindowState State;
    State.Reporter = &MessageBoxes;
    return State;
}();

void ShowError(const std::string& Text) {
    ReportError(*App.Reporter, Text);
}

void ShowWarning(const std::string& Text) {
    ReportWarning(*App.Reporter, Text);
}

} // namespace swatchbox
