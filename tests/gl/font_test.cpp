#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/OpenGL.h"
#include "tests/gl/GLContext.h"

namespace
{
using FontTest = GLTest;

// The window's red channel, bottom row first, after `draw` ran between Start2D
// and End2D over black in white at half opacity: a glyph's texel a shows as a / 2.
template <typename Drawing> std::vector<unsigned char> Drawn(Drawing draw)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 1, 1, 0.5f);
    graphic.Start2D();
    draw();
    graphic.End2D();
    std::vector<unsigned char> red(size_t(screenWidth) * screenHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screenWidth, screenHeight, GL_RED, GL_UNSIGNED_BYTE, red.data());
    return red;
}

// Each glyph printed alone shows its box of the atlas's texels (which
// tests/framework holds against FreeType's rendering) at its offsets from the
// pen and the line's top, upright and unmirrored, in the current colour, and
// nothing else shows; so it does whatever texturing and polygon mode the game
// left (not as solid boxes or outlines), and End2D restores both. Text shows over
// a scene as near as can be: the board close to the eye does not hide it.
TEST_F(FontTest, EachGlyphShowsItsAtlasBoxWhateverTheGameLeftSet)
{
    const CFont& font = graphic.font;
    ASSERT_TRUE(font.IsLoaded());
    glClearDepth(0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1);
    // Where glyph i's pen starts, on `axis` 0 (x) or 1 (the line's top): each
    // glyph is printed alone, 16 to a row, 32 pixels apart.
    const auto Pen = [](int i, int axis) { return 32 + 32 * (axis ? i / 16 : i % 16); };
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, font.texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> atlas(size_t(width) * height);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, atlas.data());
    std::vector<unsigned char> expected(size_t(screenWidth) * screenHeight);
    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
    {
        const CFont::Glyph& g = font.glyphs[i];
        const int s = int(std::lround(g.s0 * width)), t = int(std::lround(g.t0 * height));
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x)
                expected[size_t(screenHeight - 1 - Pen(i, 1) - g.offsetY - y) * screenWidth +
                         Pen(i, 0) + g.offsetX + x] = atlas[size_t(t + y) * width + s + x] / 2;
    }
    for (const GLint mode : {GL_LINE, GL_FILL}) // ending as the window opened
        for (const bool texturing : {false, true})
        {
            texturing ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
            glPolygonMode(GL_FRONT_AND_BACK, mode);
            const std::vector<unsigned char> drawn = Drawn(
                [&]
                {
                    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
                        graphic.font.Print(std::string(1, char(CFont::FIRST_CHAR + i)).c_str(),
                                           Pen(i, 0), Pen(i, 1));
                });
            int differ = 0;
            for (size_t p = 0; p < drawn.size(); ++p)
                differ += std::abs(drawn[p] - expected[p]) > 1;
            GLint modes[2];
            glGetIntegerv(GL_POLYGON_MODE, modes);
            EXPECT_EQ(differ, 0) << "pixels off in mode " << mode << ", texturing " << texturing;
            EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) == texturing && modes[0] == mode &&
                        modes[1] == mode)
                << "state after End2D with mode " << mode << ", texturing " << texturing;
        }
}

// A line shows its glyphs as printed one by one, each its advance further;
// bytes outside printable ASCII draw nothing and take no room, and the line is
// cut at the right edge. A block shows its lines, each lineSpacing lower, a
// null one empty. The caller's colour and client arrays stay as they were.
TEST_F(FontTest, LinesAreTheirGlyphsOneByOneAndBlocksTheirLines)
{
    const CFont& font = graphic.font;
    ASSERT_TRUE(font.IsLoaded());
    std::string all; // wider than the window
    for (int c = CFont::FIRST_CHAR; c < CFont::FIRST_CHAR + CFont::CHAR_COUNT; ++c)
        all += char(c);
    const std::string line = "\001" + all.substr(0, 40) + "\037\177\200\377" + all.substr(40);
    const float stray[4] = {};
    glEnableClientState(GL_VERTEX_ARRAY); // the caller's, left on
    glVertexPointer(4, GL_FLOAT, 0, stray);
    const std::vector<unsigned char> printed =
        Drawn([&] { graphic.font.Print(line.c_str(), -3, 20); });
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    GLvoid* pointer = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    EXPECT_TRUE(colour[3] == 0.5f && pointer == stray && glIsEnabled(GL_VERTEX_ARRAY) &&
                !glIsEnabled(GL_TEXTURE_COORD_ARRAY))
        << "the caller's state after Print";
    glDisableClientState(GL_VERTEX_ARRAY);
    const auto OneByOne = [&](const char* text, int pen, int y)
    {
        for (const char* c = text; *c; pen += font.glyphs[*c++ - CFont::FIRST_CHAR].advance)
            graphic.font.Print(std::string(1, *c).c_str(), pen, y);
    };
    EXPECT_TRUE(printed == Drawn([&] { OneByOne(all.c_str(), -3, 20); }));
    EXPECT_TRUE(Drawn([] {}) == Drawn([] { graphic.font.Print(nullptr, 5, 5); }));

    const char* const block[] = {"Programming:", nullptr, "Desing:", all.c_str() + 50};
    EXPECT_TRUE(Drawn([&] { graphic.font.PrintLines(block, 4, 7, 40, 15); }) ==
                Drawn(
                    [&]
                    {
                        for (int i = 0; i < 4; ++i)
                            if (block[i])
                                OneByOne(block[i], 7, 40 + 15 * i);
                    }));
}
} // namespace
