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

// One recorded click: the square aimed at (-1: the background), whether a piece
// is placed, and who is to move and the result after it. Red fills row 4 from the
// left and green row 0; green once clicks red's square and once the background,
// and a click after red's win places nothing.
struct Click
{
    int square, places, toMove, result;
};
const int RED = PLAYER_RED, GREEN = PLAYER_GREEN, NONE = RESULT_NONE;
const Click DEMO[] = {{36, 1, GREEN, NONE}, {0, 1, RED, NONE},    {37, 1, GREEN, NONE},
                      {36, 0, GREEN, NONE}, {-1, 0, GREEN, NONE}, {1, 1, RED, NONE},
                      {38, 1, GREEN, NONE}, {2, 1, RED, NONE},    {39, 1, GREEN, NONE},
                      {3, 1, RED, NONE},    {40, 1, GREEN, RED},  {4, 0, GREEN, RED}};

TEST_F(ReplayTest, RecordedGameToARedWinThenNewGame)
{
    game.state = STATE_INIT;
    for (int tick = 0; tick < 3; ++tick)
        ASSERT_TRUE(game.Tick()); // Init, NewGame, the first frame
    int owners[81], pieces = 0;
    std::fill(owners, owners + 81, -1);
    for (const Click& click : DEMO)
    {
        SCOPED_TRACE("click on " + std::to_string(click.square));
        const WinPoint aim = click.square >= 0 ? SquarePoint(click.square) : WinPoint{30, 450};
        if (click.places)
        {
            owners[click.square] = game.currentPlayer;
            ++pieces;
        }
        Play(EVENT_MOUSE_MOVE, ClientX(aim), ClientY(aim));
        ASSERT_EQ(game.markedSquare, click.square);
        Play(EVENT_BUTTON_DOWN);
        Play(EVENT_BUTTON_UP);
        EXPECT_EQ(game.currentPlayer, click.toMove);
        EXPECT_EQ(game.result, click.result);
        ASSERT_EQ(game.board.pieceCount, pieces);
        for (int i = 0; i < 81; ++i)
        {
            const CSquare& square = game.board.squares[i];
            EXPECT_EQ(square.occupied ? square.piece->owner : -1, owners[i]) << "square " << i;
        }
    }
    Play(EVENT_WHEEL, -120);
    Play(EVENT_KEY_DOWN, 83); // S turns the view
    ASSERT_TRUE(game.camDistance == 13.0f && game.rotY < 0.0f) << game.camDistance << game.rotY;
    Play(EVENT_KEY_DOWN, 78); // N, and the tick that starts the new game
    for (int i = 0; i < 81; ++i)
        EXPECT_EQ(game.board.squares[i].occupied, 0) << "square " << i;
    EXPECT_TRUE(game.board.pieceCount == 0 && game.result == NONE && game.currentPlayer == RED);
    EXPECT_TRUE(game.camDistance == 15.0f && game.camHeight == 15.0f);
    EXPECT_TRUE(game.rotX == 0.0f && game.rotY == 0.0f && game.rotZ == 0.0f);
}

// T and W in every order that matters leave texturing and the polygon mode of
// both faces as the game expects.
struct Toggles
{
    const char* keys;
    bool textured;
    GLint polygonMode;
};
const Toggles TOGGLES[] = {
    {"", true, GL_FILL},     {"T", false, GL_FILL},  {"TT", true, GL_FILL},
    {"W", false, GL_LINE},   {"WW", true, GL_FILL},  {"TW", false, GL_LINE},
    {"TWW", false, GL_FILL}, {"WT", false, GL_LINE}, {"WTT", true, GL_LINE},
    {"WTW", false, GL_FILL}, {"TWT", true, GL_LINE}, {"TWTW", true, GL_FILL},
};

TEST_F(ReplayTest, TextureAndWireframeKeysSetTheGLState)
{
    for (const Toggles& toggles : TOGGLES)
    {
        ResetGame();
        for (const char* key = toggles.keys; *key; ++key)
            OnKeyDown(*key);
        GLint modes[2];
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D) == GL_TRUE, toggles.textured) << toggles.keys;
        EXPECT_TRUE(modes[0] == toggles.polygonMode && modes[1] == modes[0]) << toggles.keys;
    }
    ResetGame();
}
} // namespace
