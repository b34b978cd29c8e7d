#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>

#include "app/Game.h"
#include "app/Program.h"
#include "board/Constants.h"
#include "framework/Events.h"
#include "framework/OpenGL.h"
#include "input/Input.h"
#include "tests/fake/FakePlatform.h"

namespace
{
// The program as it starts: static storage zeroed, then constructed; a 1024 x 768
// window; the counter at 0, a million counts a second. Then `ticks` ticks, and frames
// of 0.02 s: a step of 220 x 0.02 = 4.4 degrees or scene units.
void Start(int ticks)
{
    fake = FakePlatform();
    fakeClock = {1000000, 0, 0};
    game.~CGame();
    std::memset(static_cast<void*>(&game), 0, sizeof game);
    new (&game) CGame();
    graphic = COpenGL();
    screenWidth = 1024;
    while (ticks-- > 0)
        game.Tick();
    game.timer.frameTime = 0.02f;
}

// The game's state as "name:value" words.
std::string Snapshot()
{
    std::ostringstream out;
    out << "state:" << game.state << " rotX:" << game.rotX << " rotY:" << game.rotY
        << " rotZ:" << game.rotZ << " distance:" << game.camDistance << " height:" << game.camHeight
        << " result:" << game.result << " player:" << int(game.currentPlayer)
        << " pieces:" << game.board.pieceCount << " help:" << int(game.showHelp)
        << " credits:" << int(game.showCredits) << " textureOn:" << int(game.textureOn)
        << " wireframe:" << game.wireframe << " glTexture:" << fake.enabled.count(GL_TEXTURE_2D)
        << " lines:" << (fake.polygonMode[GL_FRONT] == GL_LINE)
        << (fake.polygonMode[GL_BACK] == GL_LINE);
    return out.str();
}

// The words of Snapshot() that `change` and then `updates` frame updates alter, so
// that a failed comparison shows both sides.
std::string Changes(const std::function<void()>& change, int updates = 0)
{
    std::istringstream was(Snapshot());
    change();
    while (updates-- > 0)
        game.Update();
    std::istringstream now(Snapshot());
    std::string old, word, changed;
    while (was >> old && now >> word)
        if (old != word)
            changed += (changed.empty() ? "" : " ") + word;
    return changed;
}

// The buttons as given, a move by dy, then `turns` turns of the wheel by `delta`.
void Drag(bool left, bool right, int dy, int delta = 0, int turns = 1)
{
    DispatchEvent({left ? EVENT_BUTTON_DOWN : EVENT_BUTTON_UP, 0, 0, 0, MOUSE_LEFT, 0, 0, 0});
    DispatchEvent({right ? EVENT_BUTTON_DOWN : EVENT_BUTTON_UP, 0, 0, 0, MOUSE_RIGHT, 0, 0, 0});
    DispatchEvent({EVENT_MOUSE_MOVE, 0, 700, game.mouseY + dy, 0, 0, 0, 0});
    while (turns-- > 0)
        DispatchEvent({EVENT_WHEEL, 0, 0, 0, 0, delta, 0, 0});
}

void MoveTo(int x, int y)
{
    DispatchEvent({EVENT_MOUSE_MOVE, 0, x, y, 0, 0, 0, 0});
}

void Button(WindowEventType upOrDown)
{
    DispatchEvent({upOrDown, 0, 0, 0, MOUSE_LEFT, 0, 0, 0});
}

void Keys(std::initializer_list<int> keys)
{
    for (int key : keys)
        DispatchEvent({EVENT_KEY_DOWN, key, 0, 0, 0, 0, 0, 0});
}
} // namespace

