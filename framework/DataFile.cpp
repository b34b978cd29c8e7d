#include "framework/DataFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

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
} // namespace

std::string FindDataFile(const char* name)
{
    if (!name || !*name)
        return std::string();
    std::vector<fs::path> places{fs::path(name)};
    const std::string folder = ExecutableFolder();
    if (!folder.empty())
    {
        places.push_back(fs::path(folder) / name);
        places.push_back((fs::path(folder) / INSTALLED_DATA_FOLDER / name).lexically_normal());
    }
    for (const fs::path& place : places)
    {
        if (IsRegularFile(place))
            return place.string();
    }

    std::error_code error;
    std::string looked = fs::absolute(places[0], error).string();
    for (size_t i = 1; i < places.size(); ++i)
        looked += (i + 1 < places.size() ? ", " : " and ") + places[i].string();
    if (folder.empty())
        looked += " (the program's own folder is unknown)";
    std::fprintf(stderr, "Quorvel: %s not found; looked for %s\n", name, looked.c_str());
    return std::string();
}
