#pragma once

#include <cstdio>

// Opens a regular file (a link to one is followed) for reading, binary, never
// waiting: a FIFO, a pipe, a device, a terminal or a folder is refused without
// being read, and what was opened is the thing checked, so nothing can be
// swapped in between. `path` is UTF-8. Null for anything else or on failure;
// the caller closes the stream.
std::FILE* OpenRegularFile(const char* path);