TEST(Game, StateMachineFailsWithoutAWindowAndRunsFramesUntilEscOrAnUnknownState)
{
    Start(0);
    EXPECT_EQ(RunProgram(), 1) << "the fake platform has no window";
    EXPECT_EQ(fake.messages,
              "Error: Failed to create the window (no window in the fake platform)\n");
    EXPECT_EQ(game.state, STATE_INIT);
    fake.enabled.insert(GL_CULL_FACE);
    fakeClock.counter = 250000; // 250 ms after the timer started
    EXPECT_TRUE(game.Tick() && game.Tick() && game.state == STATE_PLAY); // Init, NewGame
    EXPECT_TRUE(game.board.size == 9 && game.board.x == -8.4f && game.board.z == -8.4f &&
                fake.textureCreates == 1 && !fake.enabled.count(GL_CULL_FACE));
    EXPECT_FLOAT_EQ(game.timer.currentTime, 250.0f);
    for (int frame = 1; frame <= 2; ++frame)
        EXPECT_TRUE(game.Tick() && fake.clears == frame && fake.swaps == frame) << frame;
    fake.escapeDown = true;
    EXPECT_TRUE(game.Tick() && game.state == STATE_QUIT && game.Tick() && !game.Tick());
    EXPECT_EQ(fake.clears + fake.swaps, 4) << "nothing drawn after Esc was seen";
    for (int state : {int(STATE_EXIT), 3, 6, -1, 100}) // N leaves even states outside the table
    {
        game.state = state;
        EXPECT_FALSE(game.Tick()) << "state " << state;
        game.result = PLAYER_GREEN;
        OnKeyDown('N');
        EXPECT_TRUE(game.Tick() && game.state == STATE_PLAY && game.result == RESULT_NONE)
            << "N in state " << state;
    }
}

