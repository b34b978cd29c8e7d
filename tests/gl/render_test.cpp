#include "tests/gl/BoardView.h"

namespace
{
using RenderTest = GameGLTest;

// Draws a position under the new-game camera: every fourth square marked, and
// on the even rows a red piece in columns 1, 4, 7 and a green one in columns 2,
// 5, 8, so marked and unmarked squares with and without pieces of both owners
// appear and no piece stands just in front of another. Each square must show
// its colour clear of the pieces (0.7 in front of its own piece; 0.6 behind
// the centre of an empty one, out of the shadow of the piece in front) and
// each piece's top (1.1 above its square) its owner's.
void ExpectPosition(bool flat)
{
    int owners[81];
    for (int i = 0; i < 81; ++i)
    {
        const int column = i % 9;
        owners[i] = i / 9 % 2 == 1 || column % 3 == 0 ? -1 : column % 3 == 1;
        game.board.squares[i].displayState = i % 4 == 0 ? SQUARE_MARKED : SQUARE_NORMAL;
        if (owners[i] >= 0)
            game.board.PlacePiece(i, static_cast<unsigned char>(owners[i]));
    }
    DrawFrame();
    for (int i = 0; i < 81; ++i)
    {
        const char* square = i % 4 == 0 ? "rg-" : "--b";
        EXPECT_EQ(Hue(SquarePoint(i, 0, 0, owners[i] < 0 ? -0.6 : 0.7), flat), square) << i;
        if (owners[i] < 0)
            continue;
        EXPECT_EQ(Hue(SquarePoint(i, 0, 1.1), flat), owners[i] ? "r--" : "-g-") << i;
    }
}

TEST_F(RenderTest, SquaresAndPiecesShowTheirColoursTexturedAndFlat)
{
    ASSERT_NE(game.board.texture.id, 0u) << "data/cube.tga did not load";
    ExpectPosition(false);
    glDisable(GL_TEXTURE_2D);
    ExpectPosition(true);
}

// Drawing, as the pick does in selection mode, leaves the model-view and name
// stacks as it found them and underflows neither, also for an empty board.
TEST_F(RenderTest, StacksComeBackBalanced)
{
    for (const int size : {9, 0})
    {
        game.board.Create(size, -8.4f, 0.0f, -8.4f);
        game.board.PlacePiece(40, PLAYER_RED);
        GLuint buffer[256];
        GLint before[2], after[2];
        glGetError(); // forget any earlier error
        glSelectBuffer(256, buffer);
        glRenderMode(GL_SELECT);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before[0]);
        glGetIntegerv(GL_NAME_STACK_DEPTH, &before[1]);
        game.board.Draw();
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after[0]);
        glGetIntegerv(GL_NAME_STACK_DEPTH, &after[1]);
        glRenderMode(GL_RENDER);
        EXPECT_EQ(after[0], before[0]) << "model-view, size " << size;
        EXPECT_EQ(after[1], before[1]) << "names, size " << size;
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "size " << size;
    }
}
} // namespace
