#pragma once

// A textured cube mesh centred on (x, y, z), `size` being half its edge.
class CCube
{
  public:
    float x;
    float y;
    float z;
    float size;

    CCube() : x(0.0f), y(0.0f), z(0.0f), size(1.0f) {}
    ~CCube() {}

    void Draw();
};
