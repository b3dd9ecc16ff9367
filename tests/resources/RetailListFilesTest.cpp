// The retail lists embedded in the program: their exact byte form, what the
// program's way of splitting them yields, and the names they were made from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace swatchbox::testing {
namespace {

struct TRetailListFile {
    const char* File;
    const char* Names; // the one-name-per-line list it is made from
    bool EndsWithLineBreak;
};

const TRetailListFile RetailListFiles[] = {
    {"Unreal.txt", "UNREAL.txt", true},  {"Unreal2.txt", "UNREAL2.txt", false},
    {"UT99.txt", "UT99.txt", false},     {"UT2003.txt", "UT2003.txt", false},
    {"UT2004.txt", "UT2004.txt", false},
};

std::string ReadText(const std::filesystem::path& Path) {
    std::ifstream File(Path, std::ios::binary);
    EXPECT_TRUE(File) << Path;
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

std::string RetailListText(const TRetailListFile& List) {
    return ReadText(std::filesystem::path(SWATCHBOX_RESOURCES_DIR) / "retail" / List.File);
}

// The program's reading: runs of codes 1 to 32 separate entries.
std::vector<std::string> SplitEntries(const std::string& Text) {
    std::vector<std::string> Entries;
    std::string Entry;
    for (const char C : Text) {
        const auto Code = static_cast<unsigned char>(C);
        if (Code >= 1 && Code <= 32) {
            if (!Entry.empty())
                Entries.push_back(Entry);
            Entry.clear();
        } else {
            Entry += C;
        }
    }
    if (!Entry.empty())
        Entries.push_back(Entry);
    return Entries;
}

bool IsName(const std::string& Text) {
    if (Text.empty())
        return false;
    for (const char C : Text)
        if (!((C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == '_' || C == '-'))
            return false;
    return true;
}

TEST(RetailListFiles, HaveTheResourceForm) {
    for (const TRetailListFile& List : RetailListFiles) {
        SCOPED_TRACE(List.File);
        const std::string Text = RetailListText(List);
        ASSERT_FALSE(Text.empty());

        // Lines end in CR LF, with no bare CR or LF anywhere.
        std::vector<std::string> Lines;
        std::size_t Start = 0;
        for (std::size_t I = 0; I < Text.size(); ++I) {
            if (Text[I] == '\n')
                ADD_FAILURE() << "bare LF at byte " << I;
            if (Text[I] != '\r')
                continue;
            ASSERT_TRUE(I + 1 < Text.size() && Text[I + 1] == '\n') << "bare CR at byte " << I;
            Lines.push_back(Text.substr(Start, I - Start));
            ++I; // past the LF
            Start = I + 1;
        }
        const bool EndsWithLineBreak = Start == Text.size();
        EXPECT_EQ(EndsWithLineBreak, List.EndsWithLineBreak);
        if (!EndsWithLineBreak)
            Lines.push_back(Text.substr(Start));

        ASSERT_FALSE(Lines.empty());
        EXPECT_EQ(Lines.back(), "DUMMY.DUMMY");
        std::set<std::string> Seen;
        for (std::size_t I = 0; I + 1 < Lines.size(); ++I) {
            EXPECT_TRUE(IsName(Lines[I])) << "line " << I + 1 << ": '" << Lines[I] << "'";
            EXPECT_TRUE(Seen.insert(Lines[I]).second) << "listed twice: " << Lines[I];
        }
        // Read the program's way, every line is one entry.
        EXPECT_EQ(SplitEntries(Text), Lines);
    }
}

TEST(RetailListFiles, HoldTheGatheredNamesInOrder) {
    const std::filesystem::path NamesDir(SWATCHBOX_RETAIL_NAMES_DIR);
    if (!std::filesystem::is_directory(NamesDir))
        GTEST_SKIP() << "no gathered name lists at " << NamesDir;
    for (const TRetailListFile& List : RetailListFiles) {
        SCOPED_TRACE(List.File);
        std::vector<std::string> Expected = SplitEntries(ReadText(NamesDir / List.Names));
        Expected.push_back("DUMMY.DUMMY");
        EXPECT_EQ(SplitEntries(RetailListText(List)), Expected);
    }
}

} // namespace
} // namespace swatchbox::testing
