#include "bench/ReferenceScene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/Game.h"
#include "board/Constants.h"
#include "board/Piece.h"
#include "render/QuadMesh.h"

namespace
{
const float BLUE[4] = {0, 0, 1, 1}, YELLOW[4] = {1, 1, 0, 1};
const float RED[4] = {1, 0, 0, 1}, GREEN[4] = {0, 1, 0, 1};

// Appends `mesh` scaled by `scale` about (x, y, z), in `colour`.
void Append(std::vector<CReferenceScene::Corner>& out, const MeshCorner* mesh, int count,
            float scale, float x, float y, float z, const float colour[4])
{
    for (int i = 0; i < count; ++i)
        out.push_back(CReferenceScene::Corner{mesh[i].s,
                                              mesh[i].t,
                                              {colour[0], colour[1], colour[2], colour[3]},
                                              x + mesh[i].x * scale,
                                              y + mesh[i].y * scale,
                                              z + mesh[i].z * scale});
}
} // namespace

// The same places, sizes and colours as CBoard::Draw gives its squares and
// pieces (a piece 0.6 above its square at half scale), in board coordinates.
void CReferenceScene::Build()
{
    const CBoard& board = game.board;
    corners.clear();
    for (int i = 0; i < board.size * board.size; ++i)
    {
        const CSquare& square = board.squares[i];
        const float sx = board.x + square.x, sy = board.y + square.y, sz = board.z + square.z;
        Append(corners, SQUARE_MESH, 4, square.halfSize, sx, sy, sz,
               square.displayState == SQUARE_NORMAL ? BLUE : YELLOW);
        if (square.occupied != 1)
            continue;
        const CPiece& piece = *square.piece;
        const float half = 0.5f;
        Append(corners, CUBE_MESH, 24, half * piece.cube.size,
               board.x + piece.x + half * piece.cube.x,
               board.y + piece.y + 0.6f + half * piece.cube.y,
               board.z + piece.z + half * piece.cube.z, piece.owner != PLAYER_GREEN ? RED : GREEN);
    }
}

void CReferenceScene::Draw() const
{
    gluLookAt(0.0, game.camHeight, game.camDistance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glRotatef(game.rotY, 0.0f, 1.0f, 0.0f);
    glRotatef(game.rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(game.rotZ, 0.0f, 0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, game.board.texture.id);
    const GLsizei stride = sizeof(Corner);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, &corners[0].s);
    glColorPointer(4, GL_FLOAT, stride, corners[0].colour);
    glVertexPointer(3, GL_FLOAT, stride, &corners[0].x);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(corners.size()));
    glPopClientAttrib();
}
