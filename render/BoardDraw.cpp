#include <GL/gl.h>

#include "board/Board.h"
#include "board/Constants.h"
#include "board/Piece.h"
#include "render/QuadMesh.h"

namespace
{
const float PIECE_LIFT = 0.6f;  // cube centre above its square, scene units
const float PIECE_SCALE = 0.5f; // a cube of half-edge 1 becomes one of edge 1
} // namespace

// Every square, with its piece, under its own index as GL name, so that a
// selection pass names the square whatever part of it was hit.
void CBoard::Draw()
{
    glPushMatrix();
    glInitNames();
    glPushName(0);
    glTranslatef(x, y, z);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    for (int row = 0; row < size; ++row)
    {
        for (int column = 0; column < size; ++column)
        {
            const int index = size * row + column;
            glLoadName(static_cast<GLuint>(index));
            squares[index].Draw();
        }
    }
    glPopName();
    glPopMatrix();
}

void CSquare::Draw()
{
    if (displayState == SQUARE_NORMAL)
        glColor3f(0.0f, 0.0f, 1.0f);
    else
        glColor3f(1.0f, 1.0f, 0.0f);

    glPushMatrix();
    glTranslatef(x, y, z);
    DrawQuads(SQUARE_MESH, 4, halfSize);
    glPopMatrix();

    if (occupied == 1)
        piece->Draw();
}

void CPiece::Draw()
{
    if (owner != PLAYER_GREEN)
        glColor3f(1.0f, 0.0f, 0.0f);
    else
        glColor3f(0.0f, 1.0f, 0.0f);

    glPushMatrix();
    glTranslatef(x, y + PIECE_LIFT, z);
    glScalef(PIECE_SCALE, PIECE_SCALE, PIECE_SCALE);
    cube.Draw();
    glPopMatrix();
}
