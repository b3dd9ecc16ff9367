#include "shell/PackageAnalysis.h"

#include "display/OpenGLTexture.h"
#include "display/PanelRendering.h"
#include "package/PackageNames.h"
#include "package/TextureWalk.h"
#include "shell/ComboText.h"
#include "shell/ExportAll.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/StatusText.h"
#include "shell/TextureMessageLimit.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <new>
#include <set>
#include <string_view>

namespace swatchbox {

namespace {

// The running count of an analysis goes to the status bar at most this often,
// in milliseconds: each new text repaints the status bar, which would take
// longer than reading and uploading a small texture.
constexpr DWORD ProgressInterval = 100;

std::string CountText(std::size_t Count, std::size_t Total) {
    return std::to_string(Count) + "/" + std::to_string(Total) + " texture(s)";
}

void ShowTextureCounts() {
    SetStatusText(1, CountText(App.ShownTextures.size(), App.AllTextures.size()), saCentre);
}

void EmptyGroupCombo() {
    SendMessageA(App.GroupCombo, CB_RESETCONTENT, 0, 0);
}

// Every texture is read and uploaded. An export that can't be read at all
// (a reference outside the tables) ends the analysis, so no package is shown
// with textures silently missing; textures without pixels (stored without mip
// maps, or ignored with a message) come without an OpenGL image and are
// dropped after the sort.
void ReadTextures(TTextureMessageLimit& Messages) {
    TUnrealPackage& Package = *App.Package;
    SetStatusText(0, "Analysing package...");
    std::size_t Found = 0;
    TUploadBuffers Buffers;
    TTextureWalk Walk;
    Walk.Errors = TWalkErrors::Stop;
    Walk.Uploader = SharedUploader(Buffers);
    Walk.Messages = &Messages;
    Walk.OnTexture = [&](int32_t Index, std::size_t, std::size_t Count) {
        Found = Count;
        Messages.SetTexture(Package.Exports[static_cast<std::size_t>(Index)].GetObjectName());
    };
    DWORD Shown = GetTickCount();
    Walk.Run(Package, [&](std::unique_ptr<TTextureObject> Texture) {
        App.AllTextures.push_back(std::move(Texture));
        // Nothing else is painted while the analysis runs: the count is
        // painted here, so that a long analysis shows how far it is.
        if (const DWORD Now = GetTickCount(); Now - Shown >= ProgressInterval) {
            Shown = Now;
            SetStatusText(1, CountText(App.AllTextures.size(), Found), saCentre);
            UpdateWindow(App.StatusBar);
        }
    });
}

void SortAndKeepUploaded() {
    std::sort(App.AllTextures.begin(), App.AllTextures.end(),
              [](const auto& A, const auto& B) { return CompareTextures(*A, *B) < 0; });
    std::erase_if(App.AllTextures, [](const auto& Texture) { return !Texture->GLTexture; });
    App.ShownTextures.clear();
    for (const auto& Texture : App.AllTextures)
        App.ShownTextures.push_back(Texture.get());
}

// "(All)" and each distinct group once, exactly as spelt; the box sorts them.
void FillGroupCombo() {
    EmptyGroupCombo();
    std::set<std::string_view> Added{"(All)"};
    SendMessageA(App.GroupCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("(All)"));
    for (const auto& Texture : App.AllTextures)
        if (Added.insert(Texture->Group).second)
            SendMessageA(App.GroupCombo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(Texture->Group.c_str()));
    SendMessageA(App.GroupCombo, CB_SETCURSEL, 0, 0);
    const LRESULT Groups = SendMessageA(App.GroupCombo, CB_GETCOUNT, 0, 0);
    SetWindowTextA(App.GroupLabel, ("Group (" + std::to_string(Groups) + ")").c_str());
}

void ResetPanelScroll() {
    App.PanelScroll.nTrackPos = 0;
    App.PanelScroll.nPos = 0;
    SetScrollInfo(App.TexturePanel, SB_VERT, &App.PanelScroll, TRUE);
    InvalidatePanelFrame();
}

// Whatever part of the set was built goes, and the window looks as if no
// package had been chosen; the user hears why.
void AbandonAnalysis(const std::string& Path, const std::string& Reason) {
    if (App.Package)
        ReleasePackage();
    App.AllTextures.clear();
    App.ShownTextures.clear();
    App.PackagePath.clear();
    ClearGroupsAndStatus();
    ResetPanelScroll();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    ShowError("Cannot read package \"" + Path + "\"!\r\n(" + Reason + ")");
}

} // namespace

void AnalysePackage(const std::string& Path) {
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SetStatusText(-1);
    if (App.Package)
        ReleasePackage();
    TTextureMessageLimit Messages(*App.Reporter);
    try {
        App.Package = std::make_unique<TUnrealPackage>(Path, *App.Reporter);
        ReadTextures(Messages);
    } catch (const std::bad_alloc&) {
        AbandonAnalysis(Path, "Not enough memory");
        return;
    } catch (const std::exception& Error) {
        AbandonAnalysis(Path, Error.what());
        return;
    }
    SortAndKeepUploaded();
    FillGroupCombo();
    ShowTextureCounts();
    std::string Shown(FileNamePart(App.Package->FileName));
    if (App.Package->Family.IsLicensee())
        Shown += " (" + std::string(App.Package->Family.Name) + ")";
    SetStatusText(0, Shown);
    // The new range, at the top, in one update of the scroll bar.
    App.PanelScroll.nTrackPos = 0;
    App.PanelScroll.nPos = 0;
    UpdatePanelScrollRange();
    InvalidatePanelFrame();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    Messages.Finish();
}

void ReleasePackage() {
    // The export's textures go with the package.
    AbandonExportAll();
    App.AllTextures.clear();
    App.ShownTextures.clear();
    App.SelectedIndex = -1;
    App.Package.reset();
    // With nothing to show, the panel's own background takes the frame's place.
    InvalidatePanelFrame();
    InvalidateRect(App.TexturePanel, nullptr, TRUE);
}

int CompareTextures(const TTextureObject& A, const TTextureObject& B) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, A.Name.data(),
                          static_cast<int>(A.Name.size()), B.Name.data(),
                          static_cast<int>(B.Name.size())) -
           2;
}

