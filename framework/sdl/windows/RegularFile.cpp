#include "framework/sdl/RegularFile.h"

#include <string>

#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "framework/sdl/windows/Utf8.h"

// A disk file that is not a folder; device names (NUL, CON, COM1), pipes and
// consoles are character or pipe handles. The handle is not inherited.
std::FILE* OpenRegularFile(const char* path)
{
    const std::wstring widePath = WideFromUtf8(path);
    if (widePath.empty())
        return nullptr;
    const HANDLE handle = CreateFileW(widePath.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION information;
    const bool regular = GetFileType(handle) == FILE_TYPE_DISK &&
                         GetFileInformationByHandle(handle, &information) &&
                         !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    const int fd =
        regular ? _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY) : -1;
    if (fd < 0)
    {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (!file)
        _close(fd); // closes the handle too
    return file;
}
