#include <GL/gl.h>
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/Font.h"
#include "framework/OpenGL.h"
#include "framework/System.h"
#include "framework/sdl/FontLookup.h"

namespace
{
// The heads-up text sets lines 15 pixels apart: the largest size whose line
// (ascent plus descent) fits in 14 pixels leaves one pixel between lines.
const int MAX_LINE_PIXELS = 14;
const int LARGEST_SIZE = 14;
const int SMALLEST_SIZE = 8;
// Glyphs sit this far apart in the atlas so filtering never reads a neighbour.
const int ATLAS_PADDING = 1;
const int MAX_ATLAS_WIDTH = 2048;

// The smallest box around a glyph's covered pixels in its rendered surface.
struct InkBox
{
    int left, top, width, height;
};

InkBox FindInk(const SDL_Surface* surface)
{
    const Uint32 alphaMask = surface->format->Amask;
    int left = surface->w, right = -1, top = surface->h, bottom = -1;
    for (int row = 0; row < surface->h; ++row)
    {
        const Uint32* pixels = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(surface->pixels) + row * surface->pitch);
        for (int column = 0; column < surface->w; ++column)
        {
            if ((pixels[column] & alphaMask) == 0)
                continue;
            left = column < left ? column : left;
            right = column > right ? column : right;
            top = row < top ? row : top;
            bottom = row;
        }
    }
    if (right < 0)
        return InkBox{0, 0, 0, 0};
    return InkBox{left, top, right - left + 1, bottom - top + 1};
}

int NextPowerOfTwo(int value)
{
    int power = 1;
    while (power < value)
        power *= 2;
    return power;
}

// Rasterises the printable characters, white and anti-aliased, one surface
// each in ARGB8888; fills advance and the ink's offsets from the pen and the
// line's top. A glyph that cannot be rendered stays blank.
void RenderGlyphs(TTF_Font* font, SDL_Surface* surfaces[], InkBox inks[], CFont::Glyph glyphs[])
{
    const SDL_Color white = {255, 255, 255, 255};
    const int ascent = TTF_FontAscent(font);
    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
    {
        const Uint16 code = static_cast<Uint16>(CFont::FIRST_CHAR + i);
        CFont::Glyph& glyph = glyphs[i];
        glyph = CFont::Glyph{};
        inks[i] = InkBox{0, 0, 0, 0};
        int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
        if (TTF_GlyphMetrics(font, code, &minX, &maxX, &minY, &maxY, &advance) == 0)
            glyph.advance = advance;
        SDL_Surface* rendered = TTF_RenderGlyph_Blended(font, code, white);
        surfaces[i] = rendered && rendered->format->format != SDL_PIXELFORMAT_ARGB8888
                          ? SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0)
                          : rendered;
        if (surfaces[i] != rendered)
            SDL_FreeSurface(rendered);
        if (!surfaces[i])
            continue;
        inks[i] = FindInk(surfaces[i]);
        // The surface's left edge is the pen, or the ink's left when that lies
        // before the pen; its top is the line's, or above it for a glyph that
        // rises over the ascent.
        const int surfaceX = minX < 0 ? minX : 0;
        const int surfaceY = maxY > ascent ? ascent - maxY : 0;
        glyph.width = inks[i].width;
        glyph.height = inks[i].height;
        glyph.offsetX = surfaceX + inks[i].left;
        glyph.offsetY = surfaceY + inks[i].top;
    }
}

// Places the glyph boxes in rows; returns the atlas height for `width`, or 0
// when a glyph does not fit at all.
int PackRows(const InkBox inks[], int width, int originX[], int originY[])
{
    int x = ATLAS_PADDING, y = ATLAS_PADDING, rowHeight = 0;
    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
    {
        if (inks[i].width + 2 * ATLAS_PADDING > width)
            return 0;
        if (x + inks[i].width + ATLAS_PADDING > width)
        {
            x = ATLAS_PADDING;
            y += rowHeight + ATLAS_PADDING;
            rowHeight = 0;
        }
        originX[i] = x;
        originY[i] = y;
        x += inks[i].width + ATLAS_PADDING;
        rowHeight = inks[i].height > rowHeight ? inks[i].height : rowHeight;
    }
    return NextPowerOfTwo(y + rowHeight + ATLAS_PADDING);
}

