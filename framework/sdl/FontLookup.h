#pragma once

#include <cstddef>

// The family the heads-up text asks the system for.
extern const char* const FONT_NAME;

// Says once per run, on standard error, why there is no text.
void ReportNoFont(const char* why);
// The file and face index of the system's best match for FONT_NAME, found
// through fontconfig; false when there is none or the path does not fit.
bool FindFontFile(char* path, size_t pathSize, int& faceIndex);
