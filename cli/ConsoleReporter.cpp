#include "cli/ConsoleReporter.h"

#include "cli/DisplayText.h"
#include "cli/Progress.h"

#include <string_view>
#include <vector>

namespace swatchbox::cli {

namespace {

// The non-empty lines of a text broken by "\r\n", "\n" or "\r".
std::vector<std::string_view> NonEmptyLines(std::string_view Text) {
    std::vector<std::string_view> Lines;
    while (!Text.empty()) {
        const std::size_t End = Text.find_first_of("\r\n");
        const std::string_view Line = Text.substr(0, End);
        if (!Line.empty())
            Lines.push_back(Line);
        if (End == std::string_view::npos)
            break;
        Text.remove_prefix(End + 1);
    }
    return Lines;
}

} // namespace

TConsoleReporter::TConsoleReporter(std::ostream& Err, TProgress* Progress)
    : Err(Err), Progress(Progress) {}

void TConsoleReporter::Report(TMessageKind Kind, const std::string&, const std::string& Text) {
    if (Kind == TMessageKind::Error)
        ++ErrorCount;
    else
        ++WarningCount;
    if (Progress)
        Progress->Clear();
    Err << (Kind == TMessageKind::Error ? "Error: " : "Warning: ");
    if (!CurrentContext.empty())
        Err << CurrentContext << ": ";
    const std::vector<std::string_view> Lines = NonEmptyLines(Text);
    for (std::size_t I = 0; I < Lines.size(); ++I)
        Err << (I == 0 ? "" : "  ") << EscapeControls(Lines[I]) << '\n';
    if (Lines.empty())
        Err << '\n';
    Err << std::flush;
    if (Progress)
        Progress->Redraw();
}

TReportContext::TReportContext(TConsoleReporter& Reporter, std::string Context)
    : Reporter(Reporter), Previous(Reporter.Context()) {
    Reporter.SetContext(std::move(Context));
}

TReportContext::~TReportContext() {
    Reporter.SetContext(std::move(Previous));
}

} // namespace swatchbox::cli
