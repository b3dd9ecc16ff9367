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
        EXPECT_NE(Safe, "..");
        EXPECT_EQ(Safe.find_first_of("/\\:"), std::string::npos);
        EXPECT_NE(Safe.back(), '.');
    }
}

TEST(SafePathComponent, KeepsPlainNamesAndAvoidsWhatWindowsWouldMisread) {
    const std::pair<std::string, std::string> Cases[] = {
        {"Wall_01-a (b).x", "Wall_01-a (b).x"},
        {"", "_"},
        {"..", "_"},
        {"../x", ".._x"},
        {"C:\\x", "C__x"},
        {"a\x01"
         "b\tc\x7F"
         "d\xE9"
         "e*?<>|\"",
         "a_b_c_d_e______"},
        {std::string("a\0b", 3), "a_b"},
        // Trailing dots and blanks are dropped by Windows, so "a." would be "a".
        {"wall.", "wall_"},
        {"a . ", "a___"},
        // Device names, also with an extension or blanks before it, in any case.
        {"CON", "_CON"},
        {"nul", "_nul"},
        {"Com1", "_Com1"},
        {"LPT9.txt", "_LPT9.txt"},
        {"aux .bmp", "_aux .bmp"},
        {"CON.", "_CON_"},
        // Overlong names are cut.
        {std::string(300, 'a'), std::string(MaxComponentLength, 'a')},
        {"nul." + std::string(300, 'a'), "_nul." + std::string(MaxComponentLength - 5, 'a')},
    };
    for (const auto& [Name, Safe] : Cases)
        EXPECT_EQ(SafePathComponent(Name), Safe) << Name;
    for (const char* Name : {"CONSOLE", "COM10", "COM", "LPTX", "NULL", "xCON"})
        EXPECT_EQ(SafePathComponent(Name), Name);
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
