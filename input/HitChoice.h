#pragma once

#include <cstdint>

// The square named by the nearest of `hitCount` selection records of four
// words each (name count, min depth, max depth, name) in `buffer`. Depths
// compare unsigned; the first record wins ties; fewer than one hit (none, or
// an overflow's negative count) gives -1.
int ChooseHit(const uint32_t* buffer, int hitCount);
