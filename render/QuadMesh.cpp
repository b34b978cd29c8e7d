#include "render/QuadMesh.h"

#include <GL/gl.h>

#include <algorithm>

// Each quad's corners run counter-clockwise seen from outside and take texture
// coordinates (0,0), (1,0), (1,1), (0,1) in turn.
const MeshCorner SQUARE_MESH[4] = {
    {0, 0, -1, 0, +1},
    {1, 0, +1, 0, +1},
    {1, 1, +1, 0, -1},
    {0, 1, -1, 0, -1},
};

// Faces in drawing order: top, front (+z), right (+x), left (-x), bottom, back (-z).
const MeshCorner CUBE_MESH[24] = {
    {0, 0, +1, +1, +1}, {1, 0, +1, +1, -1}, {1, 1, -1, +1, -1}, {0, 1, -1, +1, +1},
    {0, 0, +1, +1, +1}, {1, 0, -1, +1, +1}, {1, 1, -1, -1, +1}, {0, 1, +1, -1, +1},
    {0, 0, +1, +1, +1}, {1, 0, +1, -1, +1}, {1, 1, +1, -1, -1}, {0, 1, +1, +1, -1},
    {0, 0, -1, +1, +1}, {1, 0, -1, +1, -1}, {1, 1, -1, -1, -1}, {0, 1, -1, -1, +1},
    {0, 0, -1, -1, +1}, {1, 0, -1, -1, -1}, {1, 1, +1, -1, -1}, {0, 1, +1, -1, +1},
    {0, 0, +1, -1, -1}, {1, 0, -1, -1, -1}, {1, 1, -1, +1, -1}, {0, 1, +1, +1, -1},
};

namespace
{
const int MAX_CORNERS = 24;

// A corner as drawn, colour included: Mesa's software renderer draws a full
// board several times faster with the colour in the array than from a
// current colour that changes between draws.
struct ColouredCorner
{
    float s, t;
    float colour[4];
    float x, y, z;
};
} // namespace

// From arrays, not glBegin/glEnd: Mesa keeps every vertex that reaches
// selection mode through glBegin/glEnd for the life of the context, so each
// pick would grow the program.
void DrawQuads(const MeshCorner* corners, int count, float scale)
{
    count = std::clamp(count, 0, MAX_CORNERS);
    ColouredCorner drawn[MAX_CORNERS];
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (int i = 0; i < count; ++i)
    {
        ColouredCorner& out = drawn[i];
        out.s = corners[i].s;
        out.t = corners[i].t;
        std::copy_n(colour, 4, out.colour);
        out.x = corners[i].x * scale;
        out.y = corners[i].y * scale;
        out.z = corners[i].z * scale;
    }
    const GLsizei stride = sizeof(ColouredCorner);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, &drawn[0].s);
    glColorPointer(4, GL_FLOAT, stride, drawn[0].colour);
    glVertexPointer(3, GL_FLOAT, stride, &drawn[0].x);
    glDrawArrays(GL_QUADS, 0, count);
    glPopClientAttrib();
    // GL leaves the current colour undefined after drawing from a colour array.
    glColor4fv(colour);
}