// Copies the glyphs' alpha into one power-of-two GL_ALPHA texture, sets the
// glyphs' texture coordinates and returns the texture name; 0 on failure.
// The texture binding and the pixel unpacking state are left as found.
GLuint BuildAtlas(SDL_Surface* const surfaces[], const InkBox inks[], CFont::Glyph glyphs[])
{
    int originX[CFont::CHAR_COUNT], originY[CFont::CHAR_COUNT];
    int width = 128, height = 0;
    for (; width <= MAX_ATLAS_WIDTH; width *= 2)
    {
        height = PackRows(inks, width, originX, originY);
        if (height > 0 && height <= width)
            break;
    }
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width > MAX_ATLAS_WIDTH || width > maxSize)
        return 0;

    std::vector<unsigned char> alpha(static_cast<size_t>(width) * height, 0);
    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
    {
        const InkBox& ink = inks[i];
        const SDL_Surface* surface = surfaces[i];
        for (int row = 0; row < ink.height; ++row)
        {
            const Uint32* source = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(surface->pixels) + (ink.top + row) * surface->pitch);
            unsigned char* target = &alpha[static_cast<size_t>(originY[i] + row) * width];
            for (int column = 0; column < ink.width; ++column)
                target[originX[i] + column] = static_cast<unsigned char>(
                    (source[ink.left + column] & surface->format->Amask) >>
                    surface->format->Ashift);
        }
        glyphs[i].s0 = static_cast<float>(originX[i]) / width;
        glyphs[i].t0 = static_cast<float>(originY[i]) / height;
        glyphs[i].s1 = static_cast<float>(originX[i] + ink.width) / width;
        glyphs[i].t1 = static_cast<float>(originY[i] + ink.height) / height;
    }

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
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, width, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 alpha.data());
    const bool uploaded = texture != 0 && glGetError() == GL_NO_ERROR;
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    if (!uploaded && texture != 0)
        glDeleteTextures(1, &texture);
    return uploaded ? texture : 0;
}
} // namespace

CFont::CFont() : texture(0), lineHeight(0), glyphs() {}

CFont::~CFont()
{
    // `graphic` outlives its window: with no context the atlas is gone already.
    Release();
}

bool CFont::Load()
{
    Release();
    if (!HasCurrentContext())
    {
        ReportNoFont("no GL context to hold the glyphs");
        return false;
    }
    char path[4096];
    int faceIndex = 0;
    if (!FindFontFile(path, sizeof path, faceIndex))
    {
        ReportNoFont("fontconfig found none");
        return false;
    }
    if (TTF_Init() != 0)
    {
        ReportNoFont("the font library did not start");
        return false;
    }
    int size = LARGEST_SIZE;
    TTF_Font* font = TTF_OpenFontIndex(path, size, faceIndex);
    while (font && TTF_FontHeight(font) > MAX_LINE_PIXELS && size > SMALLEST_SIZE)
        TTF_SetFontSize(font, --size);
    if (!font)
    {
        char why[4200];
        std::snprintf(why, sizeof why, "cannot open %s: %s", path, TTF_GetError());
        ReportNoFont(why);
        TTF_Quit();
        return false;
    }

    SDL_Surface* surfaces[CHAR_COUNT];
    InkBox inks[CHAR_COUNT];
    RenderGlyphs(font, surfaces, inks, glyphs);
    lineHeight = TTF_FontLineSkip(font);
    TTF_CloseFont(font);
    TTF_Quit();

    texture = BuildAtlas(surfaces, inks, glyphs);
    for (SDL_Surface* surface : surfaces)
        SDL_FreeSurface(surface);
    if (texture == 0)
    {
        char why[4200];
        std::snprintf(why, sizeof why, "no texture for the glyphs of %s", path);
        ReportNoFont(why);
        return false;
    }
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
