#pragma once

#include <cstdint>

namespace swatchbox {

// The texture panel's colours, 0x00BBGGRR, with the values a first start
// has. The contact sheet draws thumbnails the way the panel shows them, so
// it takes the same record.
struct TPanelColours {
    uint32_t BackgroundColor = 0x4F4F4F;
    uint32_t SelectionColor = 0x596354;
    uint32_t TextColor = 0xBFBFBF;
};

} // namespace swatchbox
