#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "framework/sdl/FontLookup.h"
#include "framework/sdl/GlyphAtlas.h"

namespace
{
// The byte at (x, y) of a width x height picture, rows `pitch` apart; 0 outside.
int At(const unsigned char* pixels, int pitch, int width, int height, int x, int y)
{
    return x >= 0 && y >= 0 && x < width && y < height ? pixels[y * pitch + x] : 0;
}
} // namespace

// The atlas against FreeType's own rendering of each glyph, hinted as the font
// library hints, at the size the heads-up text needs: its lines stand 15 pixels
// apart, so the largest size from 14 down to 8 whose line, ascender to descender,
// fits in 14 pixels. Each glyph's ink, box, placement from the pen and the line's
// top, and advance must be the library's, and no two boxes may share a texel.
TEST(GlyphAtlas, HoldsEachGlyphAsFreeTypeDrawsItAtTheLargestSizeThatFits)
{
    const GlyphAtlas atlas = RasteriseGlyphAtlas();
    ASSERT_EQ(atlas.failure, "");
    char path[4096];
    int faceIndex = 0;
    FT_Library library;
    FT_Face face;
    ASSERT_TRUE(FindFontFile(path, sizeof path, faceIndex) && atlas.fontFile == path);
    ASSERT_TRUE(FT_Init_FreeType(&library) == 0 &&
                FT_New_Face(library, path, faceIndex, &face) == 0);
    // Font units to whole pixels, rounded up, at the size set last.
    const auto Pixels = [&](FT_Long units)
    { return int((FT_MulFix(units, face->size->metrics.y_scale) + 63) >> 6); };
    int size = 15; // the largest that fits, or the smallest
    do
        FT_Set_Char_Size(face, 0, --size * 64, 0, 0);
    while (size > 8 && Pixels(face->ascender - face->descender) > 14);
    EXPECT_EQ(atlas.lineHeight, Pixels(face->height)) << "at size " << size;
    const int ascent = Pixels(face->ascender);
    std::vector<char> taken(size_t(atlas.width) * atlas.height); // texels of the glyphs so far
    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
    {
        const char c = char(CFont::FIRST_CHAR + i);
        ASSERT_EQ(FT_Load_Char(face, FT_ULong(c), FT_LOAD_RENDER), 0) << c;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int columns = int(bitmap.width), rows = int(bitmap.rows);
        const CFont::Glyph& g = atlas.glyphs[i];
        EXPECT_EQ(g.advance, int(slot->advance.x + 63) >> 6) << c;
        const int s0 = int(std::lround(g.s0 * atlas.width)),
                  t0 = int(std::lround(g.t0 * atlas.height));
        ASSERT_TRUE(g.s1 * atlas.width == s0 + g.width && g.t1 * atlas.height == t0 + g.height &&
                    s0 + g.width <= atlas.width && t0 + g.height <= atlas.height)
            << c << " is not a box of whole texels in the atlas";
        int shared = 0;
        for (int y = t0; y < t0 + g.height; ++y)
            for (int x = s0; x < s0 + g.width; ++x)
                shared += std::exchange(taken[size_t(y) * atlas.width + x], 1);
        EXPECT_EQ(shared, 0) << "texels of '" << c << "' that an earlier glyph holds";
        // Both drawings in line coordinates, the pen at x = 0 and the line's top at y = 0.
        const int top = ascent - slot->bitmap_top, left = slot->bitmap_left;
        const unsigned char* held = atlas.alpha.data() + size_t(t0) * atlas.width + s0;
        int differ = 0, ink[4] = {g.width, g.height, -1, -1}; // held ink's left, top, right, bottom
        for (int y = std::min(top, g.offsetY); y < std::max(top + rows, g.offsetY + g.height); ++y)
            for (int x = std::min(left, g.offsetX);
                 x < std::max(left + columns, g.offsetX + g.width); ++x)
            {
                const int ax = x - g.offsetX, ay = y - g.offsetY;
                const int alpha = At(held, atlas.width, g.width, g.height, ax, ay);
                differ +=
                    alpha != At(bitmap.buffer, bitmap.pitch, columns, rows, x - left, y - top);
                if (alpha)
                    ink[0] = std::min(ink[0], ax), ink[1] = std::min(ink[1], ay),
                    ink[2] = std::max(ink[2], ax), ink[3] = std::max(ink[3], ay);
            }
        EXPECT_EQ(differ, 0) << "pixels differ in '" << c << "' at size " << size;
        EXPECT_TRUE(g.width == 0 ||
                    (ink[0] == 0 && ink[1] == 0 && ink[2] == g.width - 1 && ink[3] == g.height - 1))
            << c << ": its box is not its ink's";
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
