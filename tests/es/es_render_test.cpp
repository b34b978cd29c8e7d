// The game's own drawing and picking through the browser's GL layer on a real
// OpenGL ES 2.0 context (Mesa's, under X): the layer linked in place of
// libGL, as the browser links it. What the board shows and what a pointer
// picks must be what the desktop shows and picks.

#include <GL/gl.h>
#include <GL/gl11_backend.h>
#include <GL/glu.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Game.h"
#include "board/Constants.h"
#include "framework/OpenGL.h"
#include "framework/sdl/web/gl11/Matrix.h"
#include "tests/es/ComparedFrames.h"
#include "tests/gl/DriverPin.h"
#include "tests/gl/PatternedBoard.h"

namespace
{
const int WIDTH = FRAME_WIDTH, HEIGHT = FRAME_HEIGHT;
SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
void (*readPixels)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*) = nullptr;

class EsWindow : public ::testing::Environment
{
  public:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || SDL_Init(SDL_INIT_VIDEO) != 0)
            return;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window = SDL_CreateWindow("Quorvel ES", 0, 0, WIDTH, HEIGHT, SDL_WINDOW_OPENGL);
        context = window ? SDL_GL_CreateContext(window) : nullptr;
        if (!context)
            return;
        PinGlDriver();
        // The same start as the desktop window's.
        EXPECT_TRUE(Gl11LoadBackend(SDL_GL_GetProcAddress)) << Gl11BackendFailure();
        readPixels = reinterpret_cast<decltype(readPixels)>(SDL_GL_GetProcAddress("glReadPixels"));
        glClearColor(0, 0, 0, 0);
        glClearDepth(1.0);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_TEXTURE_2D);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void TearDown() override
    {
        if (context)
            SDL_GL_DeleteContext(context);
        if (window)
            SDL_DestroyWindow(window);
        SDL_Quit();
    }
};
::testing::Environment* const esWindow = ::testing::AddGlobalTestEnvironment(new EsWindow);

struct WinPoint // GL window coordinates: pixels, origin bottom left
{
    double x, y;
};

// Where the point (dx, y, dz) from square `index`'s centre is drawn, by the
// layer's own matrices.
WinPoint SquarePoint(int index, double dx = 0, double y = 0, double dz = 0)
{
    Matrix model, projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, model.m);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    const float scene[4] = {float(-8.4 + 2.1 * (index % 9) + dx), float(y),
                            float(-8.4 + 2.1 * (index / 9) + dz), 1};
    float clip[4];
    TransformPoint(Multiply(projection, model), scene, clip);
    return {(clip[0] / clip[3] + 1) * screenWidth / 2, (clip[1] / clip[3] + 1) * screenHeight / 2};
}

// The pixel's channels holding at least half of the brightest, as "rg-" for
// yellow; "---" for black.
std::string Hue(WinPoint p)
{
    unsigned char c[4] = {};
    readPixels(GLint(p.x), GLint(p.y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, c);
    const int top = std::max({int(c[0]), int(c[1]), int(c[2]), 32});
    std::string hue = "---";
    for (int i = 0; i < 3; ++i)
        hue[i] = c[i] * 2 >= top ? "rgb"[i] : '-';
    return hue;
}

// Whether any pixel within `reach` of p has the hue.
bool HueNear(WinPoint p, const std::string& hue, int reach = 1)
{
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy)
            if (Hue({p.x + dx, p.y + dy}) == hue)
                return true;
    return false;
}

// The window's client area at width x height, as the framework sizes the GL
// view for it (the fake platform it links reports no context, so does not).
void Resize(int width, int height)
{
    graphic.ResizeScene(width, height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(graphic.fieldOfView, double(width) / std::max(height, 1), graphic.zNear,
                   graphic.zFar);
    glMatrixMode(GL_MODELVIEW);
}

void DrawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    game.Draw();
}

class EsRenderTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!context)
            GTEST_SKIP() << "no OpenGL ES 2.0 window: set DISPLAY to a running X server";
        game.board.Create(9, -8.4f, 0.0f, -8.4f);
        game.NewGame();
        Resize(WIDTH, HEIGHT);
        // A texture of four light greys, through GLU's mipmaps as the game's.
        const unsigned char greys[16] = {200, 200, 200, 255, 230, 230, 230, 255,
                                         170, 170, 170, 255, 250, 250, 250, 255};
        glGenTextures(1, &game.board.texture.id);
        glBindTexture(GL_TEXTURE_2D, game.board.texture.id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, 2, 2, GL_RGBA, GL_UNSIGNED_BYTE, greys),
                  0);
        ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
    void TearDown() override
    {
        glDeleteTextures(1, &game.board.texture.id);
        game.board.texture.id = 0;
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glEnable(GL_TEXTURE_2D);
    }
};

