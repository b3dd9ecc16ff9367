// swatchbox-cli run in-process in a fresh folder, on packages made by the
// package builder: its exit status, what it printed and the files it wrote.
#pragma once

#include "cli/CommandLine.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/PackageBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace swatchbox::cli {

// A file that `list` must refuse, and a part of the message it must give.
struct TRefusedFile {
    const char* Name;
    testing::TBytes Bytes;
    const char* Message;
};

// Bytes with the byte at At XOR-ed with Xor.
inline testing::TBytes Flipped(testing::TBytes Bytes, std::size_t At, uint8_t Xor) {
    Bytes.at(At) ^= Xor;
    return Bytes;
}

inline bool Has(const std::string& Text, const std::string& Part) {
    return Text.find(Part) != std::string::npos;
}

class TCommandTest : public ::testing::Test {
protected:
    // Runs the tool with Arguments; Out and Err then hold what this run printed.
    int Run(const std::vector<std::string>& Arguments) {
        Out.str("");
        Err.str("");
        return RunCommandLine(Arguments, Out, Err, false);
    }

    // Every file under the folder Name of Temp, as generic paths relative to it.
    std::set<std::string> FilesUnder(const std::string& Name) const {
        const std::filesystem::path Root = Temp.Path() / Name;
        std::set<std::string> Files;
        for (const auto& Entry : std::filesystem::recursive_directory_iterator(Root))
            if (Entry.is_regular_file())
                Files.insert(Entry.path().lexically_relative(Root).generic_string());
        return Files;
    }

    static std::vector<std::string> Lines(const std::string& Text) {
        std::vector<std::string> Result;
        std::istringstream In(Text);
        for (std::string Line; std::getline(In, Line);)
            Result.push_back(Line);
        return Result;
    }

    // How many lines of Text contain Part.
    static int CountLines(const std::string& Text, const std::string& Part) {
        int Count = 0;
        for (const std::string& Line : Lines(Text))
            Count += Has(Line, Part);
        return Count;
    }

    // Writes Refused to Temp as its name plus Extension; `list` must refuse it.
    void ExpectListRefuses(const TRefusedFile& Refused, const std::string& Extension) {
        const std::string File = Temp.File(Refused.Name + Extension);
        testing::WriteFileBytes(File, Refused.Bytes);
        EXPECT_EQ(Run({"list", File}), 1) << Refused.Name;
        EXPECT_TRUE(Has(Err.str(), Refused.Message)) << Refused.Name << ": " << Err.str();
    }

    testing::TTempDir Temp;
    std::ostringstream Out;
    std::ostringstream Err;
};

} // namespace swatchbox::cli
