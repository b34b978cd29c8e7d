#include <GL/gl.h>

#include "board/Cube.h"

namespace
{
// Corner signs of each face, counter-clockwise seen from outside, in drawing
// order: top, front (+z), right (+x), left (-x), bottom, back (-z). The four
// corners take texture coordinates (0,0), (1,0), (1,1), (0,1) in turn.
const float FACES[6][4][3] = {
    {{+1, +1, +1}, {+1, +1, -1}, {-1, +1, -1}, {-1, +1, +1}},
    {{+1, +1, +1}, {-1, +1, +1}, {-1, -1, +1}, {+1, -1, +1}},
    {{+1, +1, +1}, {+1, -1, +1}, {+1, -1, -1}, {+1, +1, -1}},
    {{-1, +1, +1}, {-1, +1, -1}, {-1, -1, -1}, {-1, -1, +1}},
    {{-1, -1, +1}, {-1, -1, -1}, {+1, -1, -1}, {+1, -1, +1}},
    {{+1, -1, -1}, {-1, -1, -1}, {-1, +1, -1}, {+1, +1, -1}},
};
const float TEX_COORDS[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
} // namespace

void CCube::Draw()
{
    const float s = size;
    glPushMatrix();
    glTranslatef(x, y, z);
    for (const auto& face : FACES)
    {
        glBegin(GL_QUADS);
        for (int corner = 0; corner < 4; ++corner)
        {
            glTexCoord2f(TEX_COORDS[corner][0], TEX_COORDS[corner][1]);
            glVertex3f(face[corner][0] * s, face[corner][1] * s, face[corner][2] * s);
        }
        glEnd();
    }
    glPopMatrix();
}
