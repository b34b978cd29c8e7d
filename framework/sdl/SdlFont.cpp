#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "framework/Font.h"
#include "framework/OpenGL.h"
#include "framework/Report.h"
#include "framework/System.h"
#include "framework/sdl/FontLookup.h"
#include "framework/sdl/GlyphAtlas.h"

namespace
{
// Uploads the atlas as a GL_ALPHA texture and returns its name; 0 on failure.
// The texture binding and the pixel unpacking state are left as found.
GLuint UploadAtlas(const GlyphAtlas& atlas)
{
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (atlas.width > maxSize)
        return 0;
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    while (glGetError() != GL_NO_ERROR)
    {
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, atlas.width, atlas.height, 0, GL_ALPHA,
                 GL_UNSIGNED_BYTE, atlas.alpha.data());
    const bool uploaded = texture != 0 && glGetError() == GL_NO_ERROR;
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    if (!uploaded && texture != 0)
        glDeleteTextures(1, &texture);
    return uploaded ? texture : 0;
}
} // namespace

CFont::CFont() : texture(0), lineHeight(0), glyphs() {}

// Later failures stay quiet.
void ReportNoFont(const char* why)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    ReportProblem(std::string("Quorvel: no usable font for \"") + FONT_NAME + "\" (" + why +
                  "); text is not shown");
}

CFont::~CFont()
{
    // `graphic` outlives its window: with no context the atlas is gone already.
    Release();
}

bool CFont::Load(const GlyphAtlas& atlas)
{
    Release();
    if (!HasCurrentContext())
    {
        ReportNoFont("no GL context to hold the glyphs");
        return false;
    }
    if (!atlas.failure.empty())
    {
        ReportNoFont(atlas.failure.c_str());
        return false;
    }
    texture = UploadAtlas(atlas);
    if (texture == 0)
    {
        ReportNoFont(("no texture for the glyphs of " + atlas.fontFile).c_str());
        return false;
    }
    lineHeight = atlas.lineHeight;
    std::copy(atlas.glyphs, atlas.glyphs + CHAR_COUNT, glyphs);
    return true;
}

void CFont::Release()
{
    if (texture != 0 && HasCurrentContext())
    {
        const GLuint name = texture;
        glDeleteTextures(1, &name);
    }
    texture = 0;
}

void CFont::Print(const char* text, int x, int y)
{
    queued.clear();
    Queue(text, x, y);
    DrawQueued();
}

void CFont::PrintLines(const char* const* lines, int count, int x, int y, int lineSpacing)
{
    queued.clear();
    for (int i = 0; lines && i < count; ++i)
        Queue(lines[i], x, y + i * lineSpacing);
    DrawQueued();
}

// Each glyph's quad runs top left, bottom left, bottom right, top right.
void CFont::Queue(const char* text, int x, int y)
{
    if (!text || texture == 0)
        return;
    int pen = x;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c)
    {
        if (*c < FIRST_CHAR || *c >= FIRST_CHAR + CHAR_COUNT)
            continue;
        if (pen >= screenWidth)
            break;
        const Glyph& glyph = glyphs[*c - FIRST_CHAR];
        if (glyph.width > 0)
        {
            const float left = static_cast<float>(pen + glyph.offsetX);
            const float top = static_cast<float>(y + glyph.offsetY);
            const float right = left + glyph.width;
            const float bottom = top + glyph.height;
            queued.push_back(Corner{glyph.s0, glyph.t0, left, top});
            queued.push_back(Corner{glyph.s0, glyph.t1, left, bottom});
            queued.push_back(Corner{glyph.s1, glyph.t1, right, bottom});
            queued.push_back(Corner{glyph.s1, glyph.t0, right, top});
        }
        pen += glyph.advance;
    }
}

// One draw for the whole text from a client-side array, not a GL call per
// corner: the software renderer's cost of text is mostly per call.
void CFont::DrawQueued()
{
    if (queued.empty() || texture == 0)
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    // The atlas holds only alpha; modulation takes the colour from glColor.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const GLsizei stride = sizeof(Corner);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    // Arrays that the caller left on would feed the draw from their pointers.
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_INDEX_ARRAY);
    glDisableClientState(GL_EDGE_FLAG_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, &queued[0].s);
    glVertexPointer(2, GL_FLOAT, stride, &queued[0].x);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(queued.size()));
    glPopClientAttrib();
}
