// Enables, attribute stacks, queries and the frame-buffer calls.

#include <algorithm>

#include "Context.h"
#include "EsFunctions.h"

namespace
{
// The flag behind a capability, null for one the layer does not offer.
bool* Capability(ServerState& state, GLenum cap)
{
    switch (cap)
    {
    case GL_DEPTH_TEST:
        return &state.depthTest;
    case GL_BLEND:
        return &state.blend;
    case GL_CULL_FACE:
        return &state.cullFace;
    case GL_LIGHTING: // never lit: the flag is kept for the attribute stack
        return &state.lighting;
    case GL_TEXTURE_2D:
        return &state.texture2D;
    default:
        return nullptr;
    }
}

void SetCapability(GLenum cap, bool on)
{
    Context& gl = Gl11();
    bool* flag = Capability(gl.server, cap);
    if (!flag)
        return gl.Fail(GL_INVALID_ENUM);
    *flag = on;
    // Culling and texturing are the layer's; ES does depth testing and blending.
    const EsFunctions* es = Es();
    if (es && (cap == GL_DEPTH_TEST || cap == GL_BLEND))
        (on ? es->Enable : es->Disable)(cap);
}

bool IsPolygonMode(GLenum mode)
{
    return mode == GL_LINE || mode == GL_FILL;
}
} // namespace

void glEnable(GLenum cap)
{
    SetCapability(cap, true);
}

void glDisable(GLenum cap)
{
    SetCapability(cap, false);
}

void glPushAttrib(GLbitfield mask)
{
    Context& gl = Gl11();
    if (gl.attribStack.size() >= size_t(Context::ATTRIB_DEPTH))
        return gl.Fail(GL_STACK_OVERFLOW);
    gl.attribStack.emplace_back(mask, gl.server);
}

void glPopAttrib()
{
    Context& gl = Gl11();
    if (gl.attribStack.empty())
        return gl.Fail(GL_STACK_UNDERFLOW);
    const GLbitfield mask = gl.attribStack.back().first;
    const ServerState& saved = gl.attribStack.back().second;
    ServerState& now = gl.server;
    if (mask & GL_ENABLE_BIT)
    {
        now.depthTest = saved.depthTest;
        now.blend = saved.blend;
        now.cullFace = saved.cullFace;
        now.lighting = saved.lighting;
        now.texture2D = saved.texture2D;
    }
    if (mask & GL_POLYGON_BIT)
    {
        now.frontMode = saved.frontMode;
        now.backMode = saved.backMode;
        now.cullFace = saved.cullFace;
    }
    if (mask & GL_COLOR_BUFFER_BIT)
    {
        now.blend = saved.blend;
        now.blendSource = saved.blendSource;
        now.blendTarget = saved.blendTarget;
        std::copy_n(saved.clearColour, 4, now.clearColour);
    }
    if (mask & GL_TEXTURE_BIT)
    {
        now.texture2D = saved.texture2D;
        now.boundTexture = saved.boundTexture;
        now.textureEnvironment = saved.textureEnvironment;
    }
    gl.attribStack.pop_back();
    ApplyServerState(now);
}

void glPushClientAttrib(GLbitfield mask)
{
    Context& gl = Gl11();
    if (gl.clientAttribStack.size() >= size_t(Context::ATTRIB_DEPTH))
        return gl.Fail(GL_STACK_OVERFLOW);
    gl.clientAttribStack.emplace_back(mask, gl.client);
}

void glPopClientAttrib()
{
    Context& gl = Gl11();
    if (gl.clientAttribStack.empty())
        return gl.Fail(GL_STACK_UNDERFLOW);
    const GLbitfield mask = gl.clientAttribStack.back().first;
    const ClientState& saved = gl.clientAttribStack.back().second;
    if (mask & GL_CLIENT_VERTEX_ARRAY_BIT)
    {
        gl.client.vertex = saved.vertex;
        gl.client.colour = saved.colour;
        gl.client.texCoord = saved.texCoord;
    }
    if (mask & GL_CLIENT_PIXEL_STORE_BIT)
    {
        gl.client.unpackAlignment = saved.unpackAlignment;
        gl.client.unpackRowLength = saved.unpackRowLength;
        gl.client.unpackSkipRows = saved.unpackSkipRows;
        gl.client.unpackSkipPixels = saved.unpackSkipPixels;
    }
    gl.clientAttribStack.pop_back();
}

