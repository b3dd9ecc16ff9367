#include "tests/cli/CommandTest.h"
#include "tools/package-builder/BuiltPackage.h"

namespace swatchbox::cli {
namespace {

using WrappedPackageTest = TCommandTest;

// Lineage II's wrapper: "Lineage2VerNNN" in UTF-16LE, then the package XOR-ed with Key.
testing::TBytes Wrap(const testing::TBytes& Package, const char* Version, uint8_t Key) {
    testing::TBytes Wrapped;
    for (const char* Char = "Lineage2Ver"; *Char; ++Char)
        Wrapped.insert(Wrapped.end(), {static_cast<uint8_t>(*Char), 0});
    for (int Digit = 0; Digit < 3; ++Digit)
        Wrapped.insert(Wrapped.end(), {static_cast<uint8_t>(Version[Digit]), 0});
    for (const uint8_t Byte : Package)
        Wrapped.push_back(Byte ^ Key);
    return Wrapped;
}

TEST_F(WrappedPackageTest, XorWrappedPackagesExportTheirPlainBytesAndOthersAreRefused) {
    testing::TPackageBuilder Builder(121);
    Builder.AddTexture(
        {.Name = "Crest", .Group = "Clan", .Format = pfDXT3, .Width = 64, .Height = 32});
    const std::string Plain = Temp.File("Pledge.utx");
    Builder.WriteTo(Plain);
    const testing::TBytes Bytes = testing::ReadFileBytes(Plain);
    ASSERT_EQ(Run({"export", "--out", Temp.File("plain"), Plain}), ExitOk) << Err.str();
    const auto Expected = testing::ReadFileBytes(Temp.File("plain/Pledge/Clan/Crest.DDS"));

    for (const uint8_t Key : {0xAC, 0x00, 0x5B}) {
        std::string Out = "k";
        Out += std::to_string(Key);
        testing::WriteFileBytes(Temp.File(Out + ".utx"), Wrap(Bytes, "121", Key));
        ASSERT_EQ(Run({"export", "--out", Temp.File(Out), Temp.File(Out + ".utx")}), ExitOk)
            << Err.str();
        EXPECT_EQ(testing::ReadFileBytes(Temp.File(Out + "/" + Out + "/Clan/Crest.DDS")), Expected);
    }
    ASSERT_EQ(Run({"list", "--json", Temp.File("k172.utx")}), ExitOk);
    EXPECT_EQ(CountLines(Out.str(), "\"engine\": \"Lineage II\""), 1);

    const TRefusedFile Bad[] = {
        {"Encrypted", Wrap(Bytes, "413", 0x00), "is encrypted in a way this program can't read"},
        {"NoTag", Flipped(Wrap(Bytes, "121", 0xAC), 29, 0x01), "not a package file"},
        {"HeaderOnly", Wrap({}, "121", 0), "not a package file"},
    };
    for (const auto& Case : Bad)
        ExpectListRefuses(Case, ".utx");
}

} // namespace
} // namespace swatchbox::cli
