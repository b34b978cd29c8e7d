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

// A red piece on the middle square seen from behind, from either side, across a
// corner, from the front and from above: at five points of every face turned
// towards the eye (not at a grazing angle), the depth read back puts the pixel on
// that face, and it is red. A face missing or out of place shows what lies behind.
TEST_F(BoardViewTest, APieceShowsEachFaceWhereItBelongsFromEverySide)
{
    game.board.PlacePiece(40, PLAYER_RED); // the cube from (-0.5, 0.1, -0.5) to (0.5, 1.1, 0.5)
    const char* const names[6] = {"+x ", "-x ", "+y ", "-y ", "+z ", "-z "};
    // clang-format off
    const struct { float rotY, distance, height; std::string faces; } cameras[] = {
        {180, 4, 2, "-z "}, {90, 4, 2, "-x "}, {270, 4, 2, "+x "}, {135, 4, 2, "-x -z "},
        {0, 4, 2, "+z "}, {30, 0.6f, 5, "+y "}};
    // clang-format on
    for (const auto& c : cameras)
    {
        game.rotY = c.rotY;
        game.camDistance = c.distance;
        game.camHeight = c.height;
        DrawFrame();
        GLdouble m[16]; // the camera alone: the eye is its translation turned back
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        std::string seen;
        for (int face = 0; face < 6; ++face)
        {
            const int axis = face / 2;
            double centre[3] = {0, 0.6, 0}, toEye[3], length = 0;
            centre[axis] += face % 2 ? -0.5 : 0.5;
            for (int i = 0; i < 3; ++i)
            {
                toEye[i] =
                    -(m[4 * i] * m[12] + m[4 * i + 1] * m[13] + m[4 * i + 2] * m[14]) - centre[i];
                length += toEye[i] * toEye[i];
            }
            if ((face % 2 ? -toEye[axis] : toEye[axis]) < 0.3 * std::sqrt(length))
                continue;
            seen += names[face];
            for (int k = 0; k < 5; ++k) // the centre, then four points towards the corners
            {
                double point[3] = {centre[0], centre[1], centre[2]}, window[3], found[3];
                point[(axis + 1) % 3] += k ? (k & 1 ? 0.35 : -0.35) : 0;
                point[(axis + 2) % 3] += k ? (k & 2 ? 0.35 : -0.35) : 0;
                Map(true, point, window);
                float depth = 0;
                glReadPixels(GLint(window[0]), GLint(window[1]), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT,
                             &depth);
                const double pixel[3] = {std::floor(window[0]) + 0.5, std::floor(window[1]) + 0.5,
                                         depth};
                Map(false, pixel, found);
                EXPECT_LT(std::hypot(found[0] - point[0], found[1] - point[1], found[2] - point[2]),
                          0.05)
                    << names[face] << "face, point " << k << ", camera turned " << c.rotY;
                EXPECT_EQ(Hue({window[0], window[1]}), "r--") << names[face] << "face, point " << k;
            }
        }
        EXPECT_EQ(seen, c.faces) << "camera turned " << c.rotY;
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
