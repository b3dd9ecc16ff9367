#pragma once

#include <string>

namespace swatchbox {

enum class TMessageKind { Error, Warning, Information };

// Where user-facing messages go: a message box in the program, stderr in the
// command-line tool, a recording in tests. Caption and text are shown exactly.
class IReporter {
public:
    virtual ~IReporter() = default;
    virtual void Report(TMessageKind Kind, const std::string& Caption, const std::string& Text) = 0;
};

inline void ReportError(IReporter& Reporter, const std::string& Text) {
    Reporter.Report(TMessageKind::Error, "Error", Text);
}

inline void ReportWarning(IReporter& Reporter, const std::string& Text) {
    Reporter.Report(TMessageKind::Warning, "Warning", Text);
}

// The end of a long task, told to the user.
inline void ReportInformation(IReporter& Reporter, const std::string& Text) {
    Reporter.Report(TMessageKind::Information, "Information", Text);
}

// Swallows every message; for callers that only want the result.
class TSilentReporter final : public IReporter {
public:
    void Report(TMessageKind, const std::string&, const std::string&) override {}
};

} // namespace swatchbox
