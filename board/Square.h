#pragma once

#include "board/SceneObject.h"

class CPiece;

// One board square; owns at most one piece. `occupied` is 1 exactly when
// `piece` is not null.
class CSquare final : public CSceneObject
{
  public:
    float halfSize;
    int displayState; // SQUARE_NORMAL or SQUARE_MARKED
    int occupied;
    CPiece* piece;

    CSquare();
    CSquare(const Position& position, float edge);
    ~CSquare();
    CSquare(const CSquare&) = delete;
    CSquare& operator=(const CSquare&) = delete;

    // Occupies the square with a new piece of `owner`. False when the square
    // is taken or the piece cannot be allocated; the square is then unchanged.
    bool Place(unsigned char owner);
    // Lays the square out afresh: empty, normal, at `position`, `edge` wide.
    void Layout(const Position& position, float edge);

    void Draw() override;
};
