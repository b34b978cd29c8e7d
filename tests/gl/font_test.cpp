#include <GL/gl.h>

#include <array>
#include <string>
#include <vector>

#include "framework/OpenGL.h"
#include "tests/gl/GLContext.h"

namespace
{
using FontTest = GLTest;

// The window after printing `text` in white at (x, y) between Start2D and End2D,
// and its lit pixels: inside `box` (left, top, right, bottom: window pixels, y
// downwards, far sides excluded), outside it, and partly lit (smoothed edges).
struct Ink
{
    std::vector<unsigned char> red;
    int inside = 0, outside = 0, partial = 0;
};

Ink Print(const char* text, int x, int y, std::array<int, 4> box = {})
{
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    graphic.Start2D();
    graphic.font.Print(text, x, y);
    graphic.End2D();
    Ink ink;
    ink.red.resize(size_t(screenWidth) * screenHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screenWidth, screenHeight, GL_RED, GL_UNSIGNED_BYTE, ink.red.data());
    for (int i = 0; i < screenWidth * screenHeight; ++i)
    {
        const int px = i % screenWidth, py = screenHeight - 1 - i / screenWidth;
        const bool inBox = px >= box[0] && px < box[2] && py >= box[1] && py < box[3];
        (inBox ? ink.inside : ink.outside) += ink.red[i] > 0;
        ink.partial += ink.red[i] > 0 && ink.red[i] < 200;
    }
    return ink;
}

// The hint line lands in its box as smoothed glyphs, not as solid boxes or
// outlines, whatever texturing and polygon mode the game left; End2D restores both.
TEST_F(FontTest, LineDrawsInItsBoxWhateverTheGameLeftSet)
{
    for (const GLint mode : {GL_LINE, GL_FILL}) // ending as the window opened
        for (const bool texturing : {false, true})
        {
            texturing ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
            glPolygonMode(GL_FRONT_AND_BACK, mode);
            const Ink ink = Print("Press H for help", 0, 25, {0, 25, 150, 40});
            GLint modes[2];
            glGetIntegerv(GL_POLYGON_MODE, modes);
            EXPECT_TRUE(ink.inside > 150 && ink.outside == 0 && ink.partial > ink.inside / 5)
                << mode << texturing << ": " << ink.inside << " lit in the box, " << ink.outside
                << " outside, " << ink.partial << " partly";
            EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) == texturing && modes[0] == mode &&
                        modes[1] == mode)
                << "state after End2D with mode " << mode << ", texturing " << texturing;
        }
}

// Bytes outside printable ASCII draw nothing and take no room; text running
// off the right edge is cut there, and text starting past it draws nothing.
// Glyphs stand upright: a T's top rows hold its bar, its bottom rows only the stem.
TEST_F(FontTest, UnprintableBytesTextOffTheEdgeAndUprightGlyphs)
{
    EXPECT_EQ(Print(nullptr, 5, 5).outside + Print("", 5, 5).outside, 0);
    EXPECT_TRUE(Print("AB", 5, 5).red == Print("\001A\200\377\037B\177", 5, 5).red)
        << "skipped bytes showed or took room";
    const std::string line(500, 'W');
    const Ink cut =
        Print(line.c_str(), screenWidth - 40, 100, {screenWidth - 41, 100, screenWidth, 115});
    EXPECT_TRUE(cut.inside > 50 && cut.outside == 0) << cut.inside << " in, " << cut.outside;
    EXPECT_EQ(Print(line.c_str(), screenWidth, 100).outside, 0);
    const CFont::Glyph& t = graphic.font.glyphs['T' - CFont::FIRST_CHAR];
    const int top = 100 + t.offsetY, bottom = top + t.height;
    EXPECT_GT(Print("T", 5, 100, {0, top, 40, top + 2}).inside,
              2 * Print("T", 5, 100, {0, bottom - 2, 40, bottom}).inside);
}
} // namespace
