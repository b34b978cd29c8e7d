#include <gtest/gtest.h>

#include <vector>

#include "input/HitChoice.h"

TEST(HitChoice, NearestMinimumDepthWinsFirstOnTiesNoneOnOverflow)
{
    // Records of four words: name count, minimum depth, maximum depth, square.
    // clang-format off
    const struct { const char* name; int hits; std::vector<uint32_t> records; int square; }
    cases[] = {
        {"no hit", 0, {}, -1},
        {"one hit", 1, {1, 7000, 9000, 42}, 42},
        {"nearest of three", 3, {1, 900, 900, 3, 1, 200, 950, 5, 1, 400, 400, 9}, 5},
        {"equal depths: the first", 3, {1, 300, 300, 4, 1, 300, 300, 2, 1, 300, 0, 1}, 4},
        {"above 2^31 is far", 2, {1, 0x90000000u, 0, 6, 1, 0x7FFFFFFFu, 0, 8}, 8},
        {"above 2^31 stays far", 2, {1, 0x7FFFFFFFu, 0, 8, 1, 0xF0000000u, 0, 6}, 8},
        {"overflow", -1, {1, 5, 5, 3, 1, 6, 6, 4}, -1}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ChooseHit(c.records.data(), c.hits), c.square) << c.name;
}
