#include <gtest/gtest.h>

#include <vector>

#include "tests/unit/GameReset.h"

namespace
{
struct InputTest : ::testing::Test
{
    // A new game on the 9 x 9 board, its callbacks registered, frames of 0.02 s:
    // a step of 220 x 0.02 = 4.4 degrees or scene units.
    void SetUp() override
    {
        ResetGame();
        game.Tick();
        game.Tick();
        game.timer.frameTime = 0.02f;
    }
};
} // namespace

TEST_F(InputTest, LeftButtonPlacesOnTheMarkedFreeSquareWhileUndecided)
{
    // clang-format off
    const struct { unsigned char left; int result, marked; const char* changes; } cases[] = {
        {1, RESULT_NONE, 40, "player:0 pieces:1"}, {0, RESULT_NONE, 40, ""},
        {1, PLAYER_GREEN, 40, ""}, {1, PLAYER_RED, 40, ""}, {1, RESULT_DRAW, 40, ""},
        {1, RESULT_NONE, -1, ""}};
    // clang-format on
    for (const auto& c : cases)
    {
        game.result = c.result;
        game.markedSquare = c.marked;
        graphic.leftButton = c.left;
        const std::string before = Snapshot();
        game.Update();
        game.Update(); // the held button finds the square taken
        EXPECT_EQ(ChangedSince(before), c.changes) << "result " << c.result << ", on " << c.marked;
        game.board.ClearPieces();
        game.currentPlayer = PLAYER_RED;
    }
    for (int column = 0; column < 4; ++column)
        game.board.PlacePiece(column, PLAYER_RED);
    game.markedSquare = 4; // red's fifth in row 0: the turn passes before the win is found
    const std::string before = Snapshot();
    game.Update();
    EXPECT_EQ(ChangedSince(before), "result:1 player:0 pieces:5");
}

TEST_F(InputTest, TurnsWhileTheStoredMouseIsWithin20PixelsOfAnEdge)
{
    // clang-format off
    const struct { int x, y; const char* changes; } cases[] = {
        {19, 300, "rotY:-4.4"}, {20, 300, ""}, {1005, 300, "rotY:4.4"}, {1004, 300, ""},
        {500, 19, "rotX:-4.4"}, {500, 20, ""}, {500, 749, "rotX:4.4"}, {500, 748, ""},
        {0, 767, "rotX:4.4 rotY:-4.4"}, {1023, 0, "rotX:-4.4 rotY:4.4"}};
    // clang-format on
    for (const auto& c : cases)
    {
        game.rotX = game.rotY = 0.0f;
        game.mouseX = c.x;
        game.mouseY = c.y;
        const std::string before = Snapshot();
        game.Update();
        EXPECT_EQ(ChangedSince(before), c.changes) << "mouse at " << c.x << "," << c.y;
    }
}

TEST_F(InputTest, KeysTurnToggleAndRequestANewGame)
{
    // clang-format off
    const struct { std::vector<int> keys; const char* changes; } cases[] = {
        {{'D'}, "rotX:-4.4"}, {{'E', 'E'}, "rotX:8.8"}, {{'F'}, "rotY:4.4"}, {{'S'}, "rotY:-4.4"},
        {{'C'}, "credits:1"}, {{'C', 'H', 'H'}, "credits:1"}, {{'N'}, "state:4"},
        {{'H', 66, 88, 0, 1000, 'G', 'V', -1}, "help:1"},
        {{'T'}, "textureOn:0 glTexture:0"}, {{'T', 'T'}, ""},
        {{'W'}, "wireframe:1 glTexture:0 lines:11"}, {{'W', 'W'}, ""},
        {{'W', 'T'}, "textureOn:0 wireframe:1 glTexture:0 lines:11"},
        {{'T', 'W', 'T'}, "wireframe:1 lines:11"}, {{'T', 'W', 'W'}, "textureOn:0 glTexture:0"}};
    // clang-format on
    for (const auto& c : cases)
    {
        SetUp();
        const std::string before = Snapshot();
        for (int key : c.keys)
            OnKeyDown(key);
        EXPECT_EQ(ChangedSince(before), c.changes) << c.keys.size() << " keys from " << c.keys[0];
    }
}

TEST_F(InputTest, DragsAndTheWheelZoomAndRaiseWithinTheirLimits)
{
    // Drags step once per move, testing the limit before the step; the wheel
    // (120 a notch) refuses a whole step that would reach or pass its limit.
    // clang-format off
    const struct { bool left, right; float distance, height; int dy, wheel, turns; const char* to; }
    cases[] = {
        {1, 1, 15, 49.9f, 1, 0, 0, "height:54.3"}, {1, 1, 15, 50, 80, 0, 0, ""},
        {1, 1, 15, 0.1f, -9, 0, 0, "height:-4.3"}, {1, 1, 15, 0, -1, 0, 0, ""},
        {0, 1, 99.9f, 15, 30, 0, 0, "distance:104.3"}, {0, 1, 100, 15, 1, 0, 0, ""},
        {0, 1, 3.1f, 15, -1, -120, 1, "distance:-1.3"}, // a drag leaves it below 3
        {0, 1, 3.1f, 15, -1, 120, 1, "distance:0.7"},
        {0, 1, 3, 15, -1, 0, 0, ""}, {1, 1, 15, 15, 0, 0, 0, ""}, {0, 1, 15, 15, 0, 0, 0, ""},
        {1, 0, 15, 15, 1, 0, 0, ""}, {0, 0, 15, 15, -1, 0, 0, ""},
        {0, 0, 15, 15, 0, -120, 6, "distance:3"}, {0, 0, 15, 15, 0, -120, 7, "distance:3"},
        {0, 0, 15, 15, 0, 120, 42, "distance:99"}, {0, 0, 15, 15, 0, 120, 43, "distance:99"},
        {0, 0, 15, 15, 0, 30, 1, "distance:15.5"}};
    // clang-format on
    for (const auto& c : cases)
    {
        game.camDistance = c.distance;
        game.camHeight = c.height;
        const std::string before = Snapshot();
        DispatchEvent(ButtonEvent(MOUSE_LEFT, c.left));
        DispatchEvent(ButtonEvent(MOUSE_RIGHT, c.right));
        DispatchEvent(MoveEvent(700, game.mouseY + c.dy)); // packed x low, y high
        for (int turn = 0; turn < c.turns; ++turn)
            DispatchEvent(WheelEvent(c.wheel)); // signed, in the high 16 bits
        EXPECT_EQ(ChangedSince(before), c.to)
            << "from " << c.distance << "," << c.height << " dy " << c.dy << " wheel " << c.wheel;
    }
}

TEST_F(InputTest, OnlyTheSquareUnderTheCursorIsMarked)
{
    for (int hit : {10, 11, 11, -1, 80})
    {
        nullGL.hitRecords = {1, 100, 100, static_cast<uint32_t>(hit)};
        nullGL.hitCount = hit < 0 ? 0 : 1;
        OnMouseMove(400 | 300u << 16);
        EXPECT_EQ(game.markedSquare, hit);
        for (int i = 0; i < 81; ++i)
            EXPECT_EQ(game.board.squares[i].displayState, i == hit ? SQUARE_MARKED : SQUARE_NORMAL)
                << "square " << i << " after a pick of " << hit;
    }
    EXPECT_EQ(nullGL.projectionDepth, 0) << "each pick pops the projection it pushed";
}
