#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>

#include <windows.h>

#include "framework/Report.h"

namespace fs = std::filesystem;

// A program without a standard error, as one started from the desktop, adds
// each line to %LOCALAPPDATA%\Quorvel\quorvel.log (the folder made on the way),
// after the local time, with Windows line ends; letters stay UTF-8.
TEST(Report, WithoutStandardErrorTheLinesGoToTheLog)
{
    const fs::path appData =
        fs::temp_directory_path() / ("quorvel-appdata-" + std::to_string(std::random_device()()));
    ASSERT_TRUE(fs::create_directory(appData));
    wchar_t saved[MAX_PATH] = {};
    const bool hadAppData = GetEnvironmentVariableW(L"LOCALAPPDATA", saved, MAX_PATH) > 0;
    SetEnvironmentVariableW(L"LOCALAPPDATA", appData.wstring().c_str());
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, nullptr);

    ReportProblem("Quorvel: first");
    ReportProblem("Quorvel: second \xce\xa9");

    SetStdHandle(STD_ERROR_HANDLE, error);
    SetEnvironmentVariableW(L"LOCALAPPDATA", hadAppData ? saved : nullptr);
    std::ifstream log(appData / "Quorvel" / "quorvel.log", std::ios::binary);
    std::stringstream text;
    text << log.rdbuf();
    log.close();
    fs::remove_all(appData);
    // "YYYY-MM-DD hh:mm:ss " before each line.
    const std::regex expected(
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Quorvel: first\r\n"
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Quorvel: second \xce\xa9\r\n");
    EXPECT_TRUE(std::regex_match(text.str(), expected)) << text.str();
}
