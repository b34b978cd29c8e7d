// A null GL: every GL and GLU entry point the game and the framework's common
// code call, recording into `fake` what the tests ask about instead of drawing.
// gl.h and glu.h declare them extern "C", and these definitions keep that linkage.

#include <GL/glu.h>

#include <algorithm>

#include "framework/OpenGL.h"
#include "tests/fake/FakePlatform.h"

void glSelectBuffer(GLsizei size, GLuint* buffer)
{
    std::copy_n(fake.hitRecords.begin(), std::min<size_t>(size, fake.hitRecords.size()), buffer);
}

// clang-format off
void glGetIntegerv(GLenum, GLint* v) { v[0] = v[1] = 0; v[2] = screenWidth; v[3] = screenHeight; }
void glEnable(GLenum cap) { fake.enabled.insert(cap); }
void glDisable(GLenum cap) { fake.enabled.erase(cap); }
void glPolygonMode(GLenum face, GLenum mode) { fake.polygonMode[face] = mode; }
void glClear(GLbitfield) { ++fake.clears; }
void glPushMatrix() { ++fake.matrixDepth; }
void glPopMatrix() { --fake.matrixDepth; }
GLint glRenderMode(GLenum mode) { return mode == GL_RENDER ? fake.hitCount : 0; }
void glFlush() {} void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glBlendFunc(GLenum, GLenum) {} void glPushAttrib(GLbitfield) {} void glPopAttrib() {}
void glMatrixMode(GLenum) {} void glLoadIdentity() {} void glScalef(GLfloat, GLfloat, GLfloat) {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {} void glBindTexture(GLenum, GLuint) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {} void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void glGetFloatv(GLenum, GLfloat* v) { std::fill_n(v, 4, 1.0f); } void glColor4fv(const GLfloat*) {}
void glPushClientAttrib(GLbitfield) {} void glPopClientAttrib() {} void glEnableClientState(GLenum) {}
void glTexCoordPointer(GLint, GLenum, GLsizei, const GLvoid*) {} void glDrawArrays(GLenum, GLint, GLsizei) {}
void glColorPointer(GLint, GLenum, GLsizei, const GLvoid*) {}
void glVertexPointer(GLint, GLenum, GLsizei, const GLvoid*) {}
void glInitNames() {} void glPushName(GLuint) {}
void glPopName() {} void glLoadName(GLuint) {}
void gluPerspective(GLdouble, GLdouble, GLdouble, GLdouble) {}
void gluPickMatrix(GLdouble, GLdouble, GLdouble, GLdouble, GLint*) {}
void gluLookAt(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
               GLdouble) {}
// clang-format on
