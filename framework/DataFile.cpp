#include "framework/DataFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "framework/Report.h"
#include "framework/System.h"

#ifndef QUORVEL_INSTALLED_DATA_FOLDER
#define QUORVEL_INSTALLED_DATA_FOLDER "../share/quorvel"
#endif

const char* const INSTALLED_DATA_FOLDER = QUORVEL_INSTALLED_DATA_FOLDER;

namespace fs = std::filesystem;

namespace
{
// Follows links; never opens the file, so a FIFO or a device cannot block here.
bool IsRegularFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Paths are built from and given back as UTF-8 on every system: a narrow
// string alone would be read in the ANSI code page on Windows, losing an
// install folder's letters that the code page lacks.
fs::path FromUtf8(const std::string& text)
{
    return fs::u8path(text);
}

std::string ToUtf8(const fs::path& path)
{
    return path.u8string();
}
} // namespace

std::string FindDataFile(const char* name)
{
    if (!name || !*name)
        return std::string();
    std::vector<fs::path> places{FromUtf8(name)};
    const std::string folder = ExecutableFolder();
    if (!folder.empty())
    {
        places.push_back((FromUtf8(folder) / FromUtf8(name)).lexically_normal());
        places.push_back((FromUtf8(folder) / FromUtf8(INSTALLED_DATA_FOLDER) / FromUtf8(name))
                             .lexically_normal());
    }
    for (const fs::path& place : places)
    {
        if (IsRegularFile(place))
            return ToUtf8(place);
    }

    // Each place once, in full: run from the program's own folder, the first
    // two are the same.
    std::vector<std::string> shown;
    for (const fs::path& place : places)
    {
        std::error_code error;
        const std::string full = ToUtf8(fs::absolute(place, error).lexically_normal());
        if (std::find(shown.begin(), shown.end(), full) == shown.end())
            shown.push_back(full);
    }
    std::string looked = shown[0];
    for (size_t i = 1; i < shown.size(); ++i)
        looked += (i + 1 < shown.size() ? ", " : " and ") + shown[i];
    if (folder.empty())
        looked += " (the program's own folder is unknown)";
    ReportProblem(std::string("Quorvel: ") + name + " not found; looked for " + looked);
    return std::string();
}
