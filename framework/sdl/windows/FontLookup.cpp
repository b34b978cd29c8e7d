#include "framework/sdl/FontLookup.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "framework/System.h"
#include "framework/sdl/RegularFile.h"
#include "framework/sdl/windows/Utf8.h"

const char* const FONT_NAME = "DejaVu Sans";

namespace
{
// Windows ships no DejaVu Sans: the game carries its own beside the program.
const char* const SHIPPED_FONT = "data\\DejaVuSans.ttf";
// Where the program's copy is gone, the system's own sans-serif faces.
const wchar_t* const SYSTEM_FONTS[] = {L"segoeui.ttf", L"arial.ttf"};

bool IsRegularFile(const std::string& path)
{
    std::FILE* file = OpenRegularFile(path.c_str());
    if (file)
        std::fclose(file);
    return file != nullptr;
}

// UTF-8 paths, best first.
std::vector<std::string> Candidates()
{
    std::vector<std::string> paths;
    const std::string folder = ExecutableFolder();
    if (!folder.empty())
        paths.push_back(folder + SHIPPED_FONT);
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return paths;
    for (const wchar_t* font : SYSTEM_FONTS)
        paths.push_back(Utf8FromWide((std::wstring(windows) + L"\\Fonts\\" + font).c_str()));
    return paths;
}
} // namespace

bool FindFontFile(char* path, size_t pathSize, int& faceIndex)
{
    for (const std::string& candidate : Candidates())
    {
        if (!candidate.empty() && candidate.size() < pathSize && IsRegularFile(candidate))
        {
            std::memcpy(path, candidate.c_str(), candidate.size() + 1);
            faceIndex = 0;
            return true;
        }
    }
    // Said here, where what was looked for is known; the caller's own reason
    // then goes unsaid, as only the first is reported.
    ReportNoFont("neither data\\DejaVuSans.ttf beside the program nor Segoe UI or Arial in the "
                 "Windows fonts folder");
    return false;
}
