#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "board/Board.h"
#include "board/Constants.h"
#include "board/Piece.h"

namespace
{
// Every square empty and unmarked, of edge 2, at (column * 2.1, 0, row * 2.1).
void ExpectFreshLayout(const CBoard& board, int size)
{
    ASSERT_EQ(board.size, size);
    for (int i = 0; i < size * size; ++i)
    {
        const CSquare& s = board.squares[i];
        EXPECT_EQ(std::make_tuple(s.x, s.y, s.z, s.halfSize, s.displayState, s.occupied, s.piece),
                  std::make_tuple(float(i % size) * 2.1f, 0.0f, float(i / size) * 2.1f, 1.0f,
                                  SQUARE_NORMAL, 0, static_cast<CPiece*>(nullptr)))
            << "square " << i;
    }
}
} // namespace

TEST(Board, LaysOutSquaresAndPlacesPiecesOnlyOnFreeOnes)
{
    CBoard board;
    board.Create(9, -8.4f, 0.0f, -8.4f);
    ExpectFreshLayout(board, 9);
    EXPECT_EQ(board.x + board.squares[40].x, 0.0f) << "the middle square at the scene origin";
    EXPECT_EQ(board.z + board.squares[40].z, 0.0f);
    const int squares[] = {0, 10, 80};
    const unsigned char owners[] = {PLAYER_GREEN, PLAYER_RED, 200}; // widened without sign
    for (int k = 0; k < 3; ++k)
    {
        ASSERT_TRUE(board.PlacePiece(squares[k], owners[k])) << "square " << squares[k];
        const CSquare& s = board.squares[squares[k]];
        ASSERT_TRUE(s.occupied == 1 && s.piece) << "square " << squares[k];
        EXPECT_EQ(std::make_tuple(s.piece->x, s.piece->y, s.piece->z, s.piece->owner),
                  std::make_tuple(s.x, s.y, s.z, int(owners[k])));
    }
    for (int index : {-1, 81, 10, INT_MIN, INT_MAX})
        EXPECT_FALSE(board.PlacePiece(index, PLAYER_GREEN)) << "square " << index;
    EXPECT_EQ(board.pieceCount, 3);
    EXPECT_EQ(board.squares[10].piece->owner, PLAYER_RED) << "the first piece stays";
}

TEST(Board, ClearingKeepsTheMarkAndCreatingAgainFreesThePieces)
{
    CBoard board;
    board.Create(9, -8.4f, 0.0f, -8.4f);
    for (int i = 0; i < 81; i += 2)
        board.PlacePiece(i, PLAYER_RED);
    board.squares[4].displayState = SQUARE_MARKED;
    board.ClearPieces();
    EXPECT_EQ(board.pieceCount, 0);
    EXPECT_EQ(board.squares[4].displayState, SQUARE_MARKED);
    board.squares[4].displayState = SQUARE_NORMAL;
    ExpectFreshLayout(board, 9);

    board.PlacePiece(0, PLAYER_RED);
    board.PlacePiece(80, PLAYER_GREEN);
    board.squares[7].displayState = SQUARE_MARKED;
    board.Create(5, 1.0f, 2.0f, 3.0f); // the old pieces are freed, or ASan reports a leak
    ExpectFreshLayout(board, 5);
    EXPECT_EQ(board.pieceCount, 2) << "kept until the next ClearPieces";
}
