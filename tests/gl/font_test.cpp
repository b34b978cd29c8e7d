#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "framework/OpenGL.h"
#include "tests/gl/GLContext.h"

namespace
{
// A window rectangle, top left inclusive, bottom right exclusive; y downwards.
struct Box
{
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

class FontTest : public GLTest
{
  protected:
    // Clears to black, prints `text` in the current colour between Start2D and
    // End2D, and reads the window back.
    void Draw(const char* text, int x, int y, CFont& font = graphic.font)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        graphic.Start2D();
        font.Print(text, x, y);
        graphic.End2D();
        pixels.assign(static_cast<size_t>(screenWidth) * screenHeight * 4, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, screenWidth, screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }

    // Channel 0..2 of the pixel at window (x, y), y downwards.
    int Channel(int x, int y, int c) const
    {
        return pixels[(static_cast<size_t>(screenHeight - 1 - y) * screenWidth + x) * 4 + c];
    }
    bool Lit(int x, int y) const
    {
        return Channel(x, y, 0) + Channel(x, y, 1) + Channel(x, y, 2) > 0;
    }

    // Lit pixels inside `box`, and the lit pixels found outside it.
    int CountLit(const Box& box, int& outside) const
    {
        int inside = 0;
        outside = 0;
        for (int y = 0; y < screenHeight; ++y)
            for (int x = 0; x < screenWidth; ++x)
                if (Lit(x, y))
                    ++(box.Contains(x, y) ? inside : outside);
        return inside;
    }

    std::vector<unsigned char> pixels;
};

// Lines are set 15 pixels apart: every glyph must fit that band, and come from
// inside the atlas.
TEST_F(FontTest, GlyphsFitTheLineAndTheAtlas)
{
    const CFont& font = graphic.font;
    ASSERT_TRUE(font.IsLoaded());
    EXPECT_GE(font.lineHeight, 12);
    EXPECT_LE(font.lineHeight, 15);
    for (int i = 0; i < CFont::CHAR_COUNT; ++i)
    {
        const CFont::Glyph& g = font.glyphs[i];
        const char c = static_cast<char>(CFont::FIRST_CHAR + i);
        EXPECT_GT(g.advance, 0) << c;
        EXPECT_EQ(c != ' ', g.width > 0 && g.height > 0) << c;
        EXPECT_GE(g.offsetY, 0) << c;
        EXPECT_LE(g.offsetY + g.height, 15) << c;
        EXPECT_TRUE(0 <= g.s0 && g.s0 <= g.s1 && g.s1 <= 1 && 0 <= g.t0 && g.t0 <= g.t1 &&
                    g.t1 <= 1)
            << c;
    }
}

// The hint line lands in its box, whole, in the current colour, whatever
// texturing and polygon mode the game left; the game's state comes back.
TEST_F(FontTest, LineDrawsInItsBoxWhateverTheGameLeftSet)
{
    struct Case
    {
        bool texturing;
        GLint polygonMode;
        float r, g, b;
    };
    const Case cases[] = {
        {true, GL_FILL, 1, 1, 1},
        {false, GL_FILL, 1, 1, 1},
        {true, GL_LINE, 1, 1, 1},
        {false, GL_LINE, 1, 1, 0},
    };
    GLuint gameTexture = 0;
    glGenTextures(1, &gameTexture);
    for (const Case& k : cases)
    {
        SCOPED_TRACE(std::string(k.texturing ? "texturing" : "no texturing") +
                     (k.polygonMode == GL_LINE ? ", wireframe" : ", filled"));
        k.texturing ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
        glPolygonMode(GL_FRONT_AND_BACK, k.polygonMode);
        glBindTexture(GL_TEXTURE_2D, gameTexture);
        glColor3f(k.r, k.g, k.b);
        Draw("Press H for help", 0, 25);

        const Box line = {0, 25, 150, 40};
        int outside = 0;
        const int lit = CountLit(line, outside);
        EXPECT_GT(lit, 150);
        EXPECT_EQ(outside, 0);
        int left = screenWidth, right = -1, partial = 0, peak[3] = {0, 0, 0};
        for (int y = line.top; y < line.bottom; ++y)
            for (int x = line.left; x < line.right; ++x)
            {
                if (!Lit(x, y))
                    continue;
                left = x < left ? x : left;
                right = x > right ? x : right;
                int brightest = 0;
                for (int c = 0; c < 3; ++c)
                {
                    peak[c] = Channel(x, y, c) > peak[c] ? Channel(x, y, c) : peak[c];
                    brightest = Channel(x, y, c) > brightest ? Channel(x, y, c) : brightest;
                }
                partial += brightest < 200;
            }
        // Anti-aliased edges: solid glyph boxes (no texturing, no blending) have none.
        EXPECT_GT(partial, lit / 5) << partial << " of " << lit << " lit pixels partly covered";
        EXPECT_LE(left, 2);
        EXPECT_GE(right, 80);
        const float colour[3] = {k.r, k.g, k.b};
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(colour[c] > 0 ? peak[c] >= 200 : peak[c] == 0) << "channel " << c;

        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), k.texturing ? GL_TRUE : GL_FALSE);
        GLint mode[2] = {0, 0}, bound = 0;
        glGetIntegerv(GL_POLYGON_MODE, mode);
        EXPECT_EQ(mode[0], k.polygonMode);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), gameTexture);
        GLfloat current[4];
        glGetFloatv(GL_CURRENT_COLOR, current);
        EXPECT_TRUE(current[0] == k.r && current[1] == k.g && current[2] == k.b);
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &gameTexture);
}

