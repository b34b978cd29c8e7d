#pragma once

#include <string>
#include <vector>

#include "framework/Font.h"

// The printable ASCII glyphs of the system's sans-serif font, rasterised and
// packed into one image of coverage bytes, ready to become the font's texture.
struct GlyphAtlas
{
    std::vector<unsigned char> alpha; // width x height bytes, top row first
    int width = 0, height = 0;        // pixels, powers of two; 0 when not built
    int lineHeight = 0;               // pixels
    CFont::Glyph glyphs[CFont::CHAR_COUNT] = {};
    std::string fontFile; // where the glyphs came from
    std::string failure;  // why there is no atlas; empty when there is one
};

// Finds the font through fontconfig and rasterises it with the font library.
// Needs no window or GL context, so it may run on any thread, provided no
// other thread starts or stops the font library meanwhile.
GlyphAtlas RasteriseGlyphAtlas();
