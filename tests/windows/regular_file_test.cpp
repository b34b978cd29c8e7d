#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/sdl/RegularFile.h"

namespace fs = std::filesystem;

// Only a disk file opens, in binary, from a scratch folder whose name no ANSI code page
// holds whole: names go in as UTF-8. A folder, the devices NUL and CON, the
// client end of a waiting pipe, a missing file and a name that is not UTF-8
// are refused, at once and without a read.
TEST(RegularFile, OpensOnlyADiskFile)
{
    const fs::path folder =
        fs::temp_directory_path() /
        fs::u8path("quorvel-\xce\xa9\xd0\x96-" + std::to_string(std::random_device()()));
    const fs::path file = folder / fs::u8path("\xe7\x9b\xa4.tga");
    ASSERT_TRUE(fs::create_directory(folder));
    // A line end and Ctrl-Z, which a file opened as text would turn and end at.
    const std::string content("by\r\n\x1a\0tes", 9);
    std::ofstream(file, std::ios::binary) << content;
    std::FILE* opened = OpenRegularFile(file.u8string().c_str());
    ASSERT_NE(opened, nullptr);
    char bytes[16] = {};
    EXPECT_EQ(std::string(bytes, std::fread(bytes, 1, sizeof bytes, opened)), content);
    std::fclose(opened);

    const std::string pipeName =
        "\\\\.\\pipe\\quorvel-test-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                         PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::vector<std::string> refused = {
        folder.u8string(), "NUL", "CON", pipeName, (folder / "missing.tga").u8string(), "\xff.tga"};
    for (const std::string& name : refused)
    {
        std::FILE* wrong = OpenRegularFile(name.c_str());
        EXPECT_EQ(wrong, nullptr) << name;
        if (wrong)
            std::fclose(wrong);
    }
    CloseHandle(pipe);
    fs::remove_all(folder);
}
