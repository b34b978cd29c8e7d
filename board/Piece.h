#pragma once

#include "board/Cube.h"
#include "board/SceneObject.h"

// A placed piece: a cube in its owner's colour above its square's position.
class CPiece final : public CSceneObject
{
  public:
    int owner; // PLAYER_GREEN or PLAYER_RED, the byte widened without sign
    CCube cube;

    CPiece(const Position& position, unsigned char ownerByte)
        : CSceneObject(position), owner(ownerByte)
    {
    }
    ~CPiece() {}

    void Draw() override;
};
