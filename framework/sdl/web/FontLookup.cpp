#include "framework/sdl/FontLookup.h"

#include <sys/stat.h>

#include <cstdio>

const char* const FONT_NAME = "DejaVu Sans";

namespace
{
// Where the page's data puts the desktop's font (dist/web/CMakeLists.txt): a
// browser offers no font files to a program.
const char* const FONT_FILE = "/fonts/DejaVuSans.ttf";
} // namespace

bool FindFontFile(char* path, size_t pathSize, int& faceIndex)
{
    struct stat status;
    if (stat(FONT_FILE, &status) != 0 || !S_ISREG(status.st_mode))
    {
        ReportNoFont("the page's data holds no /fonts/DejaVuSans.ttf");
        return false;
    }
    if (std::snprintf(path, pathSize, "%s", FONT_FILE) >= static_cast<int>(pathSize))
        return false;
    faceIndex = 0;
    return true;
}
