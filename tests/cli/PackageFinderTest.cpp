// Folders named to list and export are searched without following links.
// (What they give is seen in the list and export commands' tests.)
#include "cli/PackageFinder.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/PackageBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::cli {
namespace {

namespace fs = std::filesystem;
using testing::TTempDir;

TEST(PackageFinder, FollowsNoSymbolicLinks) {
    TTempDir Dir;
    const fs::path Root = Dir.Path() / "Root";
    fs::create_directories(Root / "Sub");
    testing::TPackageBuilder().WriteTo(Root / "Sub" / "P.utx");
    try {
        fs::create_directory_symlink(Root, Root / "Sub" / "Loop");
        fs::create_symlink(Root / "Sub" / "P.utx", Root / "Link.utx");
    } catch (const fs::filesystem_error& Error) {
        GTEST_SKIP() << "no symbolic links here: " << Error.what();
    }
    testing::TRecordingReporter Reporter;
    const TFoundPackages Found = FindPackages({Root.string()}, Reporter);
    EXPECT_EQ(Found.Packages, (std::vector<std::string>{(Root / "Sub" / "P.utx").string()}));
    EXPECT_EQ(Found.OtherFiles, 0u);
}

} // namespace
} // namespace swatchbox::cli
