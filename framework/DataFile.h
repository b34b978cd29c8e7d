#pragma once

#include <string>

// The installed data folder as a path relative to the folder of the installed
// program (for instance "../share/quorvel"); set by the build's install layout.
extern const char* const INSTALLED_DATA_FOLDER;

// Finds one of the game's read-only files, `name` being its path relative to a
// data root ("data/cube.tga"). The roots, in order: the working directory, the
// folder of the running program, and the installed data folder beside it. The
// first regular file wins: its path (UTF-8), as given when in the working
// directory. When none holds the file: an empty string, and one line
// (ReportProblem) naming every place looked in.
std::string FindDataFile(const char* name);
