#include "board/Square.h"

#include <new>

#include "board/Constants.h"
#include "board/Piece.h"

// Only fills a new array; Create lays out every element in full afterwards.
CSquare::CSquare() : halfSize(1.0f), displayState(SQUARE_NORMAL), occupied(0), piece(nullptr) {}

CSquare::CSquare(const Position& position, float edge)
    : CSceneObject(position), halfSize(edge * 0.5f), displayState(SQUARE_NORMAL), occupied(0),
      piece(nullptr)
{
}

CSquare::~CSquare()
{
    delete piece;
}

void CSquare::Layout(const Position& position, float edge)
{
    delete piece;
    piece = nullptr;
    x = position.x;
    y = position.y;
    z = position.z;
    halfSize = edge * 0.5f;
    displayState = SQUARE_NORMAL;
    occupied = 0;
}

bool CSquare::Place(unsigned char owner)
{
    if (occupied != 0)
        return false;
    // Never leave the square occupied without a piece: readers dereference it.
    piece = new (std::nothrow) CPiece(GetPosition(), owner);
    if (!piece)
        return false;
    occupied = 1;
    return true;
}
