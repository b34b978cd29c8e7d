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
// The text as glBegin/glEnd drew it, one GL call per corner: the pixels that
// the array drawing must keep.
void PrintImmediate(const char* text, int x, int y)
{
    const CFont& font = graphic.font;
    glBindTexture(GL_TEXTURE_2D, font.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBegin(GL_QUADS);
    int pen = x;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c)
    {
        if (*c < CFont::FIRST_CHAR || *c >= CFont::FIRST_CHAR + CFont::CHAR_COUNT)
            continue;
        if (pen >= screenWidth)
            break;
        const CFont::Glyph& g = font.glyphs[*c - CFont::FIRST_CHAR];
        const float left = float(pen + g.offsetX), top = float(y + g.offsetY);
        const float corners[4][4] = {{g.s0, g.t0, left, top},
                                     {g.s0, g.t1, left, top + g.height},
                                     {g.s1, g.t1, left + g.width, top + g.height},
                                     {g.s1, g.t0, left + g.width, top}};
        for (int i = 0; g.width > 0 && i < 4; ++i)
        {
            glTexCoord2f(corners[i][0], corners[i][1]);
            glVertex2f(corners[i][2], corners[i][3]);
        }
        pen += g.advance;
    }
    glEnd();
}

// RGBA of the whole window after `print` ran between Start2D and End2D over a
// grey backdrop, in a tinted, half-transparent colour.
template <typename Printing> std::vector<unsigned char> Drawn(Printing print)
{
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glColor4f(1.0f, 0.8f, 0.6f, 0.7f);
    graphic.Start2D();
    print();
    graphic.End2D();
    std::vector<unsigned char> rgba(size_t(screenWidth) * screenHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screenWidth, screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// Every pixel as the one-call-per-corner drawing gave it, for single lines
// (every printable character, overlapping glyphs, a line cut at the edge, odd
// places) and for blocks with empty rows; and the colour and client arrays
// that the caller had set are still set afterwards.
TEST_F(FontTest, ArrayDrawingKeepsEveryPixelAndTheCallersState)
{
    std::string all;
    for (int c = CFont::FIRST_CHAR; c < CFont::FIRST_CHAR + CFont::CHAR_COUNT; ++c)
        all += char(c);
    const std::string edge = "Off the edge: " + std::string(80, 'W');
    const char* const block[] = {"Programming:", nullptr, "Desing:", all.c_str(), "\001x\377"};
    const int lines = int(sizeof block / sizeof block[0]);
    struct Line
    {
        const char* text;
        int x, y;
    };
    const Line cases[] = {{all.c_str(), 0, 0},   {"Press H for help", 0, 25},
                          {"fi ffi WAVA", 3, 1}, {edge.c_str(), screenWidth - 200, 300},
                          {"g|y_", -4, -3},      {"The red player won!", 240, 25}};
    const float stray[4] = {};
    for (const Line& c : cases)
    {
        glEnableClientState(GL_VERTEX_ARRAY); // the caller's, left on
        glVertexPointer(4, GL_FLOAT, 0, stray);
        const std::vector<unsigned char> before = Drawn([&] { PrintImmediate(c.text, c.x, c.y); });
        const std::vector<unsigned char> after =
            Drawn([&] { graphic.font.Print(c.text, c.x, c.y); });
        const auto background = Drawn([] {});
        EXPECT_NE(before, background) << "\"" << c.text << "\" drew nothing to compare";
        EXPECT_TRUE(before == after) << "\"" << c.text << "\" at " << c.x << "," << c.y;
        GLfloat colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        GLvoid* pointer = nullptr;
        glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
        EXPECT_TRUE(colour[1] == 0.8f && colour[3] == 0.7f && pointer == stray &&
                    glIsEnabled(GL_VERTEX_ARRAY) && !glIsEnabled(GL_TEXTURE_COORD_ARRAY))
            << "state after \"" << c.text << "\"";
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    const auto lineByLine = Drawn(
        [&]
        {
            for (int i = 0; i < lines; ++i)
                if (block[i])
                    PrintImmediate(block[i], 7, 40 + 15 * i);
        });
    EXPECT_TRUE(lineByLine == Drawn([&] { graphic.font.PrintLines(block, lines, 7, 40, 15); }));
}
} // namespace
