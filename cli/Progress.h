#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace swatchbox::cli {

// A one-line "[3/120] path" progress display on a terminal, rewritten in place
// with '\r'. Disabled, it prints nothing at all.
class TProgress {
public:
    TProgress(std::ostream& Err, std::size_t Total, bool Enabled);
    ~TProgress();
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    // Shows that item Number (1-based) of the total, Path, is being worked on.
    void Show(std::size_t Number, std::string_view Path);
    // Erases the line, so that other output can start at column 0.
    void Clear();
    // Shows the last line again after Clear.
    void Redraw();

private:
    std::ostream& Err;
    std::size_t Total;
    bool Enabled;
    std::string Line;
    std::size_t Width = 0;
    bool Visible = false;
};

} // namespace swatchbox::cli