TEST(Input, PlacesTurnsTogglesZoomsAndRaisesWithinItsLimits)
{
    // Two updates follow each input: a held left button finds the square it placed on
    // taken. Drags step once per move, testing the limit before the step;
    // the wheel (120 a notch) refuses a whole step that would reach or pass its limit.
    // clang-format off
    const struct { std::function<void()> input; const char* changes; } cases[] = {
        {[] { graphic.leftButton = 1; }, "player:0 pieces:1"}, // on square 0, marked at the start
        {[] { game.markedSquare = -1; graphic.leftButton = 1; }, ""},
        {[] { game.result = PLAYER_GREEN; graphic.leftButton = 1; }, "result:0"},
        {[] { game.result = RESULT_DRAW; graphic.leftButton = 1; }, "result:4"},
        {[] { graphic.leftButton = 1; game.Update(); game.markedSquare = 1; }, "pieces:2"}, // turns
        {[] { for (int i : {0, 10, 20, 30}) game.board.PlacePiece(i, PLAYER_RED);
              game.markedSquare = 40; graphic.leftButton = 1; }, "result:1 player:0 pieces:5"},
        {[] { game.mouseX = 19; graphic.leftButton = 1; }, "rotY:-8.8 player:0 pieces:1"},
        {[] { game.mouseX = game.mouseY = 20; }, ""},
        {[] { game.mouseX = 1004; game.mouseY = 748; }, ""},
        {[] { game.mouseX = 19; game.mouseY = 749; }, "rotX:8.8 rotY:-8.8"},
        {[] { game.mouseX = 1005; game.mouseY = 19; }, "rotX:-8.8 rotY:8.8"},
        {[] { Keys({'D'}); }, "rotX:-4.4"}, {[] { Keys({'E', 'E'}); }, "rotX:8.8"},
        {[] { Keys({'F'}); }, "rotY:4.4"}, {[] { Keys({'S'}); }, "rotY:-4.4"},
        {[] { Keys({'C', 'H', 'H'}); }, "credits:1"}, {[] { Keys({'N'}); }, "state:4"},
        // The next tick starts a new game that resets all this but the help.
        {[] { game.board.PlacePiece(3, PLAYER_RED); game.result = PLAYER_RED; game.showHelp = 1;
              game.rotX = game.rotY = game.rotZ = game.camDistance = game.camHeight = 40.0f;
              game.currentPlayer = PLAYER_GREEN; Keys({'N'}); game.Tick(); }, "help:1"},
        {[] { Keys({'H', 66, 88, 0, 1000, 'G', 'V', -1}); }, "help:1"},
        {[] { Keys({'T'}); }, "textureOn:0 glTexture:0"}, {[] { Keys({'T', 'T'}); }, ""},
        {[] { Keys({'W'}); }, "wireframe:1 glTexture:0 lines:11"}, {[] { Keys({'W', 'W'}); }, ""},
        {[] { Keys({'W', 'T'}); }, "textureOn:0 wireframe:1 glTexture:0 lines:11"},
        {[] { Keys({'T', 'W', 'T'}); }, "wireframe:1 lines:11"},
        {[] { Keys({'T', 'W', 'W'}); }, "textureOn:0 glTexture:0"},
        // Frames: a click between two places once, then is up; held, it places on each square.
        {[] { Button(EVENT_BUTTON_DOWN); Button(EVENT_BUTTON_UP); game.Tick();
              game.markedSquare = 1; game.Tick(); }, "player:0 pieces:1"},
        {[] { Button(EVENT_BUTTON_DOWN); Button(EVENT_BUTTON_UP); Button(EVENT_BUTTON_DOWN);
              Button(EVENT_BUTTON_UP); game.Tick(); game.Tick(); }, "player:0 pieces:1"},
        {[] { Button(EVENT_BUTTON_DOWN); for (int square : {0, 1, 2}) { game.markedSquare = square;
              game.Tick(); } }, "player:0 pieces:3"},
        {[] { Keys({27}); game.Tick(); }, "state:5"}, // Esc pressed and released meanwhile
        {[] { Drag(1, 1, 1); }, "height:19.4"},
        {[] { game.camHeight = 49.9f; Drag(1, 1, 1); }, "height:54.3"},
        {[] { game.camHeight = 50; Drag(1, 1, 80); }, "height:50"},
        {[] { game.camHeight = 0.1f; Drag(1, 1, -9); }, "height:-4.3"},
        {[] { game.camHeight = 0; Drag(1, 1, -1); }, "height:0"},
        {[] { game.camDistance = 99.9f; Drag(0, 1, 30); }, "distance:104.3"},
        {[] { game.camDistance = 100; Drag(0, 1, 1); }, "distance:100"},
        {[] { game.camDistance = 3; Drag(0, 1, -1); }, "distance:3"},
        {[] { game.camDistance = 3.1f; Drag(0, 1, -1, -120); }, "distance:-1.3"}, // drags pass 3
        {[] { game.camDistance = 3.1f; Drag(0, 1, -1, 120); }, "distance:0.7"},
        {[] { Drag(1, 1, 0); }, ""}, {[] { Drag(0, 1, 0); }, ""}, {[] { Drag(1, 0, 1); }, ""},
        {[] { Drag(0, 0, -1); }, ""},
        {[] { DispatchEvent({EVENT_MOUSE_MOVE, 0, 1024, 5, 0, 0, 0, 0}); }, ""}, // outside
        {[] { Drag(1, 1, 0); EndFrameInput(); Drag(0, 1, 1); }, "distance:19.4"}, // left up: zooms
        {[] { MoveTo(700, 500); Drag(0, 1, 0); MoveTo(700, 490); }, "distance:10.6"}, // forward
        {[] { Drag(0, 0, 0, 30); }, "distance:15.5"},
        {[] { Drag(0, 0, 0, 120, 42); }, "distance:99"},
        {[] { Drag(0, 0, 0, -120, 6); }, "distance:3"},
        {[] { game.camDistance = 4; Drag(0, 0, 0, -120); }, "distance:4"},
        {[] { game.camDistance = 98; Drag(0, 0, 0, 120); }, "distance:98"}};
    // clang-format on
    for (const auto& c : cases)
    {
        Start(2);
        EXPECT_EQ(Changes(c.input, 2), c.changes) << "case " << &c - cases;
    }
}

TEST(Game, NewGamesOverAFullBoardLeaveNoPiecesBehind)
{
    Start(2);
    long before = 0;
    for (int round = 0; round < 50; ++round)
    {
        for (int square = 0; square < 81; ++square)
            game.board.PlacePiece(square, square % 2);
        Keys({'N'});
        game.Tick();
        before = round == 0 ? fakeLiveBlocks.load() : before;
    }
    EXPECT_EQ(fakeLiveBlocks - before, 0) << "blocks kept over 49 full boards and new games";
}