void FilterByGroup(const std::string& Name) {
    App.ShownTextures.clear();
    for (const auto& Texture : App.AllTextures)
        if (Name == "(All)" || Texture->Group == Name)
            App.ShownTextures.push_back(Texture.get());
    UpdatePanelScrollRange();
    InvalidatePanelFrame();
}

void UpdatePanelScrollRange() {
    const auto Columns = static_cast<std::size_t>(PanelColumnCount());
    const std::size_t Count = App.ShownTextures.size();
    const std::size_t Rows = Count / Columns + (Count % Columns != 0 ? 1 : 0);
    App.PanelScroll.nMax = static_cast<int>(static_cast<float>(Rows) * App.CellHeight);
    App.PanelScroll.nPage = static_cast<UINT>(App.CellHeight);
    SetScrollInfo(App.TexturePanel, SB_VERT, &App.PanelScroll, TRUE);
    // The bar keeps the position within the new range, which may move the view.
    InvalidatePanelFrame();
}

void OnGroupChoice() {
    FilterByGroup(ChosenComboText(App.GroupCombo));
    ShowTextureCounts();
}

void OnGroupLabelClick() {
    if (SendMessageA(App.GroupCombo, CB_GETCOUNT, 0, 0) <= 0)
        return;
    SendMessageA(App.GroupCombo, CB_SETCURSEL, 0, 0);
    FilterByGroup("(All)");
    ShowTextureCounts();
}

void ClearGroupsAndStatus() {
    EmptyGroupCombo();
    SetWindowTextA(App.GroupLabel, "Group");
    SetStatusText(-1);
}

} // namespace swatchbox
