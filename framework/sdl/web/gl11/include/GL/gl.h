#ifndef GL11_GL_H
#define GL11_GL_H

/* The OpenGL 1.1 calls and constants the game and its framework use, with the
   desktop header's names, types and values, implemented over OpenGL ES 2.0
   (WebGL 1.0) by the gl11_webgl library. Nothing else of OpenGL 1.1 is here. */

#ifdef __cplusplus
extern "C"
{
#endif

    typedef unsigned int GLenum;
    typedef unsigned char GLboolean;
    typedef unsigned int GLbitfield;
    typedef void GLvoid;
    typedef signed char GLbyte;
    typedef short GLshort;
    typedef int GLint;
    typedef unsigned char GLubyte;
    typedef unsigned short GLushort;
    typedef unsigned int GLuint;
    typedef int GLsizei;
    typedef float GLfloat;
    typedef float GLclampf;
    typedef double GLdouble;
    typedef double GLclampd;

#define GL_FALSE 0
#define GL_TRUE 1

/* Primitives */
#define GL_LINES 0x0001
#define GL_TRIANGLES 0x0004
#define GL_QUADS 0x0007

/* Data types */
#define GL_UNSIGNED_BYTE 0x1401
#define GL_FLOAT 0x1406

/* Errors */
#define GL_NO_ERROR 0
#define GL_INVALID_ENUM 0x0500
#define GL_INVALID_VALUE 0x0501
#define GL_INVALID_OPERATION 0x0502
#define GL_STACK_OVERFLOW 0x0503
#define GL_STACK_UNDERFLOW 0x0504
#define GL_OUT_OF_MEMORY 0x0505

/* Polygons */
#define GL_FRONT 0x0404
#define GL_BACK 0x0405
#define GL_FRONT_AND_BACK 0x0408
#define GL_LINE 0x1B01
#define GL_FILL 0x1B02

/* Capabilities */
#define GL_CULL_FACE 0x0B44
#define GL_LIGHTING 0x0B50
#define GL_DEPTH_TEST 0x0B71
#define GL_BLEND 0x0BE2
#define GL_TEXTURE_2D 0x0DE1

/* Buffers, depth and blending */
#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_COLOR_BUFFER_BIT 0x00004000
#define GL_NEVER 0x0200
#define GL_LESS 0x0201
#define GL_EQUAL 0x0202
#define GL_LEQUAL 0x0203
#define GL_GREATER 0x0204
#define GL_NOTEQUAL 0x0205
#define GL_GEQUAL 0x0206
#define GL_ALWAYS 0x0207
#define GL_ZERO 0
#define GL_ONE 1
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303

/* Shading and hints */
#define GL_FLAT 0x1D00
#define GL_SMOOTH 0x1D01
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50
#define GL_DONT_CARE 0x1100
#define GL_FASTEST 0x1101
#define GL_NICEST 0x1102

/* Matrices */
#define GL_MATRIX_MODE 0x0BA0
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7

/* Queries */
#define GL_CURRENT_COLOR 0x0B00
#define GL_VIEWPORT 0x0BA2
#define GL_MAX_TEXTURE_SIZE 0x0D33
#define GL_TEXTURE_BINDING_2D 0x8069

/* Texturing */
#define GL_TEXTURE_ENV 0x2300
#define GL_TEXTURE_ENV_MODE 0x2200
#define GL_MODULATE 0x2100
#define GL_TEXTURE_MAG_FILTER 0x2800
#define GL_TEXTURE_MIN_FILTER 0x2801
#define GL_TEXTURE_WRAP_S 0x2802
#define GL_TEXTURE_WRAP_T 0x2803
#define GL_NEAREST 0x2600
#define GL_LINEAR 0x2601
#define GL_NEAREST_MIPMAP_NEAREST 0x2700
#define GL_LINEAR_MIPMAP_NEAREST 0x2701
#define GL_NEAREST_MIPMAP_LINEAR 0x2702
#define GL_LINEAR_MIPMAP_LINEAR 0x2703
#define GL_CLAMP 0x2900
#define GL_REPEAT 0x2901
#define GL_ALPHA 0x1906
#define GL_RGB 0x1907
#define GL_RGBA 0x1908
#define GL_LUMINANCE 0x1909
#define GL_ALPHA8 0x803C
#define GL_RGB8 0x8051
#define GL_RGBA8 0x8058

/* Pixel storage */
#define GL_UNPACK_ROW_LENGTH 0x0CF2
#define GL_UNPACK_SKIP_ROWS 0x0CF3
#define GL_UNPACK_SKIP_PIXELS 0x0CF4
#define GL_UNPACK_ALIGNMENT 0x0CF5

/* Attribute groups */
#define GL_CLIENT_PIXEL_STORE_BIT 0x00000001
#define GL_CLIENT_VERTEX_ARRAY_BIT 0x00000002
#define GL_POLYGON_BIT 0x00000008
#define GL_ENABLE_BIT 0x00002000
#define GL_TEXTURE_BIT 0x00040000

/* Client arrays */
#define GL_VERTEX_ARRAY 0x8074
#define GL_NORMAL_ARRAY 0x8075
#define GL_COLOR_ARRAY 0x8076
#define GL_INDEX_ARRAY 0x8077
#define GL_TEXTURE_COORD_ARRAY 0x8078
#define GL_EDGE_FLAG_ARRAY 0x8079

/* Render modes */
#define GL_RENDER 0x1C00
#define GL_SELECT 0x1C02

    /* State */
    void glEnable(GLenum cap);
    void glDisable(GLenum cap);
    void glPushAttrib(GLbitfield mask);
    void glPopAttrib(void);
    void glPushClientAttrib(GLbitfield mask);
    void glPopClientAttrib(void);
    void glGetIntegerv(GLenum pname, GLint* params);
    void glGetFloatv(GLenum pname, GLfloat* params);
    GLenum glGetError(void);
    void glHint(GLenum target, GLenum mode);
    void glShadeModel(GLenum mode);
    void glPolygonMode(GLenum face, GLenum mode);
    void glBlendFunc(GLenum sfactor, GLenum dfactor);
    void glDepthFunc(GLenum func);
    void glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
    void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
    void glClearDepth(GLclampd depth);
    void glClear(GLbitfield mask);
    void glFlush(void);

    /* Matrices */
    void glMatrixMode(GLenum mode);
    void glLoadIdentity(void);
    void glPushMatrix(void);
    void glPopMatrix(void);
    void glTranslatef(GLfloat x, GLfloat y, GLfloat z);
    void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
    void glScalef(GLfloat x, GLfloat y, GLfloat z);
    void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                 GLdouble zFar);

    /* Colour and client arrays */
    void glColor3f(GLfloat red, GLfloat green, GLfloat blue);
    void glColor4fv(const GLfloat* v);
    void glEnableClientState(GLenum array);
    void glDisableClientState(GLenum array);
    void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
    void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
    void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
    void glDrawArrays(GLenum mode, GLint first, GLsizei count);

    /* Textures */
    void glGenTextures(GLsizei n, GLuint* textures);
    void glDeleteTextures(GLsizei n, const GLuint* textures);
    void glBindTexture(GLenum target, GLuint texture);
    void glTexParameteri(GLenum target, GLenum pname, GLint param);
    void glTexEnvi(GLenum target, GLenum pname, GLint param);
    void glPixelStorei(GLenum pname, GLint param);
    void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width,
                      GLsizei height, GLint border, GLenum format, GLenum type,
                      const GLvoid* pixels);

    /* Selection */
    void glSelectBuffer(GLsizei size, GLuint* buffer);
    GLint glRenderMode(GLenum mode);
    void glInitNames(void);
    void glLoadName(GLuint name);
    void glPushName(GLuint name);
    void glPopName(void);

#ifdef __cplusplus
}
#endif

#endif
