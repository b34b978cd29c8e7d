#include <gtest/gtest.h>

#include "app/GameWindow.h"
#include "app/Program.h"
#include "tests/unit/GameReset.h"

namespace
{
struct GameTest : ::testing::Test
{
    void SetUp() override { ResetGame(); }
};
} // namespace

TEST_F(GameTest, InitThenNewGameThenFrames)
{
    nullGL.enabled.insert(GL_CULL_FACE);
    fakeClock.counter = 250000; // 250 ms after the timer started
    ASSERT_TRUE(game.Tick());
    EXPECT_EQ(game.state, STATE_NEWGAME);
    EXPECT_TRUE(graphic.keyCallback == OnKeyDown && graphic.mouseMoveCallback == OnMouseMove &&
                graphic.wheelCallback == OnMouseWheel);
    EXPECT_EQ(graphic.keyCallbackSet + graphic.mouseMoveCallbackSet + graphic.wheelCallbackSet, 3);
    EXPECT_TRUE(game.board.size == 9 && game.board.x == -8.4f && game.board.z == -8.4f);
    EXPECT_EQ(fake.textureCreates, 1);
    EXPECT_EQ(nullGL.enabled.count(GL_CULL_FACE), 0u);
    EXPECT_FLOAT_EQ(game.timer.currentTime, 250.0f) << "the first frame is timed from Init";

    game.board.PlacePiece(3, PLAYER_RED); // a game won by red with the camera turned
    game.rotX = game.rotY = game.rotZ = game.camDistance = game.camHeight = 40.0f;
    game.result = PLAYER_RED;
    game.currentPlayer = PLAYER_GREEN;
    game.showHelp = 1;
    const std::string before = Snapshot();
    ASSERT_TRUE(game.Tick());
    EXPECT_EQ(ChangedSince(before),
              "state:1 rotX:0 rotY:0 rotZ:0 distance:15 height:15 result:-1 player:1 pieces:0");
    for (int frame = 1; frame <= 2; ++frame)
        EXPECT_TRUE(game.Tick() && nullGL.clears == frame && fake.swapCount == frame) << frame;
    EXPECT_EQ(game.state, STATE_PLAY);
}

TEST_F(GameTest, EscDrawsNothingAndTheLoopEndsTwoTicksLater)
{
    game.Tick();
    game.Tick();
    fake.escapeDown = true;
    EXPECT_TRUE(game.Tick());
    EXPECT_EQ(game.state, STATE_QUIT);
    EXPECT_TRUE(game.Tick());
    EXPECT_FALSE(game.Tick());
    EXPECT_EQ(nullGL.clears + fake.swapCount, 0) << "nothing drawn after Esc was seen";
}

TEST_F(GameTest, NStartsANewGameFromAnyStateAndUnknownStatesEndTheLoop)
{
    game.Tick();
    for (int state : {int(STATE_PLAY), int(STATE_QUIT), int(STATE_EXIT), 3, 100})
    {
        game.state = state;
        game.result = PLAYER_GREEN;
        OnKeyDown('N');
        EXPECT_TRUE(game.Tick() && game.state == STATE_PLAY && game.result == RESULT_NONE)
            << "N in state " << state;
    }
    for (int state : {int(STATE_EXIT), 3, 6, -1, 100})
    {
        game.state = state;
        EXPECT_FALSE(game.Tick()) << "state " << state;
    }
    EXPECT_EQ(nullGL.clears, 0);
}

TEST_F(GameTest, RunProgramEndsOnQuitOrEscAndFailsWithoutAWindow)
{
    fake.events = {KeyEvent('H'), QuitEvent(), KeyEvent('C')};
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(fake.events.size(), 1u) << "the loop ends when it takes the quit event";
    EXPECT_TRUE(!fake.windowOpen && gameWindow == nullptr) << "the window is destroyed";
    fake.escapeDown = true;
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(game.state == STATE_EXIT && game.board.size == 9 && !fake.windowOpen);

    ResetGame();
    fake.windowFails = true;
    EXPECT_EQ(RunProgram(), 1);
    EXPECT_EQ(fake.lastCaption + ": " + fake.lastMessage, "Error: Failed to create the window");
    EXPECT_TRUE(fake.messageBoxes == 1 && game.state == STATE_INIT && fake.textureCreates == 0)
        << "one message, and Init never runs";
}
