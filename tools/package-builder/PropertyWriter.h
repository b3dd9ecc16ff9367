#pragma once

#include "tools/package-builder/ByteSink.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace swatchbox::testing {

class TPackageBuilder;

// Tag types, the low four bits of a tag's info byte.
enum class TTagType : uint8_t {
    None = 0,
    Byte = 1,
    Integer = 2,
    Boolean = 3,
    Float = 4,
    Object = 5,
    Name = 6,
    String = 7,
    Class = 8,
    Array = 9,
    Struct = 10,
    Vector = 11,
    Rotator = 12,
    Str = 13,
    Map = 14,
    FixedArray = 15,
};

// How one tag is written, beyond its name, type and value.
struct TTagOptions {
    // Size code 0-7. By default the shortest code for the value's length:
    // 0-4 for 1, 2, 4, 12 and 16 bytes, else 5, 6 or 7 with an explicit size.
    std::optional<int> SizeCode{};
    // Written after the size (bit 7 of the info byte set). Ignored for
    // Booleans, whose bit 7 is their value.
    std::optional<uint8_t> ArrayIndex{};
    // The explicit size written for codes 5-7 instead of the value's length,
    // truncated to the code's width; for tags that claim more or less than they hold.
    std::optional<uint32_t> ExplicitSize{};
    // Replaces the whole info byte; type, size code and bit 7 are then only
    // used to decide which items follow it.
    std::optional<uint8_t> Info{};
};

// Writes a run of tagged properties. Names go into the package's name table.
// Every method appends one item and returns the writer, so runs read in order:
//   Properties.Byte("Format", pfDXT1).Int("USize", 64).Bool("bMasked", true).None();
class TPropertyWriter {
public:
    explicit TPropertyWriter(TPackageBuilder& Package) : Package(Package) {}

    // A tag of any type. Struct tags write StructName after the info byte,
    // Array tags ElementCount after the explicit size; both are ignored for
    // other types. For a Boolean, BoolValue is bit 7 of the info byte.
    TPropertyWriter& Tag(std::string_view Name, TTagType Type, std::span<const uint8_t> Value,
                         const TTagOptions& Options = {}, bool BoolValue = false,
                         std::string_view StructName = "Color", int32_t ElementCount = 0);

    TPropertyWriter& Byte(std::string_view Name, uint8_t Value, const TTagOptions& Options = {});
    TPropertyWriter& Int(std::string_view Name, int32_t Value, const TTagOptions& Options = {});
    TPropertyWriter& Float(std::string_view Name, float Value, const TTagOptions& Options = {});
    // Size code 5 with an explicit size of 0 and no value bytes, as packages
    // store Booleans.
    TPropertyWriter& Bool(std::string_view Name, bool Value, const TTagOptions& Options = {});
    // The value is the reference as a compact index.
    TPropertyWriter& Object(std::string_view Name, int32_t Reference,
                            const TTagOptions& Options = {});
    // The value is the compact name index of Value.
    TPropertyWriter& NameValue(std::string_view Name, std::string_view Value,
                               const TTagOptions& Options = {});
    TPropertyWriter& Struct(std::string_view Name, std::string_view StructName,
                            std::span<const uint8_t> Value, const TTagOptions& Options = {});
    TPropertyWriter& Array(std::string_view Name, int32_t ElementCount,
                           std::span<const uint8_t> Value, const TTagOptions& Options = {});

    // The terminator: its name index alone. "NONE" or "none" make the
    // spellings that only a case-blind comparison takes for the terminator.
    TPropertyWriter& None(std::string_view Name = "None");

    // The frame that precedes the first tag of an object flagged 0x02000000:
    // two compact indices, 12 bytes, one compact index. The defaults use
    // indices of one, two and three bytes so a reader that miscounts shows it.
    TPropertyWriter& StateFrame(int32_t First = 5, int32_t Second = -200, uint8_t Fill = 0xEE,
                                int32_t Last = 70000);

    // The check value and sub-version that engine builds with object headers
    // (Vengeance) put before an object's properties; nothing for the others.
    TPropertyWriter& ObjectHeader();

    // Bytes written as they are, for runs that no tag describes.
    TPropertyWriter& Raw(std::span<const uint8_t> Bytes);
    TPropertyWriter& Index(int32_t Value);

    const TBytes& Bytes() const { return Out; }
    std::size_t Size() const { return Out.size(); }

private:
    TPackageBuilder& Package;
    TBytes Out;
};

// The size code a tag gets by default for a value of Size bytes.
int DefaultSizeCode(std::size_t Size);

} // namespace swatchbox::testing