// Every fourth square marked, pieces on the even rows (red in columns 1, 4, 7,
// green in 2, 5, 8), textured and flat, turned and not: each square shows its
// colour clear of the pieces, each piece's top its owner's, and each square's
// centre picks that square.
TEST_F(EsRenderTest, SquaresAndPiecesShowTheirColoursAndPickTheirSquares)
{
    int owners[81];
    LayPatternedBoard(game.board, owners);
    for (const bool flat : {false, true})
        for (const float turn : {0.0f, 25.0f})
        {
            game.rotY = turn;
            (flat ? glDisable : glEnable)(GL_TEXTURE_2D);
            DrawFrame();
            for (int i = 0; i < 81; ++i)
            {
                const WinPoint square = SquarePoint(i, 0, 0, owners[i] < 0 ? -0.6 : 0.7);
                EXPECT_EQ(Hue(square), i % 4 == 0 ? "rg-" : "--b") << i << ", turned " << turn;
                if (owners[i] >= 0)
                {
                    EXPECT_EQ(Hue(SquarePoint(i, 0, 1.1)), owners[i] ? "r--" : "-g-") << i;
                }
                const WinPoint centre = SquarePoint(i, 0, owners[i] < 0 ? 0 : 1.1);
                EXPECT_EQ(game.board.Pick(int(std::lround(centre.x)),
                                          screenHeight - int(std::lround(centre.y))),
                          i)
                    << "turned " << turn;
            }
        }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// The wireframe (W) draws each square's four sides and nothing inside, not
// even the diagonal a quad is filled by; its picks, like the desktop's, find
// nothing in a square's middle.
TEST_F(EsRenderTest, TheWireframeOutlinesEachSquare)
{
    glPolygonMode(GL_FRONT, GL_LINE);
    glPolygonMode(GL_BACK, GL_LINE);
    glDisable(GL_TEXTURE_2D);
    DrawFrame();
    for (int i = 0; i < 81; ++i)
    {
        EXPECT_EQ(Hue(SquarePoint(i)), "---") << i;
        EXPECT_EQ(Hue(SquarePoint(i, 0.5, 0, 0.5)), "---") << i << ": a diagonal";
        EXPECT_TRUE(HueNear(SquarePoint(i, 1.0, 0, 0.3), "--b")) << i << ": right side";
        EXPECT_TRUE(HueNear(SquarePoint(i, -0.3, 0, -1.0), "--b")) << i << ": far side";
        const WinPoint centre = SquarePoint(i);
        EXPECT_EQ(game.board.Pick(int(centre.x), screenHeight - int(centre.y)), -1) << i;
    }
}

// A window shrunk to nothing and back: no picks and no fault meanwhile, the
// board where it was after.
TEST_F(EsRenderTest, AWindowOfNoSizeAndBack)
{
    Resize(0, 0);
    DrawFrame();
    EXPECT_EQ(game.board.Pick(0, 0), -1);
    // The text's projection for an empty window is refused, as desktop GL
    // refuses glOrtho with no width.
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    Resize(WIDTH, HEIGHT);
    DrawFrame();
    const WinPoint centre = SquarePoint(40);
    EXPECT_EQ(Hue(centre), "--b");
    EXPECT_EQ(game.board.Pick(int(centre.x), screenHeight - int(centre.y)), 40);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
// The text's way: an alpha-only texture, as the font's atlas is, drawn from
// client arrays between Start2D and End2D, tints the current colour by its
// alpha and blends over what is behind; a clamped edge does not wrap.
TEST_F(EsRenderTest, AnAlphaTextureTintsTheCurrentColour)
{
    const unsigned char alphas[2] = {255, 0};
    GLuint atlas = 0;
    glGenTextures(1, &atlas);
    glBindTexture(GL_TEXTURE_2D, atlas);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, 2, 1, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alphas);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    DrawFrame();
    // Window pixels, y downwards: the left half takes texel 0, the right texel 1.
    const float corners[4][4] = {{0, 0, 20, 20}, {1, 0, 220, 20}, {1, 1, 220, 60}, {0, 1, 20, 60}};
    graphic.Start2D();
    glBindTexture(GL_TEXTURE_2D, atlas); // the board's is bound after a frame
    glColor3f(1, 0, 1);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof corners[0], &corners[0][0]);
    glVertexPointer(2, GL_FLOAT, sizeof corners[0], &corners[0][2]);
    glDrawArrays(GL_QUADS, 0, 4);
    glPopClientAttrib();
    graphic.End2D();
    EXPECT_EQ(Hue({60, HEIGHT - 40.0}), "r-b");
    EXPECT_EQ(Hue({180, HEIGHT - 40.0}), "---");
    glDeleteTextures(1, &atlas);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
// Desktop GL (tests/es/desktop_frames) and the layer draw the same frames,
// filled and outlined, from the same code: every channel of every pixel within
// one level (where rounding in filtering differs).
TEST_F(EsRenderTest, FramesAreTheDesktopsToALevel)
{
    FILE* desktop = popen(DESKTOP_FRAMES, "r");
    ASSERT_NE(desktop, nullptr);
    std::vector<unsigned char> theirs(size_t(FRAME_WIDTH) * FRAME_HEIGHT * 4), ours;
    for (int frame = 0; frame < COMPARED_FRAMES; ++frame)
    {
        ASSERT_EQ(std::fread(theirs.data(), 1, theirs.size(), desktop), theirs.size()) << frame;
        DrawComparedFrame(frame, readPixels, ours);
        int lit = 0, differing = 0, worst = 0;
        for (size_t i = 0; i < ours.size(); i += 4)
        {
            int difference = 0;
            for (size_t k = i; k < i + 3; ++k)
                difference = std::max(difference, std::abs(ours[k] - theirs[k]));
            lit += ours[i] || ours[i + 1] || ours[i + 2];
            differing += difference > 0;
            worst = std::max(worst, difference);
        }
        EXPECT_LE(worst, 1) << "frame " << frame << ": " << differing << " pixels differ";
        EXPECT_GT(lit, frame == 0 ? 80000 : 15000) << "frame " << frame << " is nearly empty";
        std::printf("frame %d: %d pixels lit, %d differ, by at most %d\n", frame, lit, differing,
                    worst);
    }
    EXPECT_EQ(pclose(desktop), 0);
}

} // namespace
