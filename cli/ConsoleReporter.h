#pragma once

#include "package/Reporter.h"

#include <ostream>
#include <string>

namespace swatchbox::cli {

class TProgress;

// Prints messages as "Error: text" or "Warning: text" lines. A multi-line
// text keeps its first line there and puts each further non-empty line on an
// indented line of its own. The current context (package, export), when set,
// comes before the text. Counts what it printed, so the caller can tell
// whether anything failed.
class TConsoleReporter final : public IReporter {
public:
    explicit TConsoleReporter(std::ostream& Err, TProgress* Progress = nullptr);

    void Report(TMessageKind Kind, const std::string& Caption, const std::string& Text) override;

    // Printable text such as "Walls.utx, export 3 (Brick)"; empty for none.
    void SetContext(std::string Context) { CurrentContext = std::move(Context); }
    const std::string& Context() const { return CurrentContext; }

    int Errors() const { return ErrorCount; }
    int Warnings() const { return WarningCount; }
    int Messages() const { return ErrorCount + WarningCount; }

private:
    std::ostream& Err;
    TProgress* Progress;
    std::string CurrentContext;
    int ErrorCount = 0;
    int WarningCount = 0;
};

// Sets a reporter's context for one scope and restores the previous one.
class TReportContext {
public:
    TReportContext(TConsoleReporter& Reporter, std::string Context);
    ~TReportContext();
    TReportContext(const TReportContext&) = delete;
    TReportContext& operator=(const TReportContext&) = delete;

private:
    TConsoleReporter& Reporter;
    std::string Previous;
};

} // namespace swatchbox::cli
