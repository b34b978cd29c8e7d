#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "framework/DataFile.h"
#include "tests/fake/FakePlatform.h"

namespace fs = std::filesystem;

// In a scratch tree, entered: the working directory run/, the program in
// prefix/bin/ and the installed data folder beside it. The first root holding a
// regular file wins, silently; with none, one line on stderr names every place.
// The tree's name has letters that no ANSI code page of Windows holds together,
// as an install folder may: paths go in and out as UTF-8.
TEST(DataFile, TakesTheFirstRootHoldingARegularFileElseSaysWhereItLooked)
{
    const char* const NAME = "data/cube.tga";
    const fs::path top =
        fs::temp_directory_path() /
        fs::u8path("quorvel-data-\xce\xa9-\xd0\x96-" + std::to_string(std::random_device()()));
    ASSERT_TRUE(fs::create_directory(top));
    const fs::path bin = top / "prefix" / "bin", before = fs::current_path();
    const fs::path roots[3] = {top / "run", bin, (bin / INSTALLED_DATA_FOLDER).lexically_normal()};
    // Each root's file as FindDataFile names it.
    const auto Found = [&](const fs::path& root)
    { return (root / NAME).lexically_normal().u8string(); };
    fs::create_directories(roots[0]);
    fs::current_path(roots[0]);
    fake.executableFolder = (bin / "").u8string();
    // Per root: 'f' a file, 'd' a folder by the file's name, '-' nothing; then the winner.
    const struct
    {
        const char* held;
        int winner;
    } cases[] = {{"fff", 0}, {"-ff", 1}, {"--f", 2}, {"ddf", 2}, {"dd-", -1}};
    for (const auto& c : cases)
    {
        for (int i = 0; i < 3; ++i)
        {
            fs::remove_all(roots[i] / "data");
            fs::create_directories(c.held[i] == 'd' ? roots[i] / NAME : roots[i] / "data");
            if (c.held[i] == 'f')
                std::ofstream(roots[i] / NAME) << "image";
        }
        testing::internal::CaptureStderr();
        EXPECT_EQ(FindDataFile(NAME), c.winner < 0    ? ""
                                      : c.winner == 0 ? NAME
                                                      : Found(roots[c.winner]))
            << c.held;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.winner < 0) << said;
        for (const fs::path& root : roots)
            EXPECT_TRUE(c.winner >= 0 || said.find(Found(root)) != std::string::npos) << said;
    }
    fs::current_path(bin); // run from the program's folder: that place is named once
    testing::internal::CaptureStderr();
    EXPECT_EQ(FindDataFile(NAME), "");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find(Found(bin)), said.rfind(Found(bin))) << said;
    fake.executableFolder.clear(); // the system cannot tell: only the working directory
    testing::internal::CaptureStderr();
    EXPECT_EQ(FindDataFile(NAME), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("unknown"), std::string::npos);
    fs::current_path(before);
    fs::remove_all(top);
}
