#include <gtest/gtest.h>

#include <climits>

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
        const float x = static_cast<float>(i % size) * 2.1f,
                    z = static_cast<float>(i / size) * 2.1f;
        EXPECT_TRUE(s.x == x && s.y == 0.0f && s.z == z)
            << "square " << i << " at " << s.x << "," << s.y << "," << s.z << ", not " << x << ",0,"
            << z;
        EXPECT_TRUE(s.halfSize == 1.0f && s.displayState == SQUARE_NORMAL && !s.occupied &&
                    !s.piece)
            << "square " << i;
    }
}
} // namespace

TEST(Board, LaysOutNineByNineAroundTheSceneOrigin)
{
    CBoard board;
    board.Create(9, -8.4f, 0.0f, -8.4f);
    ExpectFreshLayout(board, 9);
    EXPECT_EQ(board.pieceCount, 0);
    EXPECT_EQ(board.x + board.squares[40].x, 0.0f);
    EXPECT_EQ(board.z + board.squares[40].z, 0.0f);
}

TEST(Board, PlacesAPieceOfTheGivenOwnerOnlyOnAFreeSquare)
{
    CBoard board;
    board.Create(9, -8.4f, 0.0f, -8.4f);
    for (int index : {0, 10, 80})
    {
        const unsigned char owner = index == 80 ? 200 : index % 2; // a byte, widened unsigned
        ASSERT_TRUE(board.PlacePiece(index, owner)) << "square " << index;
        const CSquare& square = board.squares[index];
        ASSERT_TRUE(square.occupied == 1 && square.piece) << "square " << index;
        EXPECT_EQ(square.piece->owner, owner) << "square " << index;
        EXPECT_TRUE(square.piece->x == square.x && square.piece->z == square.z)
            << "square " << index;
    }
    for (int index : {-1, 81, 10, INT_MIN, INT_MAX})
        EXPECT_FALSE(board.PlacePiece(index, PLAYER_RED)) << "square " << index;
    EXPECT_EQ(board.pieceCount, 3);
    EXPECT_EQ(board.squares[10].piece->owner, PLAYER_GREEN) << "the first piece stays";
}

TEST(Board, ClearingAndCreatingAgainEmptyTheSquares)
{
    CBoard board;
    board.Create(9, -8.4f, 0.0f, -8.4f);
    for (int i = 0; i < 81; i += 2)
        board.PlacePiece(i, PLAYER_RED);
    board.squares[4].displayState = SQUARE_MARKED;
    board.ClearPieces();
    EXPECT_EQ(board.pieceCount, 0);
    EXPECT_EQ(board.squares[4].displayState, SQUARE_MARKED) << "the marked square stays marked";
    board.squares[4].displayState = SQUARE_NORMAL;
    ExpectFreshLayout(board, 9);

    board.PlacePiece(0, PLAYER_RED);
    board.PlacePiece(80, PLAYER_GREEN);
    board.squares[7].displayState = SQUARE_MARKED;
    board.Create(5, 1.0f, 2.0f, 3.0f); // frees the old pieces, or ASan reports a leak
    ExpectFreshLayout(board, 5);
    EXPECT_EQ(board.pieceCount, 2) << "kept until the next ClearPieces";
}
