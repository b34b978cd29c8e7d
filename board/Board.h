#pragma once

#include "board/Square.h"
#include "framework/Texture.h"

// The square grid, row-major: index = size * row + column, -1 for no square.
class CBoard
{
  public:
    CSquare* squares; // size * size squares; null before Create
    CTexture texture;
    float x;
    float y;
    float z;
    int size;
    int pieceCount; // pieces placed since the last ClearPieces

    CBoard();
    ~CBoard();
    CBoard(const CBoard&) = delete;
    CBoard& operator=(const CBoard&) = delete;

    // Loads "data/cube.tga" (a failure leaves the board untextured) and lays
    // out size x size empty squares 2.1 apart from the origin (x, y, z).
    void Create(int size, float x, float y, float z);
    // Places a piece of `owner` on square `index`; false off the board or on
    // an occupied square, changing nothing.
    bool PlacePiece(int index, unsigned char owner);
    // Removes every piece; display states, position and texture stay.
    void ClearPieces();

    // Result code of the board: a five-in-a-line's owner, RESULT_DRAW when
    // full, else RESULT_NONE.
    int CheckWinner();
    int CheckRowsAndColumns();
    int CheckDiagonals();
    int CheckFull();

    // Draws every square with its piece, each under its index as GL name.
    void Draw();
    // Index of the nearest square drawn under window point (x, y), client
    // pixels with y downwards, under the current model-view matrix; -1 for none.
    int Pick(int x, int y);
};
