#pragma once

#include "package/Reporter.h"

#include <string>
#include <vector>

namespace swatchbox {

// Keeps the messages of work done on another thread, so that they can be
// printed in order on the thread that owns the console.
class TMessageList final : public IReporter {
public:
    void Report(TMessageKind Kind, const std::string& Caption, const std::string& Text) override {
        Messages.push_back({Kind, Caption, Text});
    }

    void ReplayTo(IReporter& Reporter) const {
        for (const TMessage& Message : Messages)
            Reporter.Report(Message.Kind, Message.Caption, Message.Text);
    }

private:
    struct TMessage {
        TMessageKind Kind;
        std::string Caption;
        std::string Text;
    };
    std::vector<TMessage> Messages;
};

} // namespace swatchbox
