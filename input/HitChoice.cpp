#include "input/HitChoice.h"

namespace
{
const int WORDS_PER_RECORD = 4; // name count, min depth, max depth, one name
const int MIN_DEPTH = 1;
const int NAME = 3;
} // namespace

int ChooseHit(const uint32_t* buffer, int hitCount)
{
    if (hitCount < 1)
        return -1;
    uint32_t nearest = buffer[MIN_DEPTH];
    int name = static_cast<int>(buffer[NAME]);
    for (int k = 1; k < hitCount; ++k)
    {
        const uint32_t* record = buffer + WORDS_PER_RECORD * k;
        if (record[MIN_DEPTH] < nearest)
        {
            nearest = record[MIN_DEPTH];
            name = static_cast<int>(record[NAME]);
        }
    }
    return name;
}
