#pragma once

#include <cstdint>
#include <vector>

// One level of a mipmap chain: tightly packed rows, bottom row first.
struct MipLevel
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// The levels GLU's gluBuild2DMipmaps makes of an image of unsigned bytes with
// `components` (1 to 4) per pixel and `rowBytes` from one row to the next:
// first the image box-filtered to the nearest powers of two (halved both ways
// while either side exceeds `maxSize`), then each level the 2 x 2 average of
// the one before, rounded, down to 1 x 1. Empty for sizes below 1 or a row
// shorter than its pixels.
std::vector<MipLevel> BuildMipmaps(const uint8_t* image, int width, int height, int components,
                                   int rowBytes, int maxSize);

// The power of two GLU takes for a side: the largest not above it, doubled
// when the side's two highest bits are both set (3 becomes 4, 5 stays 4, 6
// becomes 8). Sides below 1 give 0.
int NearestPowerOfTwo(int side);
