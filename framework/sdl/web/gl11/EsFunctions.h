#pragma once

#include <GL/gl.h>

#include <cstddef>

// The OpenGL ES 2.0 functions the layer draws with, found by name at run time:
// the layer defines the OpenGL 1.1 names itself, so it never calls ES by them.
struct EsFunctions
{
    void (*ActiveTexture)(GLenum);
    void (*AttachShader)(GLuint, GLuint);
    void (*BindAttribLocation)(GLuint, GLuint, const char*);
    void (*BindBuffer)(GLenum, GLuint);
    void (*BindTexture)(GLenum, GLuint);
    void (*BlendFunc)(GLenum, GLenum);
    void (*BufferData)(GLenum, std::ptrdiff_t, const void*, GLenum);
    void (*Clear)(GLbitfield);
    void (*ClearColor)(GLclampf, GLclampf, GLclampf, GLclampf);
    void (*ClearDepthf)(GLclampf);
    void (*CompileShader)(GLuint);
    GLuint (*CreateProgram)();
    GLuint (*CreateShader)(GLenum);
    void (*DeleteTextures)(GLsizei, const GLuint*);
    void (*DepthFunc)(GLenum);
    void (*Disable)(GLenum);
    void (*DrawElements)(GLenum, GLsizei, GLenum, const void*);
    void (*Enable)(GLenum);
    void (*EnableVertexAttribArray)(GLuint);
    void (*Flush)();
    void (*GenBuffers)(GLsizei, GLuint*);
    void (*GenTextures)(GLsizei, GLuint*);
    GLenum (*GetError)();
    void (*GetIntegerv)(GLenum, GLint*);
    void (*GetProgramiv)(GLuint, GLenum, GLint*);
    void (*GetShaderiv)(GLuint, GLenum, GLint*);
    GLint (*GetUniformLocation)(GLuint, const char*);
    void (*LinkProgram)(GLuint);
    void (*PixelStorei)(GLenum, GLint);
    void (*ShaderSource)(GLuint, GLsizei, const char* const*, const GLint*);
    void (*TexImage2D)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);
    void (*TexParameteri)(GLenum, GLenum, GLint);
    void (*Uniform1i)(GLint, GLint);
    void (*UseProgram)(GLuint);
    void (*VertexAttribPointer)(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*);
    void (*Viewport)(GLint, GLint, GLsizei, GLsizei);
};

// The table once Gl11LoadBackend has filled it and built the program; null
// before, or after it failed.
const EsFunctions* Es();

// The program's vertex attributes and what the fragment stage does with the
// bound texture (the `texturing` uniform).
enum EsAttribute
{
    ATTRIBUTE_POSITION,
    ATTRIBUTE_COLOUR,
    ATTRIBUTE_TEXTURE
};
enum EsTexturing
{
    TEXTURING_OFF,
    TEXTURING_MODULATE,       // colour x texel
    TEXTURING_MODULATE_ALPHA, // an alpha-only texture: only alpha x texel's alpha
};
// Sets the `texturing` uniform; the program is in use from loading on.
void EsSetTexturing(EsTexturing mode);
