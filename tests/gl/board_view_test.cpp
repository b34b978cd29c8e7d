#include <vector>

#include "tests/gl/BoardView.h"
#include "tests/gl/PatternedBoard.h"

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
    LayPatternedBoard(game.board, owners);
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
// corner, from the front and from above: at five points of each face the camera
// looks at, the depth read back puts the pixel on that face, and it is red. A face
// missing or out of place shows what lies behind it instead.
TEST_F(BoardViewTest, APieceShowsEachFaceWhereItBelongsFromEverySide)
{
    game.board.PlacePiece(40, PLAYER_RED); // the cube from (-0.5, 0.1, -0.5) to (0.5, 1.1, 0.5)
    // clang-format off
    const struct { float rotY, distance, height; const char* faces; } cameras[] = {
        {180, 4, 2, "-z"}, {90, 4, 2, "-x"}, {270, 4, 2, "+x"}, {135, 4, 2, "-x-z"},
        {0, 4, 2, "+z"}, {30, 0.6f, 5, "+y"}};
    // clang-format on
    for (const auto& c : cameras)
    {
        game.rotY = c.rotY;
        game.camDistance = c.distance;
        game.camHeight = c.height;
        DrawFrame();
        for (const char* face = c.faces; *face; face += 2)
            for (int k = 0; k < 5; ++k) // the centre, then four points towards the corners
            {
                const int axis = face[1] - 'x';
                double point[3] = {0, 0.6, 0}, window[3], found[3];
                point[axis] += face[0] == '-' ? -0.5 : 0.5;
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
                    << std::string(face, 2) << " face, point " << k << ", camera " << c.rotY;
                EXPECT_EQ(Hue({window[0], window[1]}), "r--") << std::string(face, 2) << " face";
            }
    }
}

// Turned (rotY) and tilted (rotX), each quarter of every square lies where the
// board turned about X, then about the vertical puts it, and a texture of four
// greys shows each texel on its own quarter, the picture's bottom row (t = 0)
// towards +z, tinted yellow on a marked square, blue on the others.
TEST_F(BoardViewTest, SquaresLieWhereTheTurnsPutThemTexturedAsTheirPicture)
{
    const unsigned char texels[2][2][4] = {{{40, 40, 40, 255}, {100, 100, 100, 255}},
                                           {{160, 160, 160, 255}, {220, 220, 220, 255}}};
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    std::swap(game.board.texture.id, id);
    game.rotY = 60;
    game.rotX = 30;
    game.camDistance = 25;
    for (int i = 0; i < 81; i += 2)
        game.board.squares[i].displayState = SQUARE_MARKED;
    DrawFrame();
    glLoadIdentity();
    gluLookAt(0, game.camHeight, game.camDistance, 0, 0, 0, 0, 1, 0); // the camera alone
    const double a = game.rotX * M_PI / 180, b = game.rotY * M_PI / 180;
    for (int i = 0; i < 4 * 81; ++i) // square i / 4, its quarter of texel (k % 2, k / 2)
    {
        const int k = i % 4;
        const double x = -8.9 + 2.1 * (i / 4 % 9) + k % 2, z = -7.9 + 2.1 * (i / 36) - k / 2;
        const double tilted[2] = {-z * std::sin(a), z * std::cos(a)}; // y and z
        const double scene[3] = {x * std::cos(b) + tilted[1] * std::sin(b), tilted[0],
                                 tilted[1] * std::cos(b) - x * std::sin(b)};
        double window[3];
        unsigned char c[3];
        Map(true, scene, window);
        glReadPixels(GLint(window[0]), GLint(window[1]), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, c);
        const int tint = i / 4 % 2 ? 2 : 0, other = 2 - tint; // blue, or yellow's red
        EXPECT_TRUE(std::abs(c[tint] - texels[k / 2][k % 2][0]) < 3 && c[other] == 0)
            << "square " << i / 4 << ", quarter " << k << ": " << int(c[0]) << ", " << int(c[2]);
    }
    std::swap(game.board.texture.id, id);
    glDeleteTextures(1, &id);
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
// a turned and a zoomed one (rotY, rotX, camDistance, centres in the window, the
// height picked at); so does a point inside each piece of a full board, where the
// pick also hits what lies behind: the nearest hit must win. A corner, and any
// point of an empty board, picks nothing. No pick upsets the GL state. (Picks
// that keep memory in the driver show in the long session of tests/e2e.)
TEST_F(BoardViewTest, EverySquareCentrePicksItsOwnSquare)
{
    const float cameras[][5] = {
        {0, 0, 15, 81, 0}, {37, 10, 15, 80, 0}, {0, 0, 8, 81, 0}, {0, 0, 15, 81, 1}};
    for (const auto& camera : cameras)
    {
        for (int i = 0; i < 81 && camera[4] > 0; ++i)
            game.board.PlacePiece(i, static_cast<unsigned char>(i % 2));
        game.rotY = camera[0];
        game.rotX = camera[1];
        game.camDistance = camera[2];
        DrawFrame();
        const std::vector<double> before = PickState();
        int inWindow = 0;
        for (int i = 0; i < 81; ++i)
        {
            const WinPoint p = SquarePoint(i, 0, camera[4]);
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

} // namespace
