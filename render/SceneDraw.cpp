#include <GL/gl.h>
#include <GL/glu.h>

#include "app/Game.h"

void CGame::Draw()
{
    DrawScene();
    DrawHud();
}

// The camera looks from (0, camHeight, camDistance) at the scene origin; the
// board turns about Z, then X, then Y. The camera stays in the model-view
// matrix after the frame: picking between frames draws under it.
void CGame::DrawScene()
{
    gluLookAt(0.0, camHeight, camDistance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glRotatef(rotY, 0.0f, 1.0f, 0.0f);
    glRotatef(rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(rotZ, 0.0f, 0.0f, 1.0f);
    board.Draw();
}
