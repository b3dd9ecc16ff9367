#pragma once

#include "package/Reporter.h"

#include <string>
#include <vector>

namespace swatchbox::testing {

// Keeps every message the code under test shows, in order.
class TRecordingReporter final : public IReporter {
public:
    struct TMessage {
        TMessageKind Kind;
        std::string Caption;
        std::string Text;
    };

    void Report(TMessageKind Kind, const std::string& Caption, const std::string& Text) override {
        Messages.push_back({Kind, Caption, Text});
    }

    std::vector<TMessage> Messages;
};

} // namespace swatchbox::testing
