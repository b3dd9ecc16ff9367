#include "package/LineageMaterial.h"

#include "package/Errors.h"
#include "package/UnrealPackage.h"

namespace swatchbox {

namespace {

class TMaterialSkipper {
public:
    TMaterialSkipper(TUnrealPackage& Package, const std::string& ObjectName)
        : Package(Package), File(Package), ObjectName(ObjectName) {}

    void Bytes(int64_t Count) { File->Skip(Count); }
    void Ints(int Count) { File->Skip(4 * Count); }
    // Compact length, negative for UTF-16 characters, then the characters.
    void String() {
        const int64_t Length = Package.ReadIndex();
        File->Skip(Length < 0 ? -2 * Length : Length);
    }
    void Strings(int64_t Count) {
        for (int64_t Index = 0; Index < Count; ++Index)
            String();
    }
    int32_t Count() {
        const int32_t Value = Package.ReadIndex();
        if (Value < 0)
            throw EPackageDamaged("Damaged package \"" + Package.FileName + "\": material \"" +
                                  ObjectName + "\" has an array of negative length.");
        return Value;
    }

private:
    TUnrealPackage& Package;
    TInstalledStream File;
    const std::string& ObjectName;
};

} // namespace

void SkipLineageMaterial(TUnrealPackage& Package, const std::string& ObjectName) {
    const int Version = Package.PackageVersion;
    const int Licensee = Package.LicenseeVersion;
    TMaterialSkipper Skip(Package, ObjectName);
    if (Licensee >= 16 && Licensee <= 36)
        Skip.Ints(1);
    if (Licensee >= 30 && Licensee <= 36) {
        if (Licensee >= 33)
            Skip.Bytes(1);
        Skip.Bytes(6);
        Skip.Ints(3);
        for (int Stage = 0; Stage < 8; ++Stage)
            Skip.Bytes(Licensee < 36 ? 128 : 127);
        Skip.Bytes(8);
        Skip.Ints(3);
        Skip.Strings(17);
    } else if (Licensee >= 37) {
        Skip.Bytes(2);
        if (Version < 129) {
            Skip.Bytes(2);
            Skip.Ints(3);
        } else {
            // Five render passes of states.
            for (int Pass = 0; Pass < 5; ++Pass) {
                Skip.Bytes(Version == 129 ? 2 : 6);
                Skip.Ints(Version == 129 ? 3 : 2);
            }
        }
        Skip.Bytes(8);
        Skip.Ints(3);
        for (int32_t Stage = 0, Stages = Skip.Count(); Stage < Stages; ++Stage) {
            Skip.String();
            Skip.Strings(Skip.Count());
        }
        Skip.String();
    }
    if (Licensee >= 31)
        Skip.Bytes(4);
}

} // namespace swatchbox
