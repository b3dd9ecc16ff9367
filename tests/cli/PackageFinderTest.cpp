// Folders named to list and export: packages found at any depth by their
// signature, other files counted, links not followed.
#include "cli/PackageFinder.h"
#include "tools/package-builder/PackageBuilder.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace swatchbox::cli {
namespace {

namespace fs = std::filesystem;
using testing::TTempDir;

TEST(PackageFinder, FindsPackagesAtAnyDepthByTheirSignatureAndCountsOtherFiles) {
    TTempDir Dir;
    const testing::TPackageBuilder Package;
    fs::create_directories(Dir.Path() / "Game" / "Textures" / "Deep");
    fs::create_directories(Dir.Path() / "Game" / "Empty");
    Package.WriteTo(Dir.Path() / "Game" / "Textures" / "B.utx");
    Package.WriteTo(Dir.Path() / "Game" / "Textures" / "Deep" / "A.dat");
    Package.WriteTo(Dir.Path() / "Game" / "Map.unr");
    std::ofstream(Dir.Path() / "Game" / "Textures" / "Readme.utx") << "not a package";
    std::ofstream(Dir.Path() / "Game" / "Notes.txt") << "";
    const std::string Named = Dir.File("Named.txt");
    std::ofstream(Named) << "named files stay, whatever they hold";

    testing::TRecordingReporter Reporter;
    const TFoundPackages Found = FindPackages({Dir.File("Game"), Named}, Reporter);
    const fs::path Game = Dir.Path() / "Game";
    EXPECT_EQ(Found.Packages,
              (std::vector<std::string>{(Game / "Map.unr").string(),
                                        (Game / "Textures" / "B.utx").string(),
                                        (Game / "Textures" / "Deep" / "A.dat").string(), Named}));
    EXPECT_EQ(Found.OtherFiles, 2u);
    EXPECT_TRUE(Reporter.Messages.empty());
}

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
