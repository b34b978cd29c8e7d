#pragma once

#include <vector>

// The board's picture drawn the cheapest way OpenGL 1.1 offers on a software
// renderer: every square and piece in one array, colours included, sent with
// one glDrawArrays. The yardstick the game's frame is measured against.
class CReferenceScene
{
  public:
    // Takes the board of `game` as it stands: squares, pieces and colours.
    void Build();
    // The camera of `game`, then the whole board in one draw call; leaves the
    // client array state as it found it.
    void Draw() const;

    struct Corner
    {
        float s, t;
        float colour[4];
        float x, y, z;
    };

  private:
    std::vector<Corner> corners;
};
