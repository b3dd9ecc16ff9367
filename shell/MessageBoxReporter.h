#pragma once

#include "package/Reporter.h"

namespace swatchbox {

// Shows each message in a box owned by the active window, with the error or
// warning icon, and waits for the user.
class TMessageBoxReporter final : public IReporter {
public:
    void Report(TMessageKind Kind, const std::string& Caption, const std::string& Text) override;
};

} // namespace swatchbox
