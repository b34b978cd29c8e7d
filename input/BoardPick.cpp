#include <GL/gl.h>
#include <GL/glu.h>

#include "board/Board.h"
#include "framework/OpenGL.h"
#include "input/HitChoice.h"

namespace
{
const int SELECT_BUFFER_WORDS = 256; // 64 records of one name each
const double PICK_REGION = 0.1;      // pixels, each way
} // namespace

// Draws the board once more in selection mode through a projection narrowed
// to the point, under the model-view matrix the last frame left.
int CBoard::Pick(int pointX, int pointY)
{
    GLuint buffer[SELECT_BUFFER_WORDS];
    GLint viewport[4];

    glSelectBuffer(SELECT_BUFFER_WORDS, buffer);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int viewWidth = viewport[2] - viewport[0];
    const int viewHeight = viewport[3] - viewport[1];
    // An empty viewport (a minimised window) has no aspect ratio and no squares.
    if (viewWidth <= 0 || viewHeight <= 0)
        return -1;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glRenderMode(GL_SELECT);
    glLoadIdentity();
    // Window y runs downwards, GL's upwards.
    gluPickMatrix(pointX, static_cast<double>(viewport[3] - pointY), PICK_REGION, PICK_REGION,
                  viewport);
    gluPerspective(graphic.fieldOfView, static_cast<double>(viewWidth) / viewHeight, graphic.zNear,
                   graphic.zFar);
    glMatrixMode(GL_MODELVIEW);
    Draw();
    const GLint hits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    // Fewer than one hit: nothing under the point, or the buffer overflowed.
    return ChooseHit(buffer, hits);
}
