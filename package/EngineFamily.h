#pragma once

#include "package/PixelFormat.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace swatchbox {

inline constexpr uint32_t PackageSignature = 0x9E2A83C1;
// Killing Floor writes the UT2004 layout under its own tag.
inline constexpr uint32_t KillingFloorSignature = 0x9E2A83C2;

// The numbers a family gives its "Format" property, by stored number.
using TFormatTable = std::array<TPixelFormat, 15>;

// What the engine build that wrote a package does differently from the
// others: its name, the headers it puts before objects and mip maps, and what
// its format numbers mean. Readers ask it instead of testing versions.
struct TEngineFamily {
    std::string_view Name;
    // Every object's data begins with a check value and a sub-version.
    bool ObjectHeader = false;
    // Every mip map record begins with the same header.
    bool MipHeader = false;
    // Lineage II stores material data between a texture's properties and its mip maps.
    bool MaterialExtras = false;
    const TFormatTable* Formats = nullptr;
    // A texture whose bHasComp is set stores a second, block-compressed mip
    // array (CompMips, numbered like Formats) after its first one.
    bool CompMips = false;

    // pfUnknown for numbers the family doesn't define.
    TPixelFormat FormatOf(uint8_t Number) const;
    // The number the family stores for Format; none where it has none.
    std::optional<uint8_t> NumberOf(TPixelFormat Format) const;
    // A licensee's build rather than the stock Unreal or UE2 layout: worth
    // naming beside the package wherever the program shows it.
    bool IsLicensee() const { return Name != "Unreal" && Name != "UE2"; }
};

// True for the tags of the package layouts this reader knows.
bool IsPackageSignature(uint32_t Signature);

// The family of a package from its header's tag, version and licensee, and
// whether the file wraps it as Lineage II does.
TEngineFamily FindEngineFamily(uint32_t Signature, int16_t Version, uint16_t Licensee,
                               bool LineageWrapper = false);

} // namespace swatchbox
