#include <iterator>

#include "board/Piece.h"
#include "framework/Events.h"
#include "input/Input.h"
#include "tests/gl/BoardView.h"

namespace
{
using ReplayTest = GameGLTest;

// Dispatches one event through the framework, then ticks as the message loop
// does when the queue is empty. `value` is the key, the wheel delta or the x.
void Play(WindowEventType type, int value = 0, int y = 0)
{
    WindowEvent event{};
    event.type = type;
    event.key = event.x = event.wheelDelta = value;
    event.y = y;
    event.button = MOUSE_LEFT;
    DispatchEvent(event);
    ASSERT_TRUE(game.Tick());
}

// A recorded game, click by click: the square aimed at (-1: the background),
// whether a piece is placed there, then who is to move and the result. Red fills
// row 4 from the left and green row 0; green once clicks red's square and once
// the background, and a click after red's win places nothing.
const int RED = PLAYER_RED, GREEN = PLAYER_GREEN, NONE = RESULT_NONE;
const struct
{
    int square, places, toMove, result;
} CLICKS[] = {{36, 1, GREEN, NONE}, {0, 1, RED, NONE}, {37, 1, GREEN, NONE}, {36, 0, GREEN, NONE},
              {-1, 0, GREEN, NONE}, {1, 1, RED, NONE}, {38, 1, GREEN, NONE}, {2, 1, RED, NONE},
              {39, 1, GREEN, NONE}, {3, 1, RED, NONE}, {40, 1, GREEN, RED},  {4, 0, GREEN, RED}};

TEST_F(ReplayTest, RecordedGameToARedWinThenNewGame)
{
    game.state = STATE_INIT;
    for (int tick = 0; tick < 3; ++tick)
        ASSERT_TRUE(game.Tick()); // Init, NewGame, the first frame
    int pieces = 0;
    for (const auto& click : CLICKS)
    {
        const WinPoint aim = click.square >= 0 ? SquarePoint(click.square) : WinPoint{30, 450};
        pieces += click.places;
        Play(EVENT_MOUSE_MOVE, ClientX(aim), ClientY(aim));
        ASSERT_EQ(game.markedSquare, click.square);
        Play(EVENT_BUTTON_DOWN);
        Play(EVENT_BUTTON_UP);
        EXPECT_TRUE(game.currentPlayer == click.toMove && game.result == click.result)
            << "after the click on " << click.square;
        ASSERT_EQ(game.board.pieceCount, pieces) << "after the click on " << click.square;
    }
    for (int i = 0; i < 81; ++i)
    {
        const CSquare& square = game.board.squares[i];
        const int owner = i >= 36 && i <= 40 ? RED : i <= 3 ? GREEN : -1;
        EXPECT_EQ(square.occupied ? square.piece->owner : -1, owner) << "square " << i;
    }
    Play(EVENT_WHEEL, -120);
    Play(EVENT_KEY_DOWN, 'S'); // turns the view, so that N's reset shows
    ASSERT_TRUE(game.camDistance == 13.0f && game.rotY < 0.0f) << game.camDistance << game.rotY;
    Play(EVENT_KEY_DOWN, 'N'); // and the tick that starts the new game
    for (int i = 0; i < 81; ++i)
        EXPECT_EQ(game.board.squares[i].occupied, 0) << "square " << i;
    EXPECT_TRUE(game.board.pieceCount == 0 && game.result == NONE && game.currentPlayer == RED);
    EXPECT_TRUE(game.camDistance == 15.0f && game.camHeight == 15.0f && game.rotX == 0.0f &&
                game.rotY == 0.0f && game.rotZ == 0.0f);
}

// T and W in a sequence that takes every key from each of the four states of the
// two toggles: texturing on or off, and the polygon mode of both faces after it.
TEST_F(ReplayTest, TextureAndWireframeKeysSetTheGLState)
{
    const struct
    {
        char key;
        bool textured;
        GLint mode;
    } steps[] = {{'T', false, GL_FILL}, {'W', false, GL_LINE}, {'T', true, GL_LINE},
                 {'T', false, GL_LINE}, {'W', false, GL_FILL}, {'T', true, GL_FILL},
                 {'W', false, GL_LINE}, {'W', true, GL_FILL}};
    for (size_t i = 0; i < std::size(steps); ++i)
    {
        OnKeyDown(steps[i].key);
        GLint modes[2];
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) == steps[i].textured && modes[0] == steps[i].mode &&
                    modes[1] == steps[i].mode)
            << "after key " << i + 1 << " of TWTTWTWW";
    }
}
} // namespace
