#include "board/Board.h"

#include <cstddef>
#include <new>

#include "board/Piece.h"
#include "framework/DataFile.h"

namespace
{
const float SQUARE_SPACING = 2.1f; // centre to centre, scene units
const float SQUARE_EDGE = 2.0f;
const char* const TEXTURE_FILE = "data/cube.tga";
} // namespace

CBoard::CBoard() : squares(nullptr), x(0.0f), y(0.0f), z(0.0f), size(0), pieceCount(0) {}

CBoard::~CBoard()
{
    delete[] squares;
}

void CBoard::Create(int newSize, float newX, float newY, float newZ)
{
    // A board without its image is still playable, in flat colours.
    texture.Create(FindDataFile(TEXTURE_FILE).c_str());

    delete[] squares;
    squares = nullptr;
    x = newX;
    y = newY;
    z = newZ;
    size = newSize > 0 ? newSize : 0;

    // Out of memory leaves an empty board, which every reader handles as size 0.
    squares = new (std::nothrow) CSquare[static_cast<size_t>(size) * size];
    if (!squares)
    {
        size = 0;
        return;
    }
    for (int row = 0; row < size; ++row)
    {
        for (int column = 0; column < size; ++column)
        {
            const Position position{static_cast<float>(column) * SQUARE_SPACING, 0.0f,
                                    static_cast<float>(row) * SQUARE_SPACING};
            squares[size * row + column].Layout(position, SQUARE_EDGE);
        }
    }
}

bool CBoard::PlacePiece(int index, unsigned char owner)
{
    if (index < 0)
        return false;
    if (index >= size * size)
        return false;
    if (!squares[index].Place(owner))
        return false;
    ++pieceCount;
    return true;
}

void CBoard::ClearPieces()
{
    for (int index = 0; index < size * size; ++index)
    {
        CSquare& square = squares[index];
        if (square.occupied != 0)
        {
            delete square.piece;
            square.piece = nullptr;
            square.occupied = 0;
        }
    }
    pieceCount = 0;
}
