#include <GL/gl11_backend.h>

#include <cstring>
#include <string>

#include "Context.h"
#include "EsFunctions.h"

namespace
{
// ES 2.0 enums the desktop header does not carry.
const GLenum ES_ARRAY_BUFFER = 0x8892;
const GLenum ES_ELEMENT_ARRAY_BUFFER = 0x8893;
const GLenum ES_FRAGMENT_SHADER = 0x8B30;
const GLenum ES_VERTEX_SHADER = 0x8B31;
const GLenum ES_COMPILE_STATUS = 0x8B81;
const GLenum ES_LINK_STATUS = 0x8B82;
const GLenum ES_TEXTURE0 = 0x84C0;

EsFunctions table;
bool loaded = false;
std::string failure;
GLint texturingUniform = -1;

// Clip coordinates come from the layer: the vertex stage only hands on.
const char* const VERTEX_SOURCE = R"(
attribute vec4 position;
attribute vec4 colour;
attribute vec2 texCoord;
varying vec4 vColour;
varying vec2 vTexCoord;
void main()
{
    gl_Position = position;
    vColour = colour;
    vTexCoord = texCoord;
}
)";

const char* const FRAGMENT_SOURCE = R"(
precision mediump float;
uniform sampler2D picture;
uniform int texturing;
varying vec4 vColour;
varying vec2 vTexCoord;
void main()
{
    vec4 colour = vColour;
    if (texturing == 1)
        colour *= texture2D(picture, vTexCoord);
    else if (texturing == 2)
        colour.a *= texture2D(picture, vTexCoord).a;
    gl_FragColor = colour;
}
)";

template <typename Function>
bool Find(void* (*getProcAddress)(const char*), Function& slot, const char* name)
{
    void* address = getProcAddress(name);
    std::memcpy(&slot, &address, sizeof slot);
    if (address == nullptr && failure.empty())
        failure = std::string("the GL function ") + name + " was not found";
    return address != nullptr;
}

bool FindAll(void* (*get)(const char*))
{
    EsFunctions& t = table;
    bool found = true;
    found &= Find(get, t.ActiveTexture, "glActiveTexture");
    found &= Find(get, t.AttachShader, "glAttachShader");
    found &= Find(get, t.BindAttribLocation, "glBindAttribLocation");
    found &= Find(get, t.BindBuffer, "glBindBuffer");
    found &= Find(get, t.BindTexture, "glBindTexture");
    found &= Find(get, t.BlendFunc, "glBlendFunc");
    found &= Find(get, t.BufferData, "glBufferData");
    found &= Find(get, t.Clear, "glClear");
    found &= Find(get, t.ClearColor, "glClearColor");
    found &= Find(get, t.ClearDepthf, "glClearDepthf");
    found &= Find(get, t.CompileShader, "glCompileShader");
    found &= Find(get, t.CreateProgram, "glCreateProgram");
    found &= Find(get, t.CreateShader, "glCreateShader");
    found &= Find(get, t.DeleteTextures, "glDeleteTextures");
    found &= Find(get, t.DepthFunc, "glDepthFunc");
    found &= Find(get, t.Disable, "glDisable");
    found &= Find(get, t.DrawElements, "glDrawElements");
    found &= Find(get, t.Enable, "glEnable");
    found &= Find(get, t.EnableVertexAttribArray, "glEnableVertexAttribArray");
    found &= Find(get, t.Flush, "glFlush");
    found &= Find(get, t.GenBuffers, "glGenBuffers");
    found &= Find(get, t.GenTextures, "glGenTextures");
    found &= Find(get, t.GetError, "glGetError");
    found &= Find(get, t.GetIntegerv, "glGetIntegerv");
    found &= Find(get, t.GetProgramiv, "glGetProgramiv");
    found &= Find(get, t.GetShaderiv, "glGetShaderiv");
    found &= Find(get, t.GetUniformLocation, "glGetUniformLocation");
    found &= Find(get, t.LinkProgram, "glLinkProgram");
    found &= Find(get, t.PixelStorei, "glPixelStorei");
    found &= Find(get, t.ShaderSource, "glShaderSource");
    found &= Find(get, t.TexImage2D, "glTexImage2D");
    found &= Find(get, t.TexParameteri, "glTexParameteri");
    found &= Find(get, t.Uniform1i, "glUniform1i");
    found &= Find(get, t.UseProgram, "glUseProgram");
    found &= Find(get, t.VertexAttribPointer, "glVertexAttribPointer");
    found &= Find(get, t.Viewport, "glViewport");
    return found;
}

GLuint Compile(GLenum kind, const char* source)
{
    const GLuint shader = table.CreateShader(kind);
    table.ShaderSource(shader, 1, &source, nullptr);
    table.CompileShader(shader);
    GLint compiled = 0;
    table.GetShaderiv(shader, ES_COMPILE_STATUS, &compiled);
    return compiled ? shader : 0;
}

bool BuildProgram()
{
    const GLuint vertex = Compile(ES_VERTEX_SHADER, VERTEX_SOURCE);
    const GLuint fragment = Compile(ES_FRAGMENT_SHADER, FRAGMENT_SOURCE);
    if (vertex == 0 || fragment == 0)
    {
        failure = "the layer's shaders did not compile";
        return false;
    }
    const GLuint program = table.CreateProgram();
    table.AttachShader(program, vertex);
    table.AttachShader(program, fragment);
    table.BindAttribLocation(program, ATTRIBUTE_POSITION, "position");
    table.BindAttribLocation(program, ATTRIBUTE_COLOUR, "colour");
    table.BindAttribLocation(program, ATTRIBUTE_TEXTURE, "texCoord");
    table.LinkProgram(program);
    GLint linked = 0;
    table.GetProgramiv(program, ES_LINK_STATUS, &linked);
    if (!linked)
    {
        failure = "the layer's shaders did not link";
        return false;
    }
    table.UseProgram(program);
    table.Uniform1i(table.GetUniformLocation(program, "picture"), 0);
    texturingUniform = table.GetUniformLocation(program, "texturing");
    table.ActiveTexture(ES_TEXTURE0);
    GLuint buffers[2] = {};
    table.GenBuffers(2, buffers);
    table.BindBuffer(ES_ARRAY_BUFFER, buffers[0]);
    table.BindBuffer(ES_ELEMENT_ARRAY_BUFFER, buffers[1]);
    for (GLuint attribute : {ATTRIBUTE_POSITION, ATTRIBUTE_COLOUR, ATTRIBUTE_TEXTURE})
        table.EnableVertexAttribArray(attribute);
    return true;
}
} // namespace

const EsFunctions* Es()
{
    return loaded ? &table : nullptr;
}

void EsSetTexturing(EsTexturing mode)
{
    if (loaded)
        table.Uniform1i(texturingUniform, mode);
}

bool Gl11LoadBackend(void* (*getProcAddress)(const char* name))
{
    loaded = false;
    failure.clear();
    if (getProcAddress == nullptr)
        failure = "no way to find GL functions";
    else if (FindAll(getProcAddress) && BuildProgram())
        loaded = true;
    if (loaded) // what was set before, ES now holds too
    {
        const Context& gl = Gl11();
        ApplyServerState(gl.server);
        table.DepthFunc(gl.depthFunc);
        table.Viewport(gl.viewport[0], gl.viewport[1], gl.viewport[2], gl.viewport[3]);
    }
    return loaded;
}

const char* Gl11BackendFailure()
{
    return failure.c_str();
}
