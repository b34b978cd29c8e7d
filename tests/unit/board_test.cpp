#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "board/Board.h"
#include "board/Constants.h"
#include "board/Piece.h"

namespace
{
// Every square of a size x size board empty and unmarked.
void ExpectEmpty(const CBoard& board, int size)
{
    ASSERT_EQ(board.size, size);
    for (int i = 0; i < size * size; ++i)
        EXPECT_TRUE(board.squares[i].displayState == SQUARE_NORMAL && !board.squares[i].occupied &&
                    !board.squares[i].piece)
            << "square " << i;
}

const int STEPS[4][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}}; // row and column steps of the lines

// CheckWinner of an n x n board of `cells`: row-major, -1 empty, else the owner.
int Winner(int n, const std::vector<int>& cells)
{
    CBoard board;
    board.Create(n, 0.0f, 0.0f, 0.0f);
    for (int i = 0; i < n * n; ++i)
        if (cells[i] >= 0)
            board.PlacePiece(i, static_cast<unsigned char>(cells[i]));
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

TEST(Board, PlacesOnlyOnFreeSquaresAndClearingKeepsTheMarks)
{
    CBoard board;
    board.Create(9, -8.4f, 0.0f, -8.4f);
    const int squares[] = {0, 17, 80, -1, 81, 17}; // the last three are refused
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(board.PlacePiece(squares[k], k == 1), k < 3) << "square " << squares[k];
    const CPiece& piece = *board.squares[17].piece; // row 1, column 8, squares 2.1 apart
    EXPECT_EQ(std::make_tuple(piece.owner, piece.x, piece.y, piece.z),
              std::make_tuple(int(PLAYER_RED), 16.8f, 0.0f, 2.1f));
    EXPECT_TRUE(board.pieceCount == 3 && board.squares[80].occupied);
    board.squares[17].displayState = SQUARE_MARKED;
    board.ClearPieces();
    EXPECT_TRUE(board.pieceCount == 0 && board.squares[17].displayState == SQUARE_MARKED);
    board.squares[17].displayState = SQUARE_NORMAL;
    ExpectEmpty(board, 9);
    board.PlacePiece(80, PLAYER_RED);
    board.squares[7].displayState = SQUARE_MARKED;
    board.Create(5, 1.0f, 2.0f, 3.0f); // frees the old piece, or ASan reports a leak
    ExpectEmpty(board, 5);
}

TEST(WinDetection, AgreesWithADirectScanOnRandomBoards)
{
    std::mt19937 random(20240607);
    int outcomes[5] = {}; // by ReferenceFives (none, green, red, both), then draws: all occur
    for (int round = 0; round < 4000; ++round)
    {
        const int n = 1 + random() % 11, density = random() % 101, redShare = random() % 101;
        std::vector<int> cells(n * n);
        for (int& cell : cells)
            cell = int(random() % 100) < density ? int(random() % 100) < redShare : -1;
        const bool full = std::count(cells.begin(), cells.end(), -1) == 0;
        const int fives = ReferenceFives(n, cells), got = Winner(n, cells);
        // With fives of both owners either may be found first, but one of them must be.
        const int expected[4] = {full ? RESULT_DRAW : RESULT_NONE, PLAYER_GREEN, PLAYER_RED,
                                 got == PLAYER_GREEN ? PLAYER_GREEN : PLAYER_RED};
        EXPECT_EQ(got, expected[fives]) << "round " << round << ", " << n << " x " << n;
        ++outcomes[fives == 0 && full ? 4 : fives];
    }
    for (int kind = 0; kind < 5; ++kind)
        EXPECT_GT(outcomes[kind], 40) << "too few random boards of outcome kind " << kind;
}
