// The retail lists embedded in the program: their byte form and the names
// they were made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace swatchbox::testing {
namespace {

// Each list and the one-name-per-line list it is made from.
const std::pair<const char*, const char*> Lists[] = {
    {"Unreal.txt", "UNREAL.txt"}, {"Unreal2.txt", "UNREAL2.txt"}, {"UT99.txt", "UT99.txt"},
    {"UT2003.txt", "UT2003.txt"}, {"UT2004.txt", "UT2004.txt"},
};

std::string ReadText(const std::filesystem::path& Path) {
    std::ifstream File(Path, std::ios::binary);
    EXPECT_TRUE(File) << Path;
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

std::string ListText(const char* File) {
    return ReadText(std::filesystem::path(SWATCHBOX_RESOURCES_DIR) / "retail" / File);
}

std::vector<std::string> Words(const std::string& Text) {
    std::istringstream In(Text);
    return {std::istream_iterator<std::string>(In), std::istream_iterator<std::string>()};
}

TEST(RetailListFiles, HoldOneNamePerCrLfLineEndingWithTheDummy) {
    for (const auto& [File, Names] : Lists) {
        SCOPED_TRACE(File);
        const std::string Text = ListText(File);
        std::ptrdiff_t LineBreaks = 0;
        for (std::size_t At = Text.find("\r\n"); At != std::string::npos;
             At = Text.find("\r\n", At + 2))
            ++LineBreaks;
        EXPECT_EQ(std::count(Text.begin(), Text.end(), '\r'), LineBreaks) << "bare CR";
        EXPECT_EQ(std::count(Text.begin(), Text.end(), '\n'), LineBreaks) << "bare LF";
        // Only Unreal's list ends with a line break; no line is blank.
        const bool EndsWithLineBreak = Text.ends_with("\r\n");
        EXPECT_EQ(EndsWithLineBreak, std::string(File) == "Unreal.txt");
        const std::vector<std::string> Entries = Words(Text);
        EXPECT_EQ(std::ssize(Entries), LineBreaks + (EndsWithLineBreak ? 0 : 1));
        EXPECT_EQ(Entries.empty() ? "" : Entries.back(), "DUMMY.DUMMY");
    }
}

TEST(RetailListFiles, HoldTheGatheredNamesInOrder) {
    const std::filesystem::path NamesDir(SWATCHBOX_RETAIL_NAMES_DIR);
    if (!std::filesystem::is_directory(NamesDir))
        GTEST_SKIP() << "no gathered name lists at " << NamesDir;
    for (const auto& [File, Names] : Lists) {
        std::vector<std::string> Expected = Words(ReadText(NamesDir / Names));
        Expected.push_back("DUMMY.DUMMY");
        EXPECT_EQ(Words(ListText(File)), Expected) << File;
    }
}

} // namespace
} // namespace swatchbox::testing
