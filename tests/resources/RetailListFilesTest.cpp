// The retail lists embedded in the program: their byte form and the names
// they were made from.
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
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

std::string ListText(const char* File) {
    return ReadFileText(
        (std::filesystem::path(SWATCHBOX_RESOURCES_DIR) / "retail" / File).string());
}

std::vector<std::string> Words(const std::string& Text) {
    std::istringstream In(Text);
    return {std::istream_iterator<std::string>(In), std::istream_iterator<std::string>()};
}

// One name a line, no line blank, CR LF line breaks; only Unreal's list ends
// with a line break. The names are the gathered ones in order, then the dummy.
TEST(RetailListFiles, HoldTheGatheredNamesOnePerCrLfLineEndingWithTheDummy) {
    const std::filesystem::path NamesDir(SWATCHBOX_RETAIL_NAMES_DIR);
    for (const auto& [File, Gathered] : Lists) {
        const std::string Text = ListText(File);
        const std::vector<std::string> Entries = Words(Text);
        std::string Lines;
        for (const std::string& Entry : Entries)
            Lines += (Lines.empty() ? "" : "\r\n") + Entry;
        EXPECT_EQ(Text, Lines + (std::string(File) == "Unreal.txt" ? "\r\n" : "")) << File;
        EXPECT_EQ(Entries.empty() ? "" : Entries.back(), "DUMMY.DUMMY") << File;
        if (!std::filesystem::is_directory(NamesDir))
            continue; // no gathered name lists here
        std::vector<std::string> Expected = Words(ReadFileText((NamesDir / Gathered).string()));
        Expected.push_back("DUMMY.DUMMY");
        EXPECT_EQ(Entries, Expected) << File;
    }
}

} // namespace
} // namespace swatchbox::testing
