#include "framework/sdl/RegularFile.h"

#include <sys/stat.h>

// The page's files live in memory, packed with the page and unpacked before the
// game starts: nothing there can block, so the file is opened and then checked.
std::FILE* OpenRegularFile(const char* path)
{
    if (!path)
        return nullptr;
    std::FILE* file = std::fopen(path, "rb");
    struct stat status;
    if (file && (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)))
    {
        std::fclose(file);
        return nullptr;
    }
    return file;
}
