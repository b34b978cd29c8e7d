#pragma once

#include <cstddef>

// The family the heads-up text asks the system for.
extern const char* const FONT_NAME;

// Says once per run (ReportProblem) why there is no text.
void ReportNoFont(const char* why);
// The file (UTF-8 path) and face index of the font for the text: on Linux the
// system's best match for FONT_NAME through fontconfig, on Windows the copy
// shipped beside the program, else the system's own. False when there is none
// or the path does not fit.
bool FindFontFile(char* path, size_t pathSize, int& faceIndex);