void glGetIntegerv(GLenum pname, GLint* params)
{
    Context& gl = Gl11();
    switch (pname)
    {
    case GL_VIEWPORT:
        std::copy_n(gl.viewport, 4, params);
        break;
    case GL_TEXTURE_BINDING_2D:
        params[0] = GLint(gl.server.boundTexture);
        break;
    case GL_MATRIX_MODE:
        params[0] = GLint(gl.matrixMode);
        break;
    case GL_MAX_TEXTURE_SIZE:
        params[0] = 64; // the least any GL offers, until ES says more
        if (const EsFunctions* es = Es())
            es->GetIntegerv(GL_MAX_TEXTURE_SIZE, params);
        break;
    default:
        gl.Fail(GL_INVALID_ENUM);
    }
}

void glGetFloatv(GLenum pname, GLfloat* params)
{
    Context& gl = Gl11();
    switch (pname)
    {
    case GL_CURRENT_COLOR:
        std::copy_n(gl.colour, 4, params);
        break;
    case GL_MODELVIEW_MATRIX:
        std::copy_n(gl.modelView.back().m, 16, params);
        break;
    case GL_PROJECTION_MATRIX:
        std::copy_n(gl.projection.back().m, 16, params);
        break;
    default:
        gl.Fail(GL_INVALID_ENUM);
    }
}

// The layer's own error first, then ES's.
GLenum glGetError()
{
    Context& gl = Gl11();
    const GLenum error = gl.error;
    gl.error = GL_NO_ERROR;
    if (error == GL_NO_ERROR)
        if (const EsFunctions* es = Es())
            return es->GetError();
    return error;
}

// Perspective-correct interpolation and smooth shading are all ES does.
void glHint(GLenum, GLenum) {}

void glShadeModel(GLenum mode)
{
    if (mode != GL_SMOOTH)
        Gl11().Fail(GL_INVALID_ENUM);
}

void glPolygonMode(GLenum face, GLenum mode)
{
    Context& gl = Gl11();
    if (!IsPolygonMode(mode) || (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK))
        return gl.Fail(GL_INVALID_ENUM);
    if (face != GL_BACK)
        gl.server.frontMode = mode;
    if (face != GL_FRONT)
        gl.server.backMode = mode;
}

void glBlendFunc(GLenum sfactor, GLenum dfactor)
{
    Context& gl = Gl11();
    gl.server.blendSource = sfactor;
    gl.server.blendTarget = dfactor;
    if (const EsFunctions* es = Es())
        es->BlendFunc(sfactor, dfactor);
}

void glDepthFunc(GLenum func)
{
    Gl11().depthFunc = func;
    if (const EsFunctions* es = Es())
        es->DepthFunc(func);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    Context& gl = Gl11();
    if (width < 0 || height < 0)
        return gl.Fail(GL_INVALID_VALUE);
    const GLint box[4] = {x, y, width, height};
    std::copy_n(box, 4, gl.viewport);
    if (const EsFunctions* es = Es())
        es->Viewport(x, y, width, height);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    const GLfloat colour[4] = {red, green, blue, alpha};
    std::copy_n(colour, 4, Gl11().server.clearColour);
    if (const EsFunctions* es = Es())
        es->ClearColor(red, green, blue, alpha);
}

void glClearDepth(GLclampd depth)
{
    if (const EsFunctions* es = Es())
        es->ClearDepthf(static_cast<GLclampf>(depth));
}

void glClear(GLbitfield mask)
{
    if (const EsFunctions* es = Es())
        es->Clear(mask);
}

void glFlush()
{
    if (const EsFunctions* es = Es())
        es->Flush();
}
