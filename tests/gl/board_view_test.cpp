#include <unistd.h>

#include <fstream>
#include <vector>

#include "tests/gl/BoardView.h"

#ifdef __SANITIZE_ADDRESS__
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace
{
// Under the new-game camera, every fourth square marked and on the even rows red
// pieces in columns 1, 4, 7 and green in 2, 5, 8: each square shows its colour
// clear of the pieces (0.7 in front of its own, 0.6 behind an empty one's centre,
// out of the shadow of the piece in front), each piece's top its owner's.
TEST_F(BoardViewTest, SquaresAndPiecesShowTheirColoursTexturedAndFlat)
{
    ASSERT_NE(game.board.texture.id, 0u) << "data/cube.tga did not load";
    int owners[81];
    for (int i = 0; i < 81; ++i)
    {
        owners[i] = i / 9 % 2 == 1 || i % 3 == 0 ? -1 : i % 3 == 1;
        game.board.squares[i].displayState = i % 4 == 0 ? SQUARE_MARKED : SQUARE_NORMAL;
        if (owners[i] >= 0)
            game.board.PlacePiece(i, static_cast<unsigned char>(owners[i]));
    }
    for (const bool flat : {false, true})
    {
        if (flat)
            glDisable(GL_TEXTURE_2D);
        DrawFrame();
        for (int i = 0; i < 81; ++i)
        {
            const WinPoint square = SquarePoint(i, 0, 0, owners[i] < 0 ? -0.6 : 0.7);
            EXPECT_EQ(Hue(square, flat), i % 4 == 0 ? "rg-" : "--b") << i;
            if (owners[i] >= 0)
            {
                EXPECT_EQ(Hue(SquarePoint(i, 0, 1.1), flat), owners[i] ? "r--" : "-g-") << i;
            }
        }
    }
}

// What drawing and picking must leave as they found it: both matrices, the matrix
// mode and the depths of the model-view and projection stacks; no GL error.
std::vector<double> PickState()
{
    std::vector<double> state(36);
    glGetDoublev(GL_PROJECTION_MATRIX, &state[0]);
    glGetDoublev(GL_MODELVIEW_MATRIX, &state[16]);
    glGetDoublev(GL_MATRIX_MODE, &state[32]);
    glGetDoublev(GL_MODELVIEW_STACK_DEPTH, &state[33]);
    glGetDoublev(GL_PROJECTION_STACK_DEPTH, &state[34]);
    state[35] = glGetError();
    return state;
}

// Every square centre in the window picks its square under the new-game camera,
// a turned and a zoomed one (rotY, rotX, camDistance, centres in the window); a
// corner, and any point of an empty board, nothing. No pick upsets the GL state.
TEST_F(BoardViewTest, EverySquareCentrePicksItsOwnSquare)
{
    const float cameras[][4] = {{0, 0, 15, 81}, {37, 10, 15, 80}, {0, 0, 8, 81}};
    for (const auto& camera : cameras)
    {
        game.rotY = camera[0];
        game.rotX = camera[1];
        game.camDistance = camera[2];
        DrawFrame();
        const std::vector<double> before = PickState();
        int inWindow = 0;
        for (int i = 0; i < 81; ++i)
        {
            const WinPoint p = SquarePoint(i);
            if (p.x < 1 || p.y < 1 || p.x > screenWidth - 1 || p.y > screenHeight - 1)
                continue;
            ++inWindow;
            EXPECT_EQ(PickAt(p), i) << "camera " << camera[0] << ", " << camera[2];
        }
        EXPECT_EQ(inWindow, camera[3]);
        EXPECT_EQ(game.board.Pick(0, 0), -1);
        EXPECT_EQ(PickState(), before);
    }
    game.board.Create(0, -8.4f, 0.0f, -8.4f);
    const std::vector<double> before = PickState();
    EXPECT_EQ(PickAt(SquarePoint(40)), -1);
    EXPECT_EQ(PickState(), before) << "empty board";
}

// Window y 0 is picked at GL y = viewport height and window y = viewport height
// at GL y 0, not a pixel off either way. Looking down steeply from close by, the
// eye rises until a square's border lies between that line and the one a pixel
// off, both clear of the 0.1-pixel pick region, so an off-by-one answers wrongly.
TEST_F(BoardViewTest, WindowEdgesPickAtTheOuterBordersOfTheEdgeRows)
{
    game.camDistance = 3.0f;
    const double x = screenWidth / 2.0;
    for (const double edge : {double(screenHeight), 0.0})
        for (const double off : {-1.0, 1.0})
        {
            bool found = false;
            for (game.camHeight = 3.0f; game.camHeight < 12.0f && !found; game.camHeight += 0.01f)
            {
                DrawFrame();
                const int square = SquareUnder({x, edge - 0.1 * off});
                const int beyond = SquareUnder({x, edge + 1.1 * off});
                found = square >= 0 && beyond != square &&
                        SquareUnder({x, edge + 0.1 * off}) == square &&
                        SquareUnder({x, edge + 0.9 * off}) == beyond;
                if (found)
                {
                    EXPECT_EQ(game.board.Pick(int(x), screenHeight - int(edge)), square) << edge;
                }
            }
            EXPECT_TRUE(found) << "no border within a pixel of GL y " << edge << " towards " << off;
        }
}

// What this process holds, in MB: its resident size, or under AddressSanitizer,
// whose quarantine keeps freed blocks resident, its heap in use.
double HeldMegabytes()
{
#ifdef __SANITIZE_ADDRESS__
    return double(__sanitizer_get_current_allocated_bytes()) / (1 << 20);
#else
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * sysconf(_SC_PAGESIZE) / (1 << 20);
#endif
}

// A long game's mouse moves, a pick each and a frame between every few, over a
// full board: the driver must keep nothing per pick. (Drawing it in selection
// mode through glBegin/glEnd kept about 50 kB a pick, 150 MB here.) Each point
// lies inside a piece, so the pick also hits what lies behind: the nearest hit,
// the piece's own square, must win.
TEST_F(BoardViewTest, ThousandsOfPicksOverAFullBoardKeepTheResidentSize)
{
    for (int i = 0; i < 81; ++i)
        game.board.PlacePiece(i, static_cast<unsigned char>(i % 2));
    double before = 0;
    for (int pick = -300; pick < 3000; ++pick)
    {
        if (pick % 10 == 0)
        {
            DrawFrame();
            glFinish(); // as a swap would: the renderer queues unfinished frames
        }
        if (pick == 0)
            before = HeldMegabytes();
        const int square = (pick + 300) * 7 % 81;
        ASSERT_EQ(PickAt(SquarePoint(square, 0, 1.0)), square);
    }
    EXPECT_LT(HeldMegabytes() - before, 8.0) << "MB grown over 3000 picks";
}
} // namespace
