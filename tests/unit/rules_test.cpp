#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "board/Board.h"
#include "board/Constants.h"

namespace
{
const int STEPS[4][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}}; // row and column steps of the lines

// CheckWinner of an n x n board of `cells` (row-major, -1 empty, else the owner);
// `pieceCount` overrides the count of placed pieces when not -1.
int Winner(int n, const std::vector<int>& cells, int pieceCount = -1)
{
    CBoard board;
    board.Create(n, 0.0f, 0.0f, 0.0f);
    for (int i = 0; i < n * n; ++i)
        if (cells[i] >= 0)
            board.PlacePiece(i, static_cast<unsigned char>(cells[i]));
    board.pieceCount = pieceCount >= 0 ? pieceCount : board.pieceCount;
    return board.CheckWinner();
}

// Bit `owner` set for each owner with five alike in a line, trying every square as a start.
int ReferenceFives(int n, const std::vector<int>& cells)
{
    int found = 0;
    for (int i = 0; i < n * n; ++i)
        for (const auto& d : STEPS)
        {
            int k = 1, r = i / n, c = i % n;
            while (k < 5 && r + k * d[0] < n && c + k * d[1] >= 0 && c + k * d[1] < n &&
                   cells[n * (r + k * d[0]) + c + k * d[1]] == cells[i])
                ++k;
            found |= k == 5 && cells[i] >= 0 ? 1 << cells[i] : 0;
        }
    return found;
}
} // namespace

TEST(WinDetection, EveryFiveInALineWinsAndAGapOrAForeignPieceBreaksIt)
{
    int lines = 0;
    for (int start = 0; start < 4 * 81; ++start)
    {
        const int* d = STEPS[start / 81];
        const int r = start % 81 / 9, c = start % 9, step = 9 * d[0] + d[1];
        if (r + 4 * d[0] > 8 || c + 4 * d[1] < 0 || c + 4 * d[1] > 8)
            continue;
        ++lines;
        for (int owner : {PLAYER_GREEN, PLAYER_RED})
        {
            std::vector<int> cells(81, -1);
            for (int k = 0; k < 5; ++k)
                cells[start % 81 + k * step] = owner;
            EXPECT_EQ(Winner(9, cells), owner) << "five from " << r << "," << c << " step " << step;
            for (int k = 0; k < 10; ++k) // each square emptied, then given to the other
            {
                std::vector<int> broken = cells;
                broken[start % 81 + k % 5 * step] = k < 5 ? -1 : 1 - owner;
                EXPECT_EQ(Winner(9, broken), RESULT_NONE)
                    << r << "," << c << " step " << step << " broken at " << k;
            }
        }
    }
    EXPECT_EQ(lines, 2 * 9 * 5 + 2 * 5 * 5) << "lines of five that fit on 9 x 9";
}

TEST(WinDetection, FullBoardsDrawByCountUnlessALineIsCompleteAndSmallBoardsNeverWin)
{
    std::vector<int> cells(81);
    for (int i = 0; i < 81; ++i)
        cells[i] = (i / 9 / 2 + i % 9) % 2; // no more than two alike in any line
    ASSERT_EQ(ReferenceFives(9, cells), 0);
    EXPECT_EQ(Winner(9, std::vector<int>(81, -1)), RESULT_NONE) << "empty board";
    EXPECT_EQ(Winner(9, cells), RESULT_DRAW);
    EXPECT_EQ(Winner(9, cells, 80), RESULT_NONE) << "the same squares counted as 80";
    for (int column = 0; column < 9; ++column)
        cells[column] = PLAYER_RED;
    EXPECT_EQ(Winner(9, cells), PLAYER_RED) << "the move that fills the board ends a run of nine";
    for (int n = 1; n <= 4; ++n)
    {
        EXPECT_EQ(Winner(n, std::vector<int>(n * n, 0)), RESULT_DRAW) << n << " x " << n << " full";
        EXPECT_EQ(Winner(n, std::vector<int>(n * n, 0), n * n - 1), RESULT_NONE) << n << " x " << n;
    }
}

TEST(WinDetection, AgreesWithADirectScanOnRandomBoards)
{
    std::mt19937 random(20240607);
    int outcomes[5] = {}; // by ReferenceFives (none, green, red, both), then draws: all occur
    for (int round = 0; round < 4000; ++round)
    {
        const int n = 1 + random() % 11, density = random() % 101, redShare = random() % 101;
        std::vector<int> cells(n * n);
        bool full = true;
        for (int& cell : cells)
        {
            const bool red = int(random() % 100) < redShare;
            cell = int(random() % 100) < density ? red : -1;
            full = full && cell >= 0;
        }
        const int fives = ReferenceFives(n, cells), got = Winner(n, cells);
        // With fives of both owners either may be found first, so only a player is expected.
        const int expected[4] = {full ? RESULT_DRAW : RESULT_NONE, PLAYER_GREEN, PLAYER_RED, got};
        EXPECT_EQ(got, expected[fives]) << "round " << round << ", " << n << " x " << n;
        EXPECT_TRUE(fives != 3 || got == PLAYER_GREEN || got == PLAYER_RED) << "round " << round;
        ++outcomes[fives == 0 && full ? 4 : fives];
    }
    for (int kind = 0; kind < 5; ++kind)
        EXPECT_GT(outcomes[kind], 40) << "too few random boards of outcome kind " << kind;
}
