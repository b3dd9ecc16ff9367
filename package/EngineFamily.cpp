#include "package/EngineFamily.h"

#include <algorithm>

namespace swatchbox {

namespace {

// Unreal 1 builds (below version 100), as the community patches number the
// block-compressed layouts they added.
constexpr TFormatTable UnrealFormats = {pfP8,    pfRGBA7, pfRGB16, pfDXT1,  pfRGB8,
                                        pfRGBA8, pfDXT3,  pfDXT5,  pfBC4,   pfBC4S,
                                        pfBC5,   pfBC5S,  pfBC7,   pfBC6HS, pfBC6H};
constexpr TFormatTable UE2Formats = {pfP8,    pfRGBA7,     pfRGB16,   pfDXT1,    pfRGB8,
                                     pfRGBA8, pfUnknown,   pfDXT3,    pfDXT5,    pfL8,
                                     pfG16,   pfRRRGGGBBB, pfUnknown, pfUnknown, pfUnknown};
constexpr TFormatTable VengeanceFormats = {pfP8,    pfRGBA7,     pfRGB16,  pfDXT1,  pfRGB8,
                                           pfRGBA8, pfUnknown,   pfDXT3,   pfDXT5,  pfL8,
                                           pfG16,   pfRRRGGGBBB, pfCxV8U8, pfDXT5N, pfBC5};

// The version and licensee numbers the Vengeance engine (SWAT 4, Tribes:
// Vengeance and their development builds) wrote.
bool IsVengeance(int16_t Version, uint16_t Licensee) {
    switch (Version) {
    case 123:
        return Licensee >= 3 && Licensee <= 15;
    case 126:
        return Licensee >= 18 && Licensee <= 23;
    case 129:
    case 130:
        return Licensee >= 23 && Licensee <= 27;
    default:
        return false;
    }
}

} // namespace

TPixelFormat TEngineFamily::FormatOf(uint8_t Number) const {
    return Formats && Number < Formats->size() ? (*Formats)[Number] : pfUnknown;
}

std::optional<uint8_t> TEngineFamily::NumberOf(TPixelFormat Format) const {
    if (!Formats || Format == pfUnknown)
        return std::nullopt;
    const auto Found = std::find(Formats->begin(), Formats->end(), Format);
    if (Found == Formats->end())
        return std::nullopt;
    return static_cast<uint8_t>(Found - Formats->begin());
}

bool IsPackageSignature(uint32_t Signature) {
    return Signature == PackageSignature || Signature == KillingFloorSignature;
}

TEngineFamily FindEngineFamily(uint32_t Signature, int16_t Version, uint16_t Licensee,
                               bool LineageWrapper) {
    if (LineageWrapper)
        return {"Lineage II", false, false, Version >= 123, &UE2Formats};
    if (Signature == KillingFloorSignature)
        return {"Killing Floor", false, false, false, &UE2Formats};
    // Unreal 1 builds dropped the second mip array at version 84.
    if (Version < 100)
        return {"Unreal", false, false, false, &UnrealFormats, Version < 84};
    if (IsVengeance(Version, Licensee))
        return {"Vengeance", Licensee >= 25, Licensee >= 26, false, &VengeanceFormats};
    return {"UE2", false, false, false, &UE2Formats};
}

} // namespace swatchbox
