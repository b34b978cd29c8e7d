#include <GL/gl.h>
#include <GL/glu.h>

#include "framework/OpenGL.h"
#include "framework/System.h"

namespace
{
// Loads the stored perspective for the current client size. A client area of
// zero height (a minimised window) is projected as if it were one pixel high.
void LoadPerspective()
{
    const int height = screenHeight > 0 ? screenHeight : 1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(graphic.fieldOfView, static_cast<double>(screenWidth) / height, graphic.zNear,
                   graphic.zFar);
    glMatrixMode(GL_MODELVIEW);
}
} // namespace

void COpenGL::SetPerspective(float fov, float nearPlane, float farPlane)
{
    fieldOfView = fov;
    zNear = nearPlane;
    zFar = farPlane;
    if (HasCurrentContext())
        LoadPerspective();
}

void COpenGL::ResizeScene(int width, int height)
{
    screenWidth = width > 0 ? width : 0;
    screenHeight = height > 0 ? height : 0;
    if (!HasCurrentContext())
        return;
    glViewport(0, 0, screenWidth, screenHeight);
    LoadPerspective();
}

void COpenGL::Start2D()
{
    // Text must read the same in wireframe and with the game's texturing off.
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, screenWidth, screenHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void COpenGL::End2D()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
