#include "tools/package-builder/PropertyWriter.h"

#include "tools/package-builder/CompactIndex.h"
#include "tools/package-builder/PackageBuilder.h"

#include <bit>
#include <stdexcept>

namespace swatchbox::testing {

int DefaultSizeCode(std::size_t Size) {
    switch (Size) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    case 12:
        return 3;
    case 16:
        return 4;
    default:
        break;
    }
    if (Size <= 0xFF)
        return 5;
    if (Size <= 0xFFFF)
        return 6;
    return 7;
}

TPropertyWriter& TPropertyWriter::Tag(std::string_view Name, TTagType Type,
                                      std::span<const uint8_t> Value, const TTagOptions& Options,
                                      bool BoolValue, std::string_view StructName,
                                      int32_t ElementCount) {
    const int SizeCode = Options.SizeCode.value_or(DefaultSizeCode(Value.size()));
    if (SizeCode < 0 || SizeCode > 7)
        throw std::invalid_argument("size code must be 0 to 7");
    const auto TypeBits = static_cast<uint8_t>(Type) & 0x0F;
    const bool IsBoolean = TypeBits == static_cast<uint8_t>(TTagType::Boolean);
    const bool HasArrayIndex = !IsBoolean && Options.ArrayIndex.has_value();

    uint8_t Info = static_cast<uint8_t>(TypeBits | (SizeCode << 4));
    if (IsBoolean ? BoolValue : HasArrayIndex)
        Info |= 0x80;
    Info = Options.Info.value_or(Info);

    PutBytes(Out, EncodeIndex(Package.AddName(Name)));
    PutU8(Out, Info);
    if (TypeBits == static_cast<uint8_t>(TTagType::Struct))
        PutBytes(Out, EncodeIndex(Package.AddName(StructName)));
    const uint32_t Explicit = Options.ExplicitSize.value_or(static_cast<uint32_t>(Value.size()));
    if (SizeCode == 5)
        PutU8(Out, static_cast<uint8_t>(Explicit));
    else if (SizeCode == 6)
        PutU16(Out, static_cast<uint16_t>(Explicit));
    else if (SizeCode == 7)
        PutU32(Out, Explicit);
    if (TypeBits == static_cast<uint8_t>(TTagType::Array))
        PutBytes(Out, EncodeIndex(ElementCount));
    if (HasArrayIndex)
        PutU8(Out, *Options.ArrayIndex);
    PutBytes(Out, Value);
    return *this;
}

TPropertyWriter& TPropertyWriter::Byte(std::string_view Name, uint8_t Value,
                                       const TTagOptions& Options) {
    const uint8_t Bytes[] = {Value};
    return Tag(Name, TTagType::Byte, Bytes, Options);
}

TPropertyWriter& TPropertyWriter::Int(std::string_view Name, int32_t Value,
                                      const TTagOptions& Options) {
    TBytes Bytes;
    PutI32(Bytes, Value);
    return Tag(Name, TTagType::Integer, Bytes, Options);
}

TPropertyWriter& TPropertyWriter::Float(std::string_view Name, float Value,
                                        const TTagOptions& Options) {
    TBytes Bytes;
    PutU32(Bytes, std::bit_cast<uint32_t>(Value));
    return Tag(Name, TTagType::Float, Bytes, Options);
}

TPropertyWriter& TPropertyWriter::Bool(std::string_view Name, bool Value,
                                       const TTagOptions& Options) {
    return Tag(Name, TTagType::Boolean, {}, Options, Value);
}

TPropertyWriter& TPropertyWriter::Object(std::string_view Name, int32_t Reference,
                                         const TTagOptions& Options) {
    return Tag(Name, TTagType::Object, EncodeIndex(Reference), Options);
}

TPropertyWriter& TPropertyWriter::NameValue(std::string_view Name, std::string_view Value,
                                            const TTagOptions& Options) {
    return Tag(Name, TTagType::Name, EncodeIndex(Package.AddName(Value)), Options);
}

TPropertyWriter& TPropertyWriter::Struct(std::string_view Name, std::string_view StructName,
                                         std::span<const uint8_t> Value,
                                         const TTagOptions& Options) {
    return Tag(Name, TTagType::Struct, Value, Options, false, StructName);
}

TPropertyWriter& TPropertyWriter::Array(std::string_view Name, int32_t ElementCount,
                                        std::span<const uint8_t> Value,
                                        const TTagOptions& Options) {
    return Tag(Name, TTagType::Array, Value, Options, false, "None", ElementCount);
}

TPropertyWriter& TPropertyWriter::None(std::string_view Name) {
    return Index(Package.AddName(Name));
}

TPropertyWriter& TPropertyWriter::StateFrame(int32_t First, int32_t Second, uint8_t Fill,
                                             int32_t Last) {
    Index(First);
    Index(Second);
    Out.insert(Out.end(), 12, Fill);
    return Index(Last);
}

TPropertyWriter& TPropertyWriter::Raw(std::span<const uint8_t> Bytes) {
    PutBytes(Out, Bytes);
    return *this;
}

TPropertyWriter& TPropertyWriter::ObjectHeader() {
    if (Package.Family().ObjectHeader) {
        PutI32(Out, 4);
        PutI32(Out, 0);
    }
    return *this;
}

TPropertyWriter& TPropertyWriter::Index(int32_t Value) {
    PutBytes(Out, EncodeIndex(Value));
    return *this;
}

} // namespace swatchbox::testing
