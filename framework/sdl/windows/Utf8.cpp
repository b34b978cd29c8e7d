#include "framework/sdl/windows/Utf8.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

std::wstring WideFromUtf8(const char* text)
{
    if (!text)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide.data(), length) != length)
        return std::wstring();
    wide.resize(static_cast<size_t>(length) - 1); // the terminator
    return wide;
}

std::string Utf8FromWide(const wchar_t* text)
{
    if (!text)
        return std::string();
    const int length =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, narrow.data(), length, nullptr,
                            nullptr) != length)
        return std::string();
    narrow.resize(static_cast<size_t>(length) - 1);
    return narrow;
}
