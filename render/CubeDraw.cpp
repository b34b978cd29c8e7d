#include <GL/gl.h>

#include "board/Cube.h"
#include "render/QuadMesh.h"

void CCube::Draw()
{
    glPushMatrix();
    glTranslatef(x, y, z);
    DrawQuads(CUBE_MESH, 24, size);
    glPopMatrix();
}
