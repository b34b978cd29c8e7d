#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "Matrix.h"
#include "Polygons.h"
#include "Selection.h"

// The OpenGL 1.1 state the layer keeps itself: what ES 2.0 has no place for,
// and what the queries of the game and the framework read back.

// The state glPushAttrib saves, by group.
struct ServerState
{
    // GL_ENABLE_BIT
    bool depthTest = false, blend = false, cullFace = false, lighting = false, texture2D = false;
    // GL_POLYGON_BIT
    GLenum frontMode = GL_FILL, backMode = GL_FILL;
    // GL_COLOR_BUFFER_BIT
    GLenum blendSource = GL_ONE, blendTarget = GL_ZERO;
    GLfloat clearColour[4] = {0, 0, 0, 0};
    // GL_TEXTURE_BIT
    GLuint boundTexture = 0;
    GLenum textureEnvironment = GL_MODULATE;
};

// One client array as glXxxPointer gave it: floats only.
struct ClientArray
{
    bool enabled = false;
    GLint size = 4;
    GLsizei stride = 0;
    const GLvoid* pointer = nullptr;
};

// The state glPushClientAttrib saves, by group.
struct ClientState
{
    // GL_CLIENT_VERTEX_ARRAY_BIT
    ClientArray vertex, colour, texCoord;
    // GL_CLIENT_PIXEL_STORE_BIT
    GLint unpackAlignment = 4, unpackRowLength = 0, unpackSkipRows = 0, unpackSkipPixels = 0;
};

// What the layer knows of each texture: enough to tell when it is complete
// and how modulation treats it.
struct TextureInfo
{
    GLenum format = 0; // of level 0; 0 before an image is given
    GLint width = 0, height = 0;
    GLint levels = 0; // how many levels from 0 have been given in turn
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
};

struct Context
{
    static const int MATRIX_DEPTH = 32;
    static const int ATTRIB_DEPTH = 16;

    GLenum matrixMode = GL_MODELVIEW;
    std::vector<Matrix> modelView{IdentityMatrix()};
    std::vector<Matrix> projection{IdentityMatrix()};
    GLfloat colour[4] = {1, 1, 1, 1};
    GLint viewport[4] = {0, 0, 0, 0};
    GLenum depthFunc = GL_LESS;
    ServerState server;
    ClientState client;
    std::vector<std::pair<GLbitfield, ServerState>> attribStack;
    std::vector<std::pair<GLbitfield, ClientState>> clientAttribStack;
    std::unordered_map<GLuint, TextureInfo> textures;
    Selection selection;
    GLenum error = GL_NO_ERROR;

    std::vector<Matrix>& Stack() { return matrixMode == GL_PROJECTION ? projection : modelView; }
    Matrix& Top() { return Stack().back(); }
    // Keeps the first error until glGetError reads it, as GL does.
    void Fail(GLenum code)
    {
        if (error == GL_NO_ERROR)
            error = code;
    }
    void Fail(Selection::Fault fault);
    // The rules polygons are drawn and selected by.
    PolygonRules Rules() const;
};

// The one context: the browser has one window.
Context& Gl11();

// Applies to ES what `state` holds and ES keeps (enables, blending, clear
// colour, the bound texture).
void ApplyServerState(const ServerState& state);
