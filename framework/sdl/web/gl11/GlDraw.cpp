// The current colour, client arrays, drawing and selection. Vertices are
// transformed here, in the order the desktop's renderer does it, so that what
// is drawn and what is selected come from the same clip coordinates; ES
// draws them from a buffer of its own, as WebGL reads no client memory.

#include <algorithm>
#include <vector>

#include "Context.h"
#include "EsFunctions.h"

namespace
{
const GLenum ES_ARRAY_BUFFER = 0x8892;
const GLenum ES_ELEMENT_ARRAY_BUFFER = 0x8893;
const GLenum ES_STREAM_DRAW = 0x88E0;
const GLenum ES_UNSIGNED_SHORT = 0x1403;
const GLsizei MAX_VERTICES = 65536; // one draw's vertices, indexed by 16 bits

// A vertex as ES draws it: clip coordinates, colour, texture coordinates.
struct DrawnVertex
{
    ClipPoint position;
    GLfloat colour[4];
    GLfloat s, t;
};

const GLfloat* Element(const ClientArray& array, GLint index)
{
    const GLsizei stride = array.stride ? array.stride : GLsizei(array.size * sizeof(GLfloat));
    return reinterpret_cast<const GLfloat*>(static_cast<const char*>(array.pointer) +
                                            ptrdiff_t(index) * stride);
}

void SetPointer(ClientArray& array, GLint size, GLint least, GLenum type, GLsizei stride,
                const GLvoid* pointer)
{
    if (type != GL_FLOAT) // the one type offered
        return Gl11().Fail(GL_INVALID_ENUM);
    if (size < least || size > 4 || stride < 0)
        return Gl11().Fail(GL_INVALID_VALUE);
    array.size = size;
    array.stride = stride;
    array.pointer = pointer;
}

ClientArray* Array(GLenum which)
{
    ClientState& client = Gl11().client;
    switch (which)
    {
    case GL_VERTEX_ARRAY:
        return &client.vertex;
    case GL_COLOR_ARRAY:
        return &client.colour;
    case GL_TEXTURE_COORD_ARRAY:
        return &client.texCoord;
    default:
        return nullptr;
    }
}

void SetArrayEnabled(GLenum which, bool enabled)
{
    if (ClientArray* array = Array(which))
        array->enabled = enabled;
    else if (which != GL_NORMAL_ARRAY && which != GL_INDEX_ARRAY && which != GL_EDGE_FLAG_ARRAY)
        Gl11().Fail(GL_INVALID_ENUM);
    // Normals, colour indices and edge flags are never read, so their arrays
    // may be switched freely.
}

// How the fragment stage treats the bound texture: modulation when texturing
// is on and the texture complete, as the fixed pipeline does.
EsTexturing Texturing(Context& gl)
{
    if (!gl.server.texture2D)
        return TEXTURING_OFF;
    const auto found = gl.textures.find(gl.server.boundTexture);
    if (found == gl.textures.end() || found->second.format == 0)
        return TEXTURING_OFF;
    const TextureInfo& info = found->second;
    const bool mipmapped = info.minFilter != GL_NEAREST && info.minFilter != GL_LINEAR;
    int needed = 1;
    for (int side = std::max(info.width, info.height); side > 1; side /= 2)
        ++needed;
    if (mipmapped && info.levels < needed)
        return TEXTURING_OFF;
    return info.format == GL_ALPHA ? TEXTURING_MODULATE_ALPHA : TEXTURING_MODULATE;
}

void Select(Selection& selection, const std::vector<ClipPoint>& points,
            const std::vector<uint16_t>& triangles, const std::vector<uint16_t>& lines)
{
    for (size_t i = 0; i + 2 < triangles.size(); i += 3)
    {
        const ClipPoint corners[3] = {points[triangles[i]], points[triangles[i + 1]],
                                      points[triangles[i + 2]]};
        selection.AddTriangle(corners);
    }
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        selection.AddLine(points[lines[i]], points[lines[i + 1]]);
}

void Draw(const EsFunctions& es, const std::vector<DrawnVertex>& vertices,
          const std::vector<uint16_t>& triangles, const std::vector<uint16_t>& lines)
{
    const GLsizei stride = sizeof(DrawnVertex);
    es.BufferData(ES_ARRAY_BUFFER, ptrdiff_t(vertices.size() * stride), vertices.data(),
                  ES_STREAM_DRAW);
    es.VertexAttribPointer(ATTRIBUTE_POSITION, 4, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(DrawnVertex, position)));
    es.VertexAttribPointer(ATTRIBUTE_COLOUR, 4, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(DrawnVertex, colour)));
    es.VertexAttribPointer(ATTRIBUTE_TEXTURE, 2, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(DrawnVertex, s)));
    for (const auto* indices : {&triangles, &lines})
    {
        if (indices->empty())
            continue;
        es.BufferData(ES_ELEMENT_ARRAY_BUFFER, ptrdiff_t(indices->size() * sizeof(uint16_t)),
                      indices->data(), ES_STREAM_DRAW);
        es.DrawElements(indices == &triangles ? GL_TRIANGLES : GL_LINES, GLsizei(indices->size()),
                        ES_UNSIGNED_SHORT, nullptr);
    }
}
} // namespace

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    const GLfloat colour[4] = {red, green, blue, 1.0f};
    std::copy_n(colour, 4, Gl11().colour);
}

