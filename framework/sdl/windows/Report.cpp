#include "framework/Report.h"

#include <cstdio>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace
{
// %LOCALAPPDATA%\Quorvel\quorvel.log, its folder made when missing; empty when
// the system names no such folder.
std::wstring LogPath()
{
    wchar_t base[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    const std::wstring folder = std::wstring(base) + L"\\Quorvel";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\quorvel.log";
}
} // namespace

// A program of the GUI subsystem has a standard error only when it was given
// one (redirected, or started by Wine from a terminal). Lines in the log carry
// the local time, as the log outlives the run.
void ReportProblem(const std::string& line)
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE)
    {
        std::fprintf(stderr, "%s\n", line.c_str());
        return;
    }
    const std::wstring path = LogPath();
    std::FILE* log = path.empty() ? nullptr : _wfopen(path.c_str(), L"ab");
    if (!log)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::fprintf(log, "%04u-%02u-%02u %02u:%02u:%02u %s\r\n", now.wYear, now.wMonth, now.wDay,
                 now.wHour, now.wMinute, now.wSecond, line.c_str());
    std::fclose(log);
}
