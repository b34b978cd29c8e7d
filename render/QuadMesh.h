#pragma once

// One corner of a textured quad: texture coordinates, then the position in
// scene units.
struct MeshCorner
{
    float s, t;
    float x, y, z;
};

// The square: half-edge 1 in the plane y = 0, seen from above.
extern const MeshCorner SQUARE_MESH[4];
// The cube: half-edge 1 about the origin, six faces seen from outside.
extern const MeshCorner CUBE_MESH[24];

// Draws `count` corners (a multiple of 4, at most 24) as quads in their order,
// positions scaled by `scale`, in the current colour and texture. Leaves the
// client array state and the current colour as it found them.
void DrawQuads(const MeshCorner* corners, int count, float scale);