TEST(Input, TheSquareOfTheNearestHitIsMarkedAndNoOther)
{
    // Selection records of four words: name count, minimum depth, maximum depth, square.
    // Depths compare unsigned, the first record wins ties, and an overflow (-1) is no hit.
    // clang-format off
    const struct { int hits; std::vector<GLuint> records; int square; } cases[] = {
        {1, {1, 7000, 9000, 10}, 10}, {1, {1, 0, 0, 11}, 11}, {1, {1, 0, 0, 11}, 11}, {0, {}, -1},
        {3, {1, 900, 900, 3, 1, 200, 950, 5, 1, 400, 400, 9}, 5},
        {3, {1, 300, 300, 4, 1, 300, 300, 2, 1, 300, 0, 1}, 4},
        {2, {1, 0x90000000u, 0, 6, 1, 0x7FFFFFFFu, 0, 8}, 8},
        {2, {1, 0x7FFFFFFFu, 0, 8, 1, 0xF0000000u, 0, 6}, 8},
        {-1, {1, 5, 5, 3, 1, 6, 6, 4}, -1}, {1, {1, 0, 0, 80}, 80}};
    // clang-format on
    Start(2);
    for (const auto& c : cases)
    {
        fake.hitRecords = c.records;
        fake.hitCount = c.hits;
        OnMouseMove(400 | 300u << 16);
        EXPECT_EQ(game.markedSquare, c.square) << "case " << &c - cases;
        for (int i = 0; i < 81; ++i)
            EXPECT_EQ(game.board.squares[i].displayState,
                      i == c.square ? SQUARE_MARKED : SQUARE_NORMAL)
                << "square " << i << " in case " << &c - cases;
    }
    EXPECT_EQ(fake.matrixDepth, 0) << "each pick pops the projection it pushed";
}

TEST(HeadsUpText, PrintsRateResultHelpOrHintAndCreditsInOrder)
{
    const std::string rate = "0,0 \n", hint = "0,25 Press H for help\n"; // no rate yet
    const std::string help = "0,25 New game: N\n0,40 Zoom: Wheel forward / backward\n"
                             "0,55 Zoom: Right Button down, mouse forward / backward\n"
                             "0,70 Rotate: Move mouse to the sides\n0,85 Rotate: S, F, D, E\n"
                             "0,100 Up/Down: Both buttons down, mouse forward / backward\n"
                             "0,115 Place piece: Left botton down when square marked by cursor\n"
                             "0,130 Texture on/off: T\n0,145 Wireframe on/off: W\n"
                             "0,160 Credits on/off: C\n";
    // Rows 70, 115 and 160 stay empty.
    const std::string credits = "873,25 Programming:\n873,40 Tarn Wickham\n873,55 Mira Holloway\n"
                                "873,85 Desing:\n873,100 Tarn Wickham\n873,130 Beta Testing:\n"
                                "873,145 Tarn Wickham\n873,175 Special Thanks To:\n"
                                "873,190 Oskar Lindqvist,\n873,205 for leting me do \n"
                                "873,220 this my own way\n";
    // clang-format off
    const struct { std::function<void()> set; std::string lines; } cases[] = {
        {[] {}, rate + hint},
        {[] { game.result = PLAYER_RED; }, rate + "432,25 The red player won!\n" + hint},
        {[] { game.result = PLAYER_GREEN; screenWidth = 640; game.showHelp = 1; },
         rate + "240,25 The green player won!\n" + help},
        {[] { game.result = RESULT_DRAW; screenWidth = 1023; game.showHelp = 1;
              game.showCredits = 1; },
         rate + "431,25 It's a draw, no one won!\n" + help + credits}};
    // clang-format on
    for (const auto& c : cases)
    {
        Start(2);
        c.set();
        game.DrawHud();
        EXPECT_EQ(fake.printed, c.lines) << "case " << &c - cases;
    }
}
