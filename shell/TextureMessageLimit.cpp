#include "shell/TextureMessageLimit.h"

#include <algorithm>
#include <utility>

namespace swatchbox {

namespace {

constexpr int ShownMessages = 3;
// Texture names listed in the closing message.
constexpr std::size_t NamedTextures = 5;

} // namespace

TTextureMessageLimit::TTextureMessageLimit(IReporter& Target) : Target(Target) {}

void TTextureMessageLimit::SetTexture(std::string Name) {
    Texture = std::move(Name);
    TextureShown = false;
    TextureHeld = false;
}

void TTextureMessageLimit::Report(TMessageKind Kind, const std::string& Caption,
                                  const std::string& Text) {
    if (Shown < ShownMessages) {
        ++Shown;
        TextureShown = true;
        Target.Report(Kind, Caption, Text);
        return;
    }
    // A texture the user has already heard about is not counted again.
    if (TextureShown || TextureHeld)
        return;
    TextureHeld = true;
    HeldError = HeldError || Kind == TMessageKind::Error;
    HeldTextures.push_back(Texture);
}

void TTextureMessageLimit::Finish() {
    if (HeldTextures.empty())
        return;
    const std::size_t Count = HeldTextures.size();
    std::string Text = std::to_string(Count) + (Count == 1 ? " more texture" : " more textures") +
                       " could not be read.\r\n";
    for (std::size_t Index = 0; Index < std::min(Count, NamedTextures); ++Index)
        Text += "\r\n" + HeldTextures[Index];
    if (Count > NamedTextures)
        Text += "\r\n...";
    if (HeldError)
        ReportError(Target, Text);
    else
        ReportWarning(Target, Text);
    HeldTextures.clear();
    HeldError = false;
}

} // namespace swatchbox
