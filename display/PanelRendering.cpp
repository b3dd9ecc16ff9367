#include "display/PanelRendering.h"

#include "display/OpenGLTexture.h"
#include "sheet/PanelGrid.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/StatusText.h"

#include <windows.h>

#include <GL/gl.h>

#include <string_view>

namespace swatchbox {

namespace {

constexpr GLsizei GlyphListCount = 256;
// Code 255 gets no glyph: its list stays empty and draws nothing.
constexpr DWORD GlyphCount = 255;

// One component of a 0x00BBGGRR colour, 0 for red, as OpenGL takes it.
float Component(uint32_t Color, int Index) {
    return static_cast<float>((Color >> (8 * Index)) & 0xFF) / 255.0f;
}

void SetColor(uint32_t Color) {
    glColor3f(Component(Color, 0), Component(Color, 1), Component(Color, 2));
}

void ClearWithColor(uint32_t Color) {
    glClearColor(Component(Color, 0), Component(Color, 1), Component(Color, 2), 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

int32_t PanelClientWidth() {
    RECT Client{};
    GetClientRect(App.TexturePanel, &Client);
    return Client.right - Client.left;
}

bool MakePanelCurrent() {
    return wglMakeCurrent(App.PanelDC, App.PanelGLContext) != FALSE;
}

void DrawLine(float X, float Baseline, std::string_view Text) {
    if (Text.empty())
        return;
    glRasterPos2f(X, Baseline);
    glCallLists(static_cast<GLsizei>(Text.size()), GL_UNSIGNED_BYTE, Text.data());
}

void DrawSelection(int32_t Columns) {
    const auto Count = static_cast<int32_t>(App.ShownTextures.size());
    if (App.SelectedIndex < 0 || App.SelectedIndex >= Count) {
        App.SelectedIndex = -1;
        SetStatusText(2);
        return;
    }
    const grid::TPoint Cell = grid::CellOrigin(App.SelectedIndex, Columns, Settings.TextureSize);
    const auto X = static_cast<float>(Cell.X);
    const auto Y = static_cast<float>(Cell.Y);
    SetColor(Settings.SelectionColor);
    glBegin(GL_QUADS);
    glVertex3f(X, Y, -1);
    glVertex3f(X + App.CellWidth, Y, -1);
    glVertex3f(X + App.CellWidth, Y + App.CellHeight, -1);
    glVertex3f(X, Y + App.CellHeight, -1);
    glEnd();
    const TTextureObject& Selected =
        *App.ShownTextures[static_cast<std::size_t>(App.SelectedIndex)];
    SetStatusText(2, Selected.Group + "." + Selected.Name, saCentre);
}

void DrawThumbnail(int32_t Index, int32_t Columns) {
    const TTextureObject& Texture = *App.ShownTextures[static_cast<std::size_t>(Index)];
    const int32_t Size = Settings.TextureSize;
    const grid::TPoint Origin = grid::ImageOrigin(Index, Columns, Size);
    const auto X = static_cast<float>(Origin.X);
    const auto Y = static_cast<float>(Origin.Y);

    glEnable(GL_TEXTURE_2D);
    if (Texture.bMasked || Texture.bAlphaTexture)
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    else
        glBlendFunc(GL_ONE, GL_ZERO);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, GetTextureID(Texture));

    const grid::TQuadSize Quad = grid::QuadSize(Texture.USize, Texture.VSize, Size);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(X, Y, 0);
    glTexCoord2f(1, 0);
    glVertex3f(X + Quad.Width, Y, 0);
    glTexCoord2f(1, 1);
    glVertex3f(X + Quad.Width, Y + Quad.Height, 0);
    glTexCoord2f(0, 1);
    glVertex3f(X, Y + Quad.Height, 0);
    glEnd();

    const grid::TPoint Label = grid::LabelOrigin(Index, Columns, Size);
    DrawTextureLabel(Index, static_cast<float>(Label.X), static_cast<float>(Label.Y));
}

} // namespace

void BuildFontLists(const std::string& FontName, int32_t FontSize) {
    if (!MakePanelCurrent())
        return;
    if (App.FontListBase != 0)
        glDeleteLists(App.FontListBase, GlyphListCount);
    App.FontListBase = glGenLists(GlyphListCount);
    const HFONT Font = CreateFontA(
        -FontSize, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
        CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, FontName.c_str());
    if (Font) {
        // The old font is deleted only once the new one has replaced it in the DC.
        SelectObject(App.PanelDC, Font);
        App.PanelFont.Reset(Font);
    }
    // Some drivers fail the first call after a context change; a second one works.
    if (!wglUseFontBitmapsA(App.PanelDC, 0, GlyphCount, App.FontListBase))
        wglUseFontBitmapsA(App.PanelDC, 0, GlyphCount, App.FontListBase);
    InvalidatePanelFrame();
}

void SetPanelProjection() {
    MakePanelCurrent();
    RECT Client{};
    GetClientRect(App.TexturePanel, &Client);
    const int Width = Client.right - Client.left;
    const int Height = Client.bottom - Client.top;
    App.PanelPresenter.Resize(App.PanelDC, Width, Height);
    glViewport(0, 0, Width, Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, Width, Height, 0, 0, 128);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    InvalidatePanelFrame();
}

bool DrawTexturePanel() {
    if (App.ShownTextures.empty())
        return false;
    MakePanelCurrent();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    ClearWithColor(Settings.BackgroundColor);
    glLoadIdentity();

    App.PanelScroll.cbSize = sizeof(App.PanelScroll);
    App.PanelScroll.fMask = SIF_ALL;
    GetScrollInfo(App.TexturePanel, SB_VERT, &App.PanelScroll);
    // The track position follows the thumb while it is dragged.
    glTranslatef(0, -static_cast<float>(App.PanelScroll.nTrackPos), 0);
    glDisable(GL_TEXTURE_2D);

    const int32_t Columns = PanelColumnCount();
    DrawSelection(Columns);
    const auto Count = static_cast<int32_t>(App.ShownTextures.size());
    for (int32_t Index = 0; Index < Count; ++Index)
        DrawThumbnail(Index, Columns);
    return true;
}

void RenderTexturePanel() {
    App.PanelNeedsFrame = false;
    if (DrawTexturePanel())
        App.PanelPresenter.Present(App.PanelDC);
}

void InvalidatePanelFrame() {
    App.PanelNeedsFrame = true;
    // No erasing: the new frame covers the whole panel.
    if (App.TexturePanel)
        InvalidateRect(App.TexturePanel, nullptr, FALSE);
}

void DrawTextureLabel(int32_t Index, float X, float Baseline) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= App.ShownTextures.size())
        return;
    const TTextureObject& Texture = *App.ShownTextures[static_cast<std::size_t>(Index)];
    glDisable(GL_TEXTURE_2D);
    SetColor(Settings.TextColor);
    glPushAttrib(GL_LIST_BIT);
    glListBase(App.FontListBase);
    DrawLine(X, Baseline, Texture.Name);
    DrawLine(X, Baseline + 16, grid::SizeText(Texture.USize, Texture.VSize));
    DrawLine(X, Baseline + 32,
             grid::FormatText(GetFormatName(Texture),
                              Texture.Comp ? GetFormatName(Texture.Comp->Format) : ""));
    DrawLine(X, Baseline + 48, grid::FlagText(Texture.bMasked, Texture.bAlphaTexture));
    glPopAttrib();
}

void HitTestPanel(int32_t X, int32_t Y) {
    const int64_t Scrolled = int64_t{Y} + App.PanelScroll.nTrackPos;
    const std::optional<int32_t> Hit =
        grid::HitTest(X, Scrolled, PanelColumnCount(), Settings.TextureSize,
                      static_cast<int64_t>(App.ShownTextures.size()));
    if (Hit && *Hit != App.SelectedIndex) {
        App.SelectedIndex = *Hit;
        InvalidatePanelFrame();
    }
}

int32_t PanelColumnCount() {
    return grid::ColumnCount(PanelClientWidth(), Settings.TextureSize);
}

} // namespace swatchbox
