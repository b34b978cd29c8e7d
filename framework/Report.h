#pragma once

#include <string>

// Tells the player of a fault the game carries on through (a data file not
// found, no font for the text): one line, given without its line end. It goes
// to standard error; a program that has none (on Windows, one started from the
// desktop) appends it to a log the platform keeps instead.
void ReportProblem(const std::string& line);