void glColor4fv(const GLfloat* v)
{
    std::copy_n(v, 4, Gl11().colour);
}

void glEnableClientState(GLenum array)
{
    SetArrayEnabled(array, true);
}

void glDisableClientState(GLenum array)
{
    SetArrayEnabled(array, false);
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    SetPointer(Gl11().client.vertex, size, 2, type, stride, pointer);
}

void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    SetPointer(Gl11().client.colour, size, 3, type, stride, pointer);
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer)
{
    SetPointer(Gl11().client.texCoord, size, 1, type, stride, pointer);
}

// Quads and triangles, filled or outlined as glPolygonMode says, culled when
// GL_CULL_FACE is on; in selection mode they are selected, not drawn.
void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    Context& gl = Gl11();
    if (mode != GL_QUADS && mode != GL_TRIANGLES)
        return gl.Fail(GL_INVALID_ENUM);
    if (first < 0 || count < 0 || count > MAX_VERTICES)
        return gl.Fail(GL_INVALID_VALUE);
    const ClientState& client = gl.client;
    if (!client.vertex.enabled || client.vertex.pointer == nullptr || count == 0)
        return;
    const Matrix clip = Multiply(gl.projection.back(), gl.modelView.back());
    std::vector<ClipPoint> points(static_cast<size_t>(count));
    for (GLsizei i = 0; i < count; ++i)
    {
        GLfloat point[4] = {0, 0, 0, 1};
        std::copy_n(Element(client.vertex, first + i), client.vertex.size, point);
        TransformPoint(clip, point, &points[size_t(i)].x);
    }
    std::vector<uint16_t> triangles, lines;
    AssemblePolygons(mode == GL_QUADS, points.data(), count, gl.Rules(), triangles, lines);
    if (gl.selection.Selecting())
        return Select(gl.selection, points, triangles, lines);
    const EsFunctions* es = Es();
    if (!es)
        return;
    std::vector<DrawnVertex> vertices(static_cast<size_t>(count));
    for (GLsizei i = 0; i < count; ++i)
    {
        DrawnVertex& out = vertices[size_t(i)];
        out.position = points[size_t(i)];
        std::copy_n(gl.colour, 4, out.colour);
        if (client.colour.enabled && client.colour.pointer)
        {
            out.colour[3] = 1.0f; // what three components leave
            std::copy_n(Element(client.colour, first + i), client.colour.size, out.colour);
        }
        out.s = out.t = 0.0f;
        if (client.texCoord.enabled && client.texCoord.pointer)
        {
            const GLfloat* st = Element(client.texCoord, first + i);
            out.s = st[0];
            out.t = client.texCoord.size > 1 ? st[1] : 0.0f;
        }
    }
    EsSetTexturing(Texturing(gl));
    Draw(*es, vertices, triangles, lines);
}

void glSelectBuffer(GLsizei size, GLuint* buffer)
{
    Context& gl = Gl11();
    gl.Fail(gl.selection.SetBuffer(buffer, size));
}

// Selection and rendering are the modes offered; leaving selection returns
// its hit count (-1 on overflow), leaving rendering 0.
GLint glRenderMode(GLenum mode)
{
    Context& gl = Gl11();
    if (mode != GL_RENDER && mode != GL_SELECT)
    {
        gl.Fail(GL_INVALID_ENUM);
        return 0;
    }
    const GLint result = gl.selection.Finish();
    if (mode == GL_SELECT)
        gl.Fail(gl.selection.Start());
    return result;
}

void glInitNames()
{
    Context& gl = Gl11();
    gl.Fail(gl.selection.InitNames());
}

void glLoadName(GLuint name)
{
    Context& gl = Gl11();
    gl.Fail(gl.selection.LoadName(name));
}

void glPushName(GLuint name)
{
    Context& gl = Gl11();
    gl.Fail(gl.selection.PushName(name));
}

void glPopName()
{
    Context& gl = Gl11();
    gl.Fail(gl.selection.PopName());
}
