#pragma once

#include "package/Reporter.h"

#include <string>
#include <vector>

namespace swatchbox {

// The texture messages of one package analysis: the first few reach the user
// as they come, later ones are held back, and one closing message counts and
// names the textures they were about. A damaged package so raises a handful
// of boxes instead of one per texture.
class TTextureMessageLimit final : public IReporter {
public:
    explicit TTextureMessageLimit(IReporter& Target);

    void Report(TMessageKind Kind, const std::string& Caption, const std::string& Text) override;
    // The texture that messages from now on are about.
    void SetTexture(std::string Name);
    // Sends the closing message, when any were held back.
    void Finish();

private:
    IReporter& Target;
    std::string Texture;
    int Shown = 0;
    bool TextureShown = false; // a message about the current texture was shown
    bool TextureHeld = false;  // the current texture is among HeldTextures
    bool HeldError = false;
    std::vector<std::string> HeldTextures;
};

} // namespace swatchbox
