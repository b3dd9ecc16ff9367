#include "package/PackageNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace swatchbox {
namespace {

// The file name follows the last separator or colon; a replaced one keeps
// the argument's folder; folders lose trailing separators and blanks.
TEST(PackageNamesTest, FileNamesAndFoldersOfPaths) {
    EXPECT_EQ(FileNamePart("C:/Games/UT\\Textures/Skybox.utx"), "Skybox.utx");
    EXPECT_EQ(FileNamePart("C:Skybox.utx"), "Skybox.utx");
    EXPECT_EQ(ReplaceFileName("C:\\pkgs/SKYBOX.UTX", "Skybox.utx"), "C:\\pkgs/Skybox.utx");
    EXPECT_EQ(ReplaceFileName("C:skybox.utx", "Skybox.utx"), "C:Skybox.utx");
    // A bare name stays relative instead of moving to the drive's root.
    EXPECT_EQ(ReplaceFileName("skybox.utx", "Skybox.utx"), "Skybox.utx");
    EXPECT_EQ(WithoutTrailingSeparator("C:\\Games\\UT\\/"), "C:\\Games\\UT");
    EXPECT_EQ(TextureFolderOf(" \t C:\\Program Files\\UT2004 \r\n"),
              "C:\\Program Files\\UT2004\\Textures");
}

TEST(PackageNamesTest, OrderIgnoresFolderAndCaseOfAToZ) {
    std::vector<std::string> Files = {"Z:\\one\\C.utx", "D:\\two\\b.utx", "Z:\\one\\A.utx"};
    std::sort(Files.begin(), Files.end(),
              [](const auto& A, const auto& B) { return ComparePackageFiles(A, B) < 0; });
    EXPECT_EQ(Files,
              (std::vector<std::string>{"Z:\\one\\A.utx", "D:\\two\\b.utx", "Z:\\one\\C.utx"}));

    EXPECT_EQ(ComparePackageFiles("a\\SKYBOX.utx", "b\\skybox.UTX"), 0);
    // A prefix comes first, also when the longer name continues with a byte
    // below the letters.
    EXPECT_LT(ComparePackageFiles("Sky", "Sky.utx"), 0);
    // Letters are compared as upper case, so "_" (after "Z") sorts after "a".
    EXPECT_LT(ComparePackageFiles("a.utx", "_.utx"), 0);
    // Bytes above 127 are codes 128 to 255, after every ASCII character, and
    // are not case-folded.
    EXPECT_GT(ComparePackageFiles("\xC4.utx", "z.utx"), 0);
    EXPECT_NE(ComparePackageFiles("\xC4.utx", "\xE4.utx"), 0);
}

// Entries of a retail list are separated by runs of controls and blanks; a
// file's retail name drops folder and last extension and is in capitals.
TEST(PackageNamesTest, RetailListEntriesAndRetailNames) {
    EXPECT_EQ(ParseRetailList("\r\n \tA\x01\x1F"
                              "B  C\r\n\r\n"),
              (std::vector<std::string>{"A", "B", "C"}));
    // Byte 33 ("!") and bytes above 127 belong to an entry.
    EXPECT_EQ(ParseRetailList("!\xA0X"), (std::vector<std::string>{"!\xA0X"}));
    EXPECT_EQ(ParseRetailList(std::string_view("A\r\nB\0C", 6)),
              (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(RetailName("C:\\UT2004\\Textures\\skybox.utx"), "SKYBOX");
    EXPECT_EQ(RetailName("D:\\other\\skybox.utx.bak"), "SKYBOX.UTX");
    EXPECT_EQ(RetailName("C:\\a.folder\\Skybox"), "SKYBOX");
    EXPECT_EQ(RetailName("C:\\x\\m\xE4p.utx"), "M\xE4P");
}

} // namespace
} // namespace swatchbox
