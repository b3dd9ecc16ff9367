// Output path components made from untrusted names.
#include "cli/SafePath.h"

#include <gtest/gtest.h>

#include <string>

namespace swatchbox::cli {
namespace {

TEST(SafePathComponent, KeepsPlainNamesNeverLeavesItsFolderAndAvoidsWhatWindowsMisreads) {
    // Trailing dots and blanks are dropped by Windows, so "a." would be "a";
    // device names are refused with an extension or blanks before it too, in
    // any case; overlong names are cut.
    const std::pair<const char*, const char*> Cases[] = {
        {"Wall_01-a (b).x", "Wall_01-a (b).x"},
        {"", "_"},
        {"..", "_"},
        {"../x", ".._x"},
        {"C:\\x", "C__x"},
        {"a\001b\tc\177d\351e*?<>|\"", "a_b_c_d_e______"},
        {"wall.", "wall_"},
        {"a . ", "a___"},
        {"CON", "_CON"},
        {"nul", "_nul"},
        {"Com1", "_Com1"},
        {"LPT9.txt", "_LPT9.txt"},
        {"aux .bmp", "_aux .bmp"},
        {"CON.", "_CON_"}};
    for (const auto& [Name, Safe] : Cases)
        EXPECT_EQ(SafePathComponent(Name), Safe) << Name;
    EXPECT_EQ(SafePathComponent(std::string("a\0b", 3)), "a_b");
    EXPECT_EQ(SafePathComponent(std::string(300, 'a')), std::string(MaxComponentLength, 'a'));
    EXPECT_EQ(SafePathComponent("nul." + std::string(300, 'a')),
              "_nul." + std::string(MaxComponentLength - 5, 'a'));
    for (const char* Name : {"CONSOLE", "COM10", "COM", "LPTX", "NULL", "xCON"})
        EXPECT_EQ(SafePathComponent(Name), Name);
    for (const std::string Name :
         {".", "..\\..\\x", "a/b", "/abs", "C:x", "\\\\server\\share", "...", ". .", "x/.."}) {
        const std::string Safe = SafePathComponent(Name);
        EXPECT_TRUE(!Safe.empty() && Safe != ".." &&
                    Safe.find_first_of("/\\:") == std::string::npos && Safe.back() != '.')
            << Name << " gives " << Safe;
    }
}

TEST(PackageBaseName, DropsFoldersAndTheLastExtension) {
    const std::pair<const char*, const char*> Cases[] = {
        {"a/b/Walls.utx", "Walls"}, {"C:\\Games\\Tex.u", "Tex"},
        {"a.b.utx", "a.b"},         {"noext", "noext"},
        {".utx", ".utx"},           {"dir/", ""}};
    for (const auto& [Path, Base] : Cases)
        EXPECT_EQ(PackageBaseName(Path), Base) << Path;
}

} // namespace
} // namespace swatchbox::cli
