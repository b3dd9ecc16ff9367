#include "package/TextureWalk.h"

#include "package/AsciiCase.h"
#include "package/Errors.h"

#include <map>
#include <new>
#include <vector>

namespace swatchbox {

namespace {

// Points the package's messages elsewhere for one scope.
class TRedirectedMessages {
public:
    TRedirectedMessages(TUnrealPackage& Package, IReporter* To)
        : Package(Package), Previous(Package.Reporter) {
        if (To)
            Package.Reporter = To;
    }
    ~TRedirectedMessages() { Package.Reporter = Previous; }
    TRedirectedMessages(const TRedirectedMessages&) = delete;
    TRedirectedMessages& operator=(const TRedirectedMessages&) = delete;

private:
    TUnrealPackage& Package;
    IReporter* Previous;
};

} // namespace

bool IsTextureExport(const TExportObject& Export) {
    return EqualsIgnoringAsciiCase(Export.GetClassName(), "TEXTURE");
}

void TTextureWalk::Run(TUnrealPackage& Package, const TVisit& Visit) const {
    const auto Guarded = [this](int32_t ExportIndex, const auto& Step) {
        if (Errors == TWalkErrors::Stop) {
            Step();
            return;
        }
        // Bad data and sizes too large for memory; anything else is a fault
        // of the program and leaves the walk.
        try {
            Step();
        } catch (const EPackageError& Error) {
            if (OnError)
                OnError(ExportIndex, Error);
        } catch (const std::bad_alloc& Error) {
            if (OnError)
                OnError(ExportIndex, Error);
        }
    };

    // Every read of every texture borrows this stream instead of opening the
    // package file again.
    TInstalledStream Held(Package);
    TRedirectedMessages Redirected(Package, Messages);
    TPalettePositions Palettes;

    std::vector<int32_t> Textures;
    const auto ExportCount = static_cast<int32_t>(Package.Exports.size());
    for (int32_t Index = 0; Index < ExportCount; ++Index)
        Guarded(Index, [&] {
            if (IsTextureExport(Package.Exports[static_cast<std::size_t>(Index)]))
                Textures.push_back(Index);
        });

    for (std::size_t Number = 0; Number < Textures.size(); ++Number) {
        const int32_t Index = Textures[Number];
        if (OnTexture)
            OnTexture(Index, Number, Textures.size());
        Guarded(Index, [&] {
            Visit(std::make_unique<TTextureObject>(Package, Index, Uploader, &Palettes));
        });
    }
}

} // namespace swatchbox
