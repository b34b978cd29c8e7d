#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/DataFile.h"
#include "tests/fake/FakePlatform.h"

namespace fs = std::filesystem;

namespace
{
const char* const NAME = "data/cube.tga";

// A scratch tree, entered: the working directory run/, the program in
// prefix/bin/ and the installed data folder beside it.
class DataFileTest : public testing::Test
{
  protected:
    fs::path top, before, roots[3]; // working directory, program folder, installed folder

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quorvel-data-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        top = pattern;
        roots[0] = top / "run";
        roots[1] = top / "prefix" / "bin";
        roots[2] = (roots[1] / INSTALLED_DATA_FOLDER).lexically_normal();
        fs::create_directories(roots[0]);
        fs::create_directories(roots[1]);
        before = fs::current_path();
        fs::current_path(roots[0]);
        fake.executableFolder = roots[1].string() + "/";
    }

    void TearDown() override
    {
        fake.executableFolder.clear();
        fs::current_path(before);
        fs::remove_all(top);
    }
};

TEST_F(DataFileTest, TakesTheFirstRootHoldingARegularFile)
{
    // Per root: 'f' a file, 'd' a folder by the file's name, '-' nothing; then the winner.
    const struct
    {
        const char* held;
        int winner;
    } cases[] = {{"fff", 0}, {"-ff", 1}, {"--f", 2}, {"ddf", 2}};
    for (const auto& c : cases)
    {
        for (int i = 0; i < 3; ++i)
        {
            fs::remove_all(roots[i] / "data");
            fs::create_directories(c.held[i] == 'd' ? roots[i] / NAME : roots[i] / "data");
            if (c.held[i] == 'f')
                std::ofstream(roots[i] / NAME) << "image";
        }
        EXPECT_EQ(FindDataFile(NAME), c.winner == 0 ? NAME : (roots[c.winner] / NAME).string())
            << c.held;
    }
}

TEST_F(DataFileTest, WithoutAFileSaysOnceWhereItLooked)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(FindDataFile(NAME), "");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    for (const fs::path& root : roots)
        EXPECT_NE(said.find((root / NAME).string()), std::string::npos) << said;

    fake.executableFolder.clear(); // the system cannot tell: only the working directory
    testing::internal::CaptureStderr();
    EXPECT_EQ(FindDataFile(NAME), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("unknown"), std::string::npos);
}
} // namespace
