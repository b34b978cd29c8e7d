#include <cstring>

#include "tests/gl/BoardView.h"

namespace
{
using PickTest = GameGLTest;

TEST_F(PickTest, EverySquareCentrePicksItsOwnSquare)
{
    // rotY, rotX, camDistance: the new-game camera, a turned and a zoomed one;
    // then how many square centres lie inside the window.
    const float cameras[][4] = {{0, 0, 15, 81}, {37, 10, 15, 80}, {0, 0, 8, 81}};
    for (const auto& camera : cameras)
    {
        game.rotY = camera[0];
        game.rotX = camera[1];
        game.camDistance = camera[2];
        DrawFrame();
        int inWindow = 0;
        for (int i = 0; i < 81; ++i)
        {
            const WinPoint p = SquarePoint(i);
            if (p.x < 1 || p.y < 1 || p.x > screenWidth - 1 || p.y > screenHeight - 1)
                continue;
            ++inWindow;
            EXPECT_EQ(PickAt(p), i) << "camera " << camera[0] << ", " << camera[2];
        }
        EXPECT_EQ(inWindow, camera[3]) << "camera " << camera[0] << ", " << camera[2];
    }
}

// The background and an empty viewport (a minimised window) pick nothing, and
// picks leave the projection, the model-view, the matrix and render mode alone.
TEST_F(PickTest, BackgroundAndEmptyViewportPickNothingAndStateIsRestored)
{
    DrawFrame();
    GLdouble before[32], after[32];
    glGetDoublev(GL_PROJECTION_MATRIX, before);
    glGetDoublev(GL_MODELVIEW_MATRIX, before + 16);
    const int middleX = ClientX(SquarePoint(40)), middleY = ClientY(SquarePoint(40));
    EXPECT_EQ(game.board.Pick(0, 0), -1);
    EXPECT_EQ(game.board.Pick(screenWidth - 1, screenHeight - 1), -1);
    EXPECT_EQ(game.board.Pick(middleX, middleY), 40);
    glViewport(0, 0, 0, 0);
    EXPECT_EQ(game.board.Pick(middleX, middleY), -1) << "in an empty viewport";
    GLint modes[2];
    glGetIntegerv(GL_MATRIX_MODE, &modes[0]);
    glGetIntegerv(GL_RENDER_MODE, &modes[1]);
    EXPECT_TRUE(modes[0] == GL_MODELVIEW && modes[1] == GL_RENDER);
    glGetDoublev(GL_PROJECTION_MATRIX, after);
    glGetDoublev(GL_MODELVIEW_MATRIX, after + 16);
    EXPECT_EQ(std::memcmp(before, after, sizeof after), 0);
}

// From the new-game camera a point on a piece's top face near its back edge
// looks at the square behind; the piece is nearer, so its own square wins.
TEST_F(PickTest, PieceHidingTheSquareBehindPicksItsOwnSquare)
{
    DrawFrame();
    const WinPoint onTop = SquarePoint(40, 0, 1.1, -0.3);
    const int behind = SquareUnder(onTop);
    ASSERT_TRUE(behind >= 0 && behind != 40) << behind;
    EXPECT_EQ(PickAt(onTop), behind) << "without the piece";
    ASSERT_TRUE(game.board.PlacePiece(40, PLAYER_GREEN));
    DrawFrame();
    EXPECT_EQ(PickAt(onTop), 40) << "with the piece";
}

// Window y 0 is picked at GL y = viewport height and window y = viewport height
// at GL y 0, not a pixel off either way. Looking down steeply from close by, the
// eye rises until a square's border lies between that line and the one a pixel
// off, both clear of the 0.1-pixel pick region, so an off-by-one answers wrongly.
TEST_F(PickTest, WindowEdgesPickAtTheOuterBordersOfTheEdgeRows)
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
                    EXPECT_EQ(game.board.Pick(int(x), screenHeight - int(edge)), square)
                        << edge << off;
                }
            }
            EXPECT_TRUE(found) << "no border within a pixel of GL y " << edge << " towards " << off;
        }
}
} // namespace
