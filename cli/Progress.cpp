#include "cli/Progress.h"

#include "cli/DisplayText.h"

#include <string>

namespace swatchbox::cli {

namespace {

// Kept below the narrowest usual terminal: a line that wraps could not be
// rewritten in place.
constexpr std::size_t MaxColumns = 79;

// The end of Utf8 that fits in Columns columns, cut at a character boundary.
std::string_view Tail(std::string_view Utf8, std::size_t Columns) {
    std::size_t Start = Utf8.size();
    for (std::size_t Taken = 0; Taken < Columns && Start > 0; ++Taken) {
        --Start;
        while (Start > 0 && (static_cast<unsigned char>(Utf8[Start]) & 0xC0) == 0x80)
            --Start;
    }
    return Utf8.substr(Start);
}

} // namespace

TProgress::TProgress(std::ostream& Err, std::size_t Total, bool Enabled)
    : Err(Err), Total(Total), Enabled(Enabled) {}

TProgress::~TProgress() {
    Clear();
}

void TProgress::Show(std::size_t Number, std::string_view Path) {
    if (!Enabled)
        return;
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about
    // a literal put in front of a temporary string.
    std::string Counter = "[";
    Counter += std::to_string(Number);
    Counter += '/';
    Counter += std::to_string(Total);
    Counter += "] ";
    const std::string Shown = EscapeControls(Path);
    const std::size_t Room = MaxColumns > Counter.size() ? MaxColumns - Counter.size() : 0;
    if (DisplayWidth(Shown) > Room && Room > 3)
        Line = Counter + "..." + std::string(Tail(Shown, Room - 3));
    else
        Line = Counter + Shown;
    Redraw();
}

void TProgress::Clear() {
    if (!Visible)
        return;
    Err << '\r' << std::string(Width, ' ') << '\r' << std::flush;
    Visible = false;
}

void TProgress::Redraw() {
    if (!Enabled || Line.empty())
        return;
    const std::size_t NewWidth = DisplayWidth(Line);
    Err << '\r' << Line;
    if (Visible && Width > NewWidth)
        Err << std::string(Width - NewWidth, ' ') << '\r' << Line;
    Err << std::flush;
    Width = NewWidth;
    Visible = true;
}

} // namespace swatchbox::cli
