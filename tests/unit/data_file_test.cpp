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

// A scratch tree: the working directory run/, the program in prefix/bin/ and
// the installed data folder beside it; the test runs inside run/.
class DataFileTest : public testing::Test
{
  protected:
    fs::path top, run, bin, installed, before;

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quorvel-data-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        top = pattern;
        run = top / "run";
        bin = top / "prefix" / "bin";
        installed = (bin / INSTALLED_DATA_FOLDER).lexically_normal();
        fs::create_directories(run);
        fs::create_directories(bin);
        before = fs::current_path();
        fs::current_path(run);
        fake.executableFolder = bin.string() + "/";
    }

    void TearDown() override
    {
        fake.executableFolder.clear();
        fs::current_path(before);
        fs::remove_all(top);
    }

    static void Put(const fs::path& root)
    {
        fs::create_directories(root / "data");
        std::ofstream(root / NAME) << "image";
    }
};

TEST_F(DataFileTest, TakesTheFirstRootHoldingAFile)
{
    // Which roots hold a file (working directory, program folder, installed folder) -> the winner.
    const struct
    {
        bool inRun, inBin, inInstalled;
        int expected; // 0, 1, 2 as listed
    } cases[] = {{true, true, true, 0}, {false, true, true, 1}, {false, false, true, 2}};
    for (const auto& c : cases)
    {
        const fs::path roots[] = {run, bin, installed};
        const bool holds[] = {c.inRun, c.inBin, c.inInstalled};
        for (int i = 0; i < 3; ++i)
            if (holds[i])
                Put(roots[i]);
        const std::string expected = c.expected == 0 ? NAME : (roots[c.expected] / NAME).string();
        EXPECT_EQ(FindDataFile(NAME), expected) << "case " << c.expected;
        for (const fs::path& root : roots)
            fs::remove_all(root / "data");
    }
}

TEST_F(DataFileTest, PassesOverWhatIsNotARegularFile)
{
    fs::create_directories(run / NAME); // a folder by the file's name
    Put(installed);
    EXPECT_EQ(FindDataFile(NAME), (installed / NAME).string());
}

TEST_F(DataFileTest, WithoutAFileSaysOnceWhereItLooked)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(FindDataFile(NAME), "");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    for (const fs::path& root : {run, bin, installed})
        EXPECT_NE(said.find((root / NAME).string()), std::string::npos) << said;

    fake.executableFolder.clear(); // the system cannot tell: only the working directory
    testing::internal::CaptureStderr();
    EXPECT_EQ(FindDataFile(NAME), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("unknown"), std::string::npos);
}
} // namespace
