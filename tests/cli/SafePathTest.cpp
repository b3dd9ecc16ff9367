// Output path components made from untrusted names.
#include "cli/SafePath.h"

#include <gtest/gtest.h>

#include <string>

namespace swatchbox::cli {
namespace {

TEST(SafePathComponent, NeverLeavesTheFolderItIsPutIn) {
    for (const std::string Name : {"", ".", "..", "../x", "..\\..\\x", "a/b", "/abs", "C:\\x",
                                   "C:x", "\\\\server\\share", "...", ". .", "x/.."}) {
        const std::string Safe = SafePathComponent(Name);
        SCOPED_TRACE(Name);
        EXPECT_FALSE(Safe.empty());
        EXPECT_NE(Safe, ".");
        EXPECT_NE(Safe, "..");
        EXPECT_EQ(Safe.find_first_of("/\\:"), std::string::npos);
        EXPECT_NE(Safe.back(), '.');
    }
    EXPECT_EQ(SafePathComponent(""), "_");
    EXPECT_EQ(SafePathComponent(".."), "_");
    EXPECT_EQ(SafePathComponent("../x"), ".._x");
    EXPECT_EQ(SafePathComponent("C:\\x"), "C__x");
}

TEST(SafePathComponent, KeepsPlainNamesAndReplacesEverythingElse) {
    EXPECT_EQ(SafePathComponent("Wall_01-a (b).x"), "Wall_01-a (b).x");
    EXPECT_EQ(SafePathComponent("a\x01"
                                "b\tc\x7F"
                                "d\xE9"
                                "e*?<>|\""),
              "a_b_c_d_e______");
    EXPECT_EQ(SafePathComponent(std::string("a\0b", 3)), "a_b");
}

TEST(SafePathComponent, AvoidsWhatWindowsWouldMisread) {
    // Trailing dots and blanks are dropped by Windows, so "a." would be "a".
    EXPECT_EQ(SafePathComponent("wall."), "wall_");
    EXPECT_EQ(SafePathComponent("a . "), "a___");
    // Device names, also with an extension or blanks before it, in any case.
    EXPECT_EQ(SafePathComponent("CON"), "_CON");
    EXPECT_EQ(SafePathComponent("nul"), "_nul");
    EXPECT_EQ(SafePathComponent("Com1"), "_Com1");
    EXPECT_EQ(SafePathComponent("LPT9.txt"), "_LPT9.txt");
    EXPECT_EQ(SafePathComponent("aux .bmp"), "_aux .bmp");
    EXPECT_EQ(SafePathComponent("CON."), "_CON_");
    for (const char* Name : {"CONSOLE", "COM10", "COM", "LPTX", "NULL", "xCON"})
        EXPECT_EQ(SafePathComponent(Name), Name);
}

TEST(SafePathComponent, CutsOverlongNames) {
    EXPECT_EQ(SafePathComponent(std::string(300, 'a')), std::string(MaxComponentLength, 'a'));
    const std::string Device = "nul." + std::string(300, 'a');
    const std::string Safe = SafePathComponent(Device);
    EXPECT_EQ(Safe.size(), MaxComponentLength);
    EXPECT_EQ(Safe.substr(0, 5), "_nul.");
}

TEST(PackageBaseName, DropsFoldersAndTheLastExtension) {
    EXPECT_EQ(PackageBaseName("a/b/Walls.utx"), "Walls");
    EXPECT_EQ(PackageBaseName("C:\\Games\\Tex.u"), "Tex");
    EXPECT_EQ(PackageBaseName("a.b.utx"), "a.b");
    EXPECT_EQ(PackageBaseName("noext"), "noext");
    EXPECT_EQ(PackageBaseName(".utx"), ".utx");
    EXPECT_EQ(PackageBaseName("dir/"), "");
}

} // namespace
} // namespace swatchbox::cli
