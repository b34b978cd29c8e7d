#pragma once

#include <vector>

struct GlyphAtlas;

// Text drawn as textured quads from one atlas of the printable ASCII glyphs,
// rasterised once when the window opens. Without a usable font nothing is drawn.
class CFont
{
  public:
    CFont();
    ~CFont();

    // Makes the atlas that RasteriseGlyphAtlas built (framework/sdl/GlyphAtlas.h)
    // the font's texture; needs a current context. False (said once on
    // standard error) when no font can be used.
    bool Load(const GlyphAtlas& atlas);
    // Deletes the atlas; needs the context that Load ran under.
    void Release();
    // Draws `text` with its top left corner at window pixel (x, y), in the
    // current colour; call between COpenGL::Start2D and End2D. Characters
    // outside printable ASCII are skipped. One draw call; the current colour
    // and the client array state are left as found.
    void Print(const char* text, int x, int y);
    // Prints `count` lines as Print would, the first at (x, y), each the next
    // `lineSpacing` pixels lower; a null line stays empty. One draw call.
    void PrintLines(const char* const* lines, int count, int x, int y, int lineSpacing);

    bool IsLoaded() const { return texture != 0; }

    static const int FIRST_CHAR = 32;
    static const int CHAR_COUNT = 95;

    struct Glyph
    {
        float s0, t0, s1, t1; // atlas texture coordinates
        int width, height;    // quad size, pixels
        int offsetX, offsetY; // from the pen position and the line's top
        int advance;          // pen step, pixels
    };

    unsigned int texture; // GL name of the atlas; 0 when not loaded
    int lineHeight;       // pixels
    Glyph glyphs[CHAR_COUNT];

  private:
    struct Corner
    {
        float s, t; // atlas texture coordinates
        float x, y; // window pixels
    };
    // The glyph corners of the text about to be drawn; kept between draws so
    // that its memory is reused.
    std::vector<Corner> queued;

    // Queues the glyph quads of one line; returns nothing to draw when off screen.
    void Queue(const char* text, int x, int y);
    void DrawQueued();
};
