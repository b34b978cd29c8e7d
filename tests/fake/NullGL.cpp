#include "tests/fake/NullGL.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "framework/OpenGL.h"

NullGL nullGL;

namespace
{
GLuint* selectBuffer = nullptr;
GLsizei selectBufferSize = 0;

int& CurrentDepth()
{
    return nullGL.matrixMode == GL_PROJECTION ? nullGL.projectionDepth : nullGL.modelviewDepth;
}
} // namespace

void ResetNullGL()
{
    nullGL = NullGL();
    nullGL.enabled.insert(GL_TEXTURE_2D);
    nullGL.enabled.insert(GL_DEPTH_TEST);
    nullGL.polygonModeFront = GL_FILL;
    nullGL.polygonModeBack = GL_FILL;
    nullGL.matrixMode = GL_MODELVIEW;
    selectBuffer = nullptr;
    selectBufferSize = 0;
}

extern "C" {

void glEnable(GLenum cap) { nullGL.enabled.insert(cap); }
void glDisable(GLenum cap) { nullGL.enabled.erase(cap); }
GLboolean glIsEnabled(GLenum cap) { return nullGL.enabled.count(cap) ? GL_TRUE : GL_FALSE; }

void glPolygonMode(GLenum face, GLenum mode)
{
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK)
        nullGL.polygonModeFront = mode;
    if (face == GL_BACK || face == GL_FRONT_AND_BACK)
        nullGL.polygonModeBack = mode;
}

void glClear(GLbitfield) { ++nullGL.clears; }
void glFlush() {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glBlendFunc(GLenum, GLenum) {}
void glPushAttrib(GLbitfield) {}
void glPopAttrib() {}

void glMatrixMode(GLenum mode) { nullGL.matrixMode = mode; }
void glLoadIdentity() {}
void glPushMatrix() { ++CurrentDepth(); }
void glPopMatrix() { --CurrentDepth(); }
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glScalef(GLfloat, GLfloat, GLfloat) {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}

void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glBegin(GLenum mode)
{
    if (mode == GL_QUADS)
        ++nullGL.quads;
}
void glEnd() {}
void glTexCoord2f(GLfloat, GLfloat) {}
void glVertex2f(GLfloat, GLfloat) { ++nullGL.vertices; }
void glVertex2i(GLint, GLint) { ++nullGL.vertices; }
void glVertex3f(GLfloat, GLfloat, GLfloat) { ++nullGL.vertices; }
void glBindTexture(GLenum, GLuint) {}

void glInitNames() { nullGL.nameDepth = 0; }
void glPushName(GLuint) { ++nullGL.nameDepth; }
void glPopName() { --nullGL.nameDepth; }
void glLoadName(GLuint) {}

void glSelectBuffer(GLsizei size, GLuint* buffer)
{
    selectBuffer = buffer;
    selectBufferSize = size;
}

GLint glRenderMode(GLenum mode)
{
    if (mode == GL_SELECT)
    {
        nullGL.selecting = true;
        return 0;
    }
    if (!nullGL.selecting)
        return 0;
    nullGL.selecting = false;
    const size_t words = std::min<size_t>(nullGL.hitRecords.size(), selectBufferSize);
    std::copy_n(nullGL.hitRecords.begin(), words, selectBuffer);
    return nullGL.hitCount;
}

void glGetIntegerv(GLenum name, GLint* values)
{
    if (name == GL_VIEWPORT)
    {
        values[0] = 0;
        values[1] = 0;
        values[2] = screenWidth;
        values[3] = screenHeight;
    }
}

void gluLookAt(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
               GLdouble)
{
}
void gluPerspective(GLdouble, GLdouble, GLdouble, GLdouble) {}
void gluPickMatrix(GLdouble, GLdouble, GLdouble, GLdouble, GLint*) {}

} // extern "C"
