#include "framework/sdl/GlyphAtlas.h"

#include <SDL.h>
#include <SDL_ttf.h>

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

// Copies the glyphs' alpha into the smallest square-or-wider power-of-two
// image that holds them and sets their texture coordinates; false when even
// the widest atlas cannot hold them.
bool PackAtlas(SDL_Surface* const surfaces[], const InkBox inks[], GlyphAtlas& atlas)
{
    int originX[CFont::CHAR_COUNT], originY[CFont::CHAR_COUNT];
    int width = 128, height = 0;
    for (; width <= MAX_ATLAS_WIDTH; width *= 2)
    {
        height = PackRows(inks, width, originX, originY);
        if (height > 0 && height <= width)
            break;
    }
    if (width > MAX_ATLAS_WIDTH)
        return false;

    atlas.alpha.assign(static_cast<size_t>(width) * height, 0);
    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
    {
        const InkBox& ink = inks[i];
        const SDL_Surface* surface = surfaces[i];
        for (int row = 0; row < ink.height; ++row)
        {
            const Uint32* source = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(surface->pixels) + (ink.top + row) * surface->pitch);
            unsigned char* target = &atlas.alpha[static_cast<size_t>(originY[i] + row) * width];
            for (int column = 0; column < ink.width; ++column)
                target[originX[i] + column] = static_cast<unsigned char>(
                    (source[ink.left + column] & surface->format->Amask) >>
                    surface->format->Ashift);
        }
        CFont::Glyph& glyph = atlas.glyphs[i];
        glyph.s0 = static_cast<float>(originX[i]) / width;
        glyph.t0 = static_cast<float>(originY[i]) / height;
        glyph.s1 = static_cast<float>(originX[i] + ink.width) / width;
        glyph.t1 = static_cast<float>(originY[i] + ink.height) / height;
    }
    atlas.width = width;
    atlas.height = height;
    return true;
}
} // namespace

GlyphAtlas RasteriseGlyphAtlas()
{
    GlyphAtlas atlas;
    char path[4096];
    int faceIndex = 0;
    if (!FindFontFile(path, sizeof path, faceIndex))
    {
        atlas.failure = "fontconfig found none";
        return atlas;
    }
    atlas.fontFile = path;
    if (TTF_Init() != 0)
    {
        atlas.failure = "the font library did not start";
        return atlas;
    }
    int size = LARGEST_SIZE;
    TTF_Font* font = TTF_OpenFontIndex(path, size, faceIndex);
    while (font && TTF_FontHeight(font) > MAX_LINE_PIXELS && size > SMALLEST_SIZE)
        TTF_SetFontSize(font, --size);
    if (!font)
    {
        atlas.failure = std::string("cannot open ") + path + ": " + TTF_GetError();
        TTF_Quit();
        return atlas;
    }

    SDL_Surface* surfaces[CFont::CHAR_COUNT];
    InkBox inks[CFont::CHAR_COUNT];
    RenderGlyphs(font, surfaces, inks, atlas.glyphs);
    atlas.lineHeight = TTF_FontLineSkip(font);
    TTF_CloseFont(font);
    TTF_Quit();

    if (!PackAtlas(surfaces, inks, atlas))
        atlas.failure = "no texture for the glyphs of " + atlas.fontFile;
    for (SDL_Surface* surface : surfaces)
        SDL_FreeSurface(surface);
    return atlas;
}
