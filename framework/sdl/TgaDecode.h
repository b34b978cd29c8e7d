#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: 8-bit RGBA, rows packed without padding, bottom row first
// (the order GL takes, t = 0 at the bottom) whichever origin the file declared.
struct DecodedImage
{
    int width = 0;             // pixels
    int height = 0;            // pixels
    std::vector<uint8_t> rgba; // width * height * 4 bytes
};

// Decodes a whole TGA file held in memory. False, with `out` emptied, for bytes
// that are not a TGA the decoder takes, that end before the picture does, or
// that declare an empty picture or one over 4096 on a side or 16M pixels.
bool DecodeTga(const void* bytes, size_t size, DecodedImage& out);
// The same for a file on disk, its name in UTF-8, read only when it is a
// regular file (or a link to one); false too when it is anything else or
// cannot be opened.
bool DecodeTgaFile(const char* fileName, DecodedImage& out);
