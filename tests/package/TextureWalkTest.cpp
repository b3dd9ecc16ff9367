// The one walk over a package's texture exports: which exports it visits,
// and what it does at one it can't read, as its caller chooses. (Where the
// messages go is seen in the program's analysis tests.)
#include "package/TextureWalk.h"
#include "package/Errors.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

TEST(TextureWalk, VisitsTexturesInOrderAndSkipsOrStopsAtAnUnreadableExport) {
    TPackageBuilder Builder;
    Builder.AddTexture({.Name = "First"});
    const int32_t Bad = Builder.AddTexture({.Name = "Bad"});
    Builder.Export(Bad).Class = -1000; // a class reference outside the tables
    Builder.AddTexture({.Name = "Shiny", .ClassName = "Shader"});
    Builder.AddTexture({.Name = "Last", .ClassName = "TEXTURE"});
    TPackageFile File(Builder);
    TUnrealPackage& Package = File.Open();

    std::vector<std::string> Visited;
    std::vector<int32_t> Failed;
    std::vector<std::size_t> Counts;
    TTextureWalk Walk;
    Walk.Errors = TWalkErrors::Skip;
    Walk.OnTexture = [&](int32_t, std::size_t, std::size_t Count) { Counts.push_back(Count); };
    Walk.OnError = [&](int32_t Index, const std::exception&) { Failed.push_back(Index); };
    const auto Visit = [&](std::unique_ptr<TTextureObject> Texture) {
        Visited.push_back(Texture->Name);
    };
    Walk.Run(Package, Visit);
    EXPECT_EQ(Visited, (std::vector<std::string>{"First", "Last"}));
    EXPECT_EQ(Failed, (std::vector<int32_t>{Bad - 1}));
    EXPECT_EQ(Counts, (std::vector<std::size_t>{2, 2}));

    Visited.clear();
    Walk.Errors = TWalkErrors::Stop;
    EXPECT_THROW(Walk.Run(Package, Visit), EReferenceOutOfRange);
    EXPECT_TRUE(Visited.empty());
    EXPECT_EQ(Package.Stream, nullptr);
}

} // namespace
} // namespace swatchbox::testing
