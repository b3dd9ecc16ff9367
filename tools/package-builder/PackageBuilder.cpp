#include "tools/package-builder/PackageBuilder.h"

#include <stdexcept>
#include <string>

namespace swatchbox::testing {

TPackageBuilder::TPackageBuilder(int16_t PackageVersion, uint16_t LicenseeVersion)
    : PackageVersion(PackageVersion), LicenseeVersion(LicenseeVersion) {
    for (std::size_t Index = 0; Index < Guid.size(); ++Index)
        Guid[Index] = static_cast<uint8_t>(0xA0 + Index);
    Heritages.push_back(Guid);
}

int32_t TPackageBuilder::AddName(std::string_view Name) {
    for (std::size_t Index = 0; Index < Names.size(); ++Index)
        if (Names[Index].Name == Name)
            return static_cast<int32_t>(Index);
    return AddNameCopy(Name);
}

int32_t TPackageBuilder::AddNameCopy(std::string_view Name) {
    Names.push_back({std::string(Name)});
    return static_cast<int32_t>(Names.size()) - 1;
}

int32_t TPackageBuilder::AddImport(std::string_view ClassPackage, std::string_view ClassName,
                                   int32_t Outer, std::string_view ObjectName) {
    Imports.push_back({AddName(ClassPackage), AddName(ClassName), Outer, AddName(ObjectName)});
    return -static_cast<int32_t>(Imports.size());
}

int32_t TPackageBuilder::FindOrAddImport(std::string_view ClassPackage, std::string_view ClassName,
                                         int32_t Outer, std::string_view ObjectName) {
    const TImportEntry Wanted{AddName(ClassPackage), AddName(ClassName), Outer,
                              AddName(ObjectName)};
    for (std::size_t Index = 0; Index < Imports.size(); ++Index) {
        const TImportEntry& Entry = Imports[Index];
        if (Entry.ClassPackage == Wanted.ClassPackage && Entry.ClassName == Wanted.ClassName &&
            Entry.Outer == Wanted.Outer && Entry.ObjectName == Wanted.ObjectName)
            return -static_cast<int32_t>(Index) - 1;
    }
    Imports.push_back(Wanted);
    return -static_cast<int32_t>(Imports.size());
}

int32_t TPackageBuilder::ClassImport(std::string_view PackageName, std::string_view ClassName) {
    const int32_t Package = FindOrAddImport("Core", "Package", 0, PackageName);
    return FindOrAddImport("Core", "Class", Package, ClassName);
}

int32_t TPackageBuilder::AddExport(const TExportDesc& Desc) {
    TExportEntry Entry;
    Entry.Class = Desc.Class;
    Entry.Super = Desc.Super;
    Entry.Outer = Desc.Outer;
    Entry.Name = AddName(Desc.Name);
    Entry.Flags = Desc.Flags;
    Entry.Data = Desc.Data;
    Exports.push_back(std::move(Entry));
    return static_cast<int32_t>(Exports.size());
}

int32_t TPackageBuilder::AddGroup(std::string_view Name, int32_t Outer) {
    const int32_t Class = ClassImport("Core", "Package");
    const TBytes Data = Properties().ObjectHeader().None().Bytes();
    const int32_t Reference =
        AddExport({.Class = Class, .Outer = Outer, .Name = std::string(Name)});
    Export(Reference).Data = Data;
    Export(Reference).PropertiesEnd = static_cast<int32_t>(Data.size());
    return Reference;
}

int32_t TPackageBuilder::FindOrAddGroup(std::string_view Name) {
    const int32_t Class = ClassImport("Core", "Package");
    const int32_t NameIndex = AddName(Name);
    for (std::size_t Index = 0; Index < Exports.size(); ++Index)
        if (Exports[Index].Class == Class && Exports[Index].Name == NameIndex &&
            Exports[Index].Outer == 0)
            return static_cast<int32_t>(Index) + 1;
    return AddGroup(Name);
}

int32_t TPackageBuilder::AddPalette(std::string_view Name, const TBytes& Colours, int32_t Outer,
                                    int32_t ColourCount) {
    const int32_t Class = ClassImport("Engine", "Palette");
    TPropertyWriter Data = Properties();
    Data.ObjectHeader().None();
    const auto PropertiesEnd = static_cast<int32_t>(Data.Size());
    Data.Index(ColourCount);
    const auto ColoursStart = static_cast<int32_t>(Data.Size());
    Data.Raw(Colours);
    const int32_t Reference = AddExport(
        {.Class = Class, .Outer = Outer, .Name = std::string(Name), .Data = Data.Bytes()});
    Export(Reference).PropertiesEnd = PropertiesEnd;
    Export(Reference).PaletteColours = ColoursStart;
    return Reference;
}

TExportEntry& TPackageBuilder::Export(int32_t Reference) {
    if (Reference <= 0 || static_cast<std::size_t>(Reference) > Exports.size())
        throw std::out_of_range("not an export reference: " + std::to_string(Reference));
    return Exports[static_cast<std::size_t>(Reference) - 1];
}

TImportEntry& TPackageBuilder::Import(int32_t Reference) {
    if (Reference >= 0 ||
        static_cast<std::size_t>(-static_cast<int64_t>(Reference)) > Imports.size())
        throw std::out_of_range("not an import reference: " + std::to_string(Reference));
    return Imports[static_cast<std::size_t>(-static_cast<int64_t>(Reference)) - 1];
}

TBuiltPackage TPackageBuilder::WriteTo(const std::filesystem::path& Path) const {
    TBuiltPackage Package = Build();
    Package.WriteTo(Path);
    return Package;
}

} // namespace swatchbox::testing