// An atlas stored upside down or mirrored would still fill the line's box, so
// look at the shapes: a T's widest row is its top one, an L's tallest column
// its left one.
TEST_F(FontTest, GlyphsStandUpright)
{
    glColor3f(1, 1, 1);
    for (const bool rows : {true, false})
    {
        Draw(rows ? "T" : "L", 10, 50);
        int most = 0, mostAt = -1, firstAt = -1;
        for (int i = 0; i < 15; ++i)
        {
            int count = 0;
            for (int j = 0; j < 15; ++j)
                count += rows ? Lit(5 + j, 50 + i) : Lit(5 + i, 50 + j);
            firstAt = firstAt < 0 && count > 0 ? i : firstAt;
            mostAt = count > most ? i : mostAt;
            most = count > most ? count : most;
        }
        EXPECT_EQ(mostAt, firstAt)
            << (rows ? "the T's bar is not on top" : "the L's stem is not on the left");
    }
}

// Bytes outside printable ASCII draw nothing and take no room; text past the
// right edge is cut there.
TEST_F(FontTest, UnprintableBytesAndTextOffTheEdge)
{
    std::string controls, high;
    for (int c = 1; c < 0x20; ++c)
        controls += static_cast<char>(c);
    for (int c = 0x80; c <= 0xFF; ++c)
        high += static_cast<char>(c);
    const char* const blank[] = {nullptr, "", controls.c_str(), high.c_str()};
    glColor3f(1, 1, 1);
    int outside = 0;
    for (const char* text : blank)
    {
        Draw(text, 5, 5);
        EXPECT_EQ(CountLit(Box{0, 0, 0, 0}, outside), 0);
        EXPECT_EQ(outside, 0) << "text of " << (text ? std::string(text).size() : 0) << " bytes";
    }

    Draw("AB", 5, 5);
    const std::vector<unsigned char> plain = pixels;
    Draw("\x01"
         "A\x80\xff\x1f"
         "B\x7f",
         5, 5);
    EXPECT_TRUE(pixels == plain) << "skipped bytes moved or added ink";

    const std::string longLine(500, 'W');
    Draw(longLine.c_str(), screenWidth - 40, 100);
    EXPECT_GT(CountLit(Box{screenWidth - 41, 100, screenWidth, 115}, outside), 50);
    EXPECT_EQ(outside, 0);
    Draw(longLine.c_str(), screenWidth, 100);
    EXPECT_EQ(CountLit(Box{0, 0, 0, 0}, outside) + outside, 0);
}

// Loading again replaces the atlas; releasing deletes it and stops the text.
// Load leaves the game's texture binding and unpack alignment as it found them.
TEST_F(FontTest, ReloadReplacesAndReleaseDeletesTheAtlas)
{
    CFont font;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    GLuint gameTexture = 0;
    glGenTextures(1, &gameTexture);
    glBindTexture(GL_TEXTURE_2D, gameTexture);
    ASSERT_TRUE(font.Load());
    const GLuint first = font.texture;
    ASSERT_TRUE(font.Load());
    EXPECT_TRUE(font.texture == first || !glIsTexture(first)) << "the first atlas leaked";
    GLint bound = 0, alignment = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(static_cast<GLuint>(bound), gameTexture);
    EXPECT_EQ(alignment, 8);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

    glColor3f(1, 1, 1);
    int outside = 0;
    Draw("Quorvel", 0, 0, font);
    EXPECT_GT(CountLit(Box{0, 0, 100, 15}, outside), 50);
    const GLuint second = font.texture;
    font.Release();
    EXPECT_FALSE(font.IsLoaded());
    EXPECT_FALSE(glIsTexture(second));
    Draw("Quorvel", 0, 0, font);
    EXPECT_EQ(CountLit(Box{0, 0, 0, 0}, outside) + outside, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &gameTexture);
}

// With no font to be had, Load fails, says so once on standard error, and
// the game's text simply does not appear.
TEST_F(FontTest, NoFontFailsQuietlyAfterOneMessage)
{
    char config[] = "/tmp/quorvel-fonts-XXXXXX";
    char log[] = "/tmp/quorvel-stderr-XXXXXX";
    const int configFd = mkstemp(config);
    const int logFd = mkstemp(log);
    ASSERT_TRUE(configFd >= 0 && logFd >= 0);
    const char empty[] = "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    ASSERT_EQ(write(configFd, empty, sizeof empty - 1), static_cast<ssize_t>(sizeof empty - 1));
    close(configFd);
    const char* previous = std::getenv("FONTCONFIG_FILE");
    const std::string saved = previous ? previous : "";
    setenv("FONTCONFIG_FILE", config, 1);

    std::fflush(stderr);
    const int stderrFd = dup(2);
    dup2(logFd, 2);
    CFont font;
    const bool first = font.Load();
    const bool second = font.Load();
    std::fflush(stderr);
    dup2(stderrFd, 2);
    close(stderrFd);
    previous ? setenv("FONTCONFIG_FILE", saved.c_str(), 1) : unsetenv("FONTCONFIG_FILE");

    EXPECT_FALSE(first);
    EXPECT_FALSE(second);
    EXPECT_FALSE(font.IsLoaded());
    glColor3f(1, 1, 1);
    Draw("Press H for help", 0, 25, font);
    int outside = 0;
    EXPECT_EQ(CountLit(Box{0, 0, 0, 0}, outside) + outside, 0);

    std::string said(4096, '\0');
    const ssize_t length = pread(logFd, &said[0], said.size(), 0);
    said.resize(length > 0 ? static_cast<size_t>(length) : 0);
    close(logFd);
    unlink(config);
    unlink(log);
    const std::string message = "no usable font for \"sans-serif\"";
    const size_t at = said.find(message);
    EXPECT_NE(at, std::string::npos) << said;
    EXPECT_EQ(said.find(message, at + 1), std::string::npos) << "said more than once: " << said;
}
} // namespace
