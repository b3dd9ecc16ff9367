// A package made by the test builder, written to a fresh folder and opened
// with a reporter that records every message, plus an uploader that records
// what each texture hands to the upload.
#pragma once

#include "package/TextureObject.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/PackageBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace swatchbox::testing {

class TPackageFile {
public:
    explicit TPackageFile(const TBuiltPackage& Bytes) : Built(Bytes) { Built.WriteTo(Path); }
    explicit TPackageFile(const TPackageBuilder& Builder) : TPackageFile(Builder.Build()) {}

    TTempDir Dir;
    std::string Path = Dir.File("Test.utx");
    TBuiltPackage Built;
    TRecordingReporter Reporter;
    std::optional<TUnrealPackage> Package;
    // What each upload was handed, and whether the package's Stream slot held
    // the stream it got.
    std::vector<std::pair<TUploadRequest, bool>> Uploads;

    TUnrealPackage& Open() { return Package.emplace(Path, Reporter); }

    // Decodes the texture with object reference Reference (1 is export 0).
    std::unique_ptr<TTextureObject> Decode(int32_t Reference) {
        const TTextureUploader Uploader = [this](TFileStream& Stream,
                                                 const TUploadRequest& Request) {
            Uploads.emplace_back(Request, Package->Stream == &Stream);
            return std::make_unique<TTextureImage>();
        };
        return std::make_unique<TTextureObject>(*Package, Reference - 1, Uploader);
    }

    // Removing the file fails on Windows while any handle on it is open.
    bool Remove() const {
        std::error_code Error;
        return std::filesystem::remove(Path, Error) && !Error;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> Result;
        for (const auto& Message : Reporter.Messages)
            Result.push_back(Message.Text);
        return Result;
    }
};

inline const char* const TextureReadError = "Error while reading texture object!";
inline const char* const PropertyReadError =
    "Error while trying to read object properties from package!";

} // namespace swatchbox::testing
