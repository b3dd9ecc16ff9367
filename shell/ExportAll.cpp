#include "shell/ExportAll.h"

#include "resources/ResourceIds.h"
#include "shell/FolderDialog.h"
#include "shell/MainWindowState.h"
#include "shell/StatusText.h"

#include <commctrl.h>

#include <algorithm>

namespace swatchbox {

namespace {

constexpr UINT TimerPeriod = 10;
// The progress text repaints the status bar; more often would cost more
// than small files take to write.
constexpr DWORD ProgressInterval = 100;
// The closing box names this many of the textures not written.
constexpr std::size_t NamesListed = 5;

std::string StatusPartText(int Part) {
    const auto Length =
        LOWORD(SendMessageA(App.StatusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(Part), 0));
    std::string Text(Length + 1u, '\0');
    SendMessageA(App.StatusBar, SB_GETTEXTA, static_cast<WPARAM>(Part),
                 reinterpret_cast<LPARAM>(Text.data()));
    Text.resize(Length);
    return Text;
}

void ShowProgress() {
    const TBatchRun& Run = *App.ExportAll.Run;
    SetStatusText(0, "Exporting " + std::to_string(Run.Position()) + "/" +
                         std::to_string(Run.Total()) + " ...");
    App.ExportAll.StatusShown = GetTickCount();
}

std::string Count(std::size_t Number) {
    return std::to_string(Number) + (Number == 1 ? " texture" : " textures");
}

std::string ClosingText(const TBatchRun& Run, const std::string& Folder) {
    std::string Text = Count(Run.Written()) + " exported to " + Folder + ".";
    if (!Run.Done())
        Text += "\r\nStopped after " + std::to_string(Run.Position()) + " of " +
                std::to_string(Run.Total()) + ".";
    const auto& Missed = Run.NotWritten();
    if (!Missed.empty()) {
        Text += "\r\n\r\n" + Count(Missed.size()) + " skipped or failed:";
        for (std::size_t Index = 0; Index < std::min(Missed.size(), NamesListed); ++Index)
            Text += "\r\n" + Missed[Index];
        if (Missed.size() > NamesListed)
            Text += "\r\n...";
        if (!Run.FirstError().empty())
            Text += "\r\n\r\n" + Run.FirstError();
    }
    return Text;
}

// Takes the run out of the state before anything is shown, so that no
// tick and no second stop meets it.
std::unique_ptr<TBatchRun> EndRun() {
    KillTimer(App.MainWnd, ExportTimerId);
    return std::move(App.ExportAll.Run);
}

void FinishRun() {
    const std::unique_ptr<TBatchRun> Run = EndRun();
    SetStatusText(0, App.ExportAll.PackageStatus);
    const std::string Text = ClosingText(*Run, App.ExportAll.Folder);
    if (Run->NotWritten().empty())
        ReportInformation(*App.Reporter, Text);
    else
        ReportWarning(*App.Reporter, Text);
}

} // namespace

void StartExportAll() {
    if (ExportAllRunning() || App.ShownTextures.empty())
        return;
    TExportAllState& State = App.ExportAll;
    std::string Folder;
    TExportFormat Format = State.LastFormat;
    if (!BrowseForExportFolder(State.LastFolder, Folder, Format))
        return;
    State.LastFolder = Folder;
    State.LastFormat = Format;
    std::vector<const TTextureObject*> Package;
    for (const auto& Texture : App.AllTextures)
        Package.push_back(Texture.get());
    const std::vector<const TTextureObject*> Shown(App.ShownTextures.begin(),
                                                   App.ShownTextures.end());
    auto Run = std::make_unique<TBatchRun>(Folder, Format, Package, Shown);
    std::string Error;
    if (!Run->MakePackageFolder(Error)) {
        ShowError("Cannot export to folder \"" + Folder + "\"!\r\n(" + Error + ")");
        return;
    }
    State.Run = std::move(Run);
    State.Folder = Folder;
    State.PackageStatus = StatusPartText(0);
    State.StopKeys = LoadAcceleratorsA(App.Instance, "EXPORTSHORTCUTS");
    ShowProgress();
    SetTimer(App.MainWnd, ExportTimerId, TimerPeriod, nullptr);
}

bool ExportAllRunning() {
    return App.ExportAll.Run != nullptr;
}

void OnExportTimer() {
    TBatchRun* Run = App.ExportAll.Run.get();
    if (!Run)
        return;
    const DWORD Start = GetTickCount();
    do
        Run->Step();
    while (!Run->Done() && GetTickCount() - Start < App.ExportAll.SliceTime);
    if (Run->Done()) {
        FinishRun();
        return;
    }
    if (GetTickCount() - App.ExportAll.StatusShown >= ProgressInterval)
        ShowProgress();
}

void StopExportAll() {
    if (ExportAllRunning())
        FinishRun();
}

void AbandonExportAll() {
    if (ExportAllRunning())
        EndRun();
}

// Only keys for the main window and its controls: Esc still closes the
// preview and a dropped-down list.
bool TranslateExportKeys(MSG& Message) {
    const bool ForMainWindow =
        Message.hwnd == App.MainWnd || IsChild(App.MainWnd, Message.hwnd) != FALSE;
    return ExportAllRunning() && App.ExportAll.StopKeys && ForMainWindow &&
           TranslateAcceleratorA(App.MainWnd, App.ExportAll.StopKeys, &Message);
}

} // namespace swatchbox
