#ifndef GL11_GLU_H
#define GL11_GLU_H

/* The GLU calls the game and its framework use, with the desktop header's
   names and types, over the gl11_webgl library's OpenGL 1.1 calls. */

#include <GL/gl.h>

#ifdef __cplusplus
extern "C"
{
#endif

#define GLU_INVALID_ENUM 100900
#define GLU_INVALID_VALUE 100901
#define GLU_OUT_OF_MEMORY 100902

    void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
    void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
                   GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ);
    void gluPickMatrix(GLdouble x, GLdouble y, GLdouble delX, GLdouble delY, GLint* viewport);
    GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                            GLenum format, GLenum type, const void* data);

#ifdef __cplusplus
}
#endif

#endif
