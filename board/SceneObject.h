#pragma once

// Position in scene units; y is up.
struct Position
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Anything drawn per square. Destroyed only through its concrete type, so the
// destructor is deliberately not virtual.
class CSceneObject
{
  public:
    float x;
    float y;
    float z;

    CSceneObject() : x(0.0f), y(0.0f), z(0.0f) {}
    explicit CSceneObject(const Position& position) : x(position.x), y(position.y), z(position.z) {}
    ~CSceneObject() {}

    virtual void Draw() = 0;

    Position GetPosition() const { return Position{x, y, z}; }

  protected:
    CSceneObject(const CSceneObject&) = default;
    CSceneObject& operator=(const CSceneObject&) = default;
};
