#pragma once

#include <string>

// Conversions between UTF-8, the framework's encoding of file names, and the
// UTF-16 of Windows' wide-character calls. Empty on invalid input.
std::wstring WideFromUtf8(const char* text);
std::string Utf8FromWide(const wchar_t* text);
