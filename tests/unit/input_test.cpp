#include <gtest/gtest.h>

#include <vector>

#include "board/Piece.h"
#include "tests/unit/GameReset.h"

namespace
{
const float STEP = 220.0f * 0.02f; // one turn or drag step at a 0.02 s frame

struct InputTest : ::testing::Test
{
    void SetUp() override
    {
        ResetGame();
        game.Tick(); // init: callbacks and the 9 x 9 board
        game.Tick(); // new game
        game.timer.frameTime = 0.02f;
    }
};
} // namespace

TEST_F(InputTest, LeftButtonPlacesWhileUndecidedAndTheTurnPassesBeforeTheResult)
{
    // clang-format off
    const struct { unsigned char left; int result, marked, pieces; } cases[] = {
        {1, RESULT_NONE, 40, 1}, {0, RESULT_NONE, 40, 0}, {1, PLAYER_GREEN, 40, 0},
        {1, PLAYER_RED, 40, 0}, {1, RESULT_DRAW, 40, 0}, {1, RESULT_NONE, -1, 0}};
    // clang-format on
    for (const auto& c : cases)
    {
        game.board.ClearPieces();
        game.currentPlayer = PLAYER_RED;
        game.result = c.result;
        game.markedSquare = c.marked;
        graphic.leftButton = c.left;
        game.Update();
        game.Update(); // the held button finds the square taken
        EXPECT_EQ(game.board.pieceCount, c.pieces) << "result " << c.result << ", on " << c.marked;
        EXPECT_EQ(game.currentPlayer, c.pieces ? PLAYER_GREEN : PLAYER_RED) << "on " << c.marked;
    }
    for (int column = 0; column < 4; ++column)
        game.board.PlacePiece(column, PLAYER_RED);
    game.markedSquare = 4; // red's fifth in row 0
    game.Update();
    ASSERT_TRUE(game.board.squares[4].piece && game.board.squares[4].piece->owner == PLAYER_RED);
    EXPECT_EQ(game.result, PLAYER_RED);
    EXPECT_EQ(game.currentPlayer, PLAYER_GREEN) << "the turn passes before the win is found";
}

TEST_F(InputTest, TurnsWhileTheStoredMouseIsWithin20PixelsOfAnEdge)
{
    // clang-format off
    const struct { int x, y; float turnY, turnX; } cases[] = { // turns in steps
        {19, 300, -1, 0}, {20, 300, 0, 0}, {1005, 300, 1, 0}, {1004, 300, 0, 0}, {500, 19, 0, -1},
        {500, 20, 0, 0}, {500, 749, 0, 1}, {500, 748, 0, 0}, {0, 767, -1, 1}, {1023, 0, 1, -1}};
    // clang-format on
    for (const auto& c : cases)
    {
        game.rotX = game.rotY = 0.0f;
        game.mouseX = c.x;
        game.mouseY = c.y;
        game.Update();
        EXPECT_FLOAT_EQ(game.rotY, c.turnY * STEP) << "at " << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(game.rotX, c.turnX * STEP) << "at " << c.x << "," << c.y;
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

TEST_F(InputTest, DragsStepOncePerMoveWithLimitsTestedBeforeTheStep)
{
    // clang-format off
    const struct { bool left, right; float distance, height; int dy; float toDistance, toHeight; } cases[] = {
        {1, 1, 15, 49.9f, 1, 15, 54.3f}, {1, 1, 15, 50, 80, 15, 50}, {1, 1, 15, 0.1f, -9, 15, -4.3f},
        {1, 1, 15, 0, -1, 15, 0}, {0, 1, 99.9f, 15, 30, 104.3f, 15}, {0, 1, 100, 15, 1, 100, 15},
        {0, 1, 3.1f, 15, -1, -1.3f, 15}, {0, 1, 3, 15, -1, 3, 15}, {1, 1, 15, 15, 0, 15, 15},
        {0, 1, 15, 15, 0, 15, 15}, {1, 0, 15, 15, 1, 15, 15}, {0, 0, 15, 15, -1, 15, 15}};
    // clang-format on
    for (const auto& c : cases)
    {
        game.camDistance = c.distance;
        game.camHeight = c.height;
        DispatchEvent(ButtonEvent(MOUSE_LEFT, c.left));
        DispatchEvent(ButtonEvent(MOUSE_RIGHT, c.right));
        DispatchEvent(MoveEvent(700, 300 + c.dy)); // packed x low, y high
        EXPECT_TRUE(game.mouseX == 700 && game.mouseY == 300 + c.dy)
            << game.mouseX << "," << game.mouseY;
        EXPECT_FLOAT_EQ(game.camDistance, c.toDistance) << "from " << c.distance << ", dy " << c.dy;
        EXPECT_FLOAT_EQ(game.camHeight, c.toHeight) << "from " << c.height << ", dy " << c.dy;
        DispatchEvent(MoveEvent(700, 300));
    }
}

TEST_F(InputTest, WheelStepsAreRefusedWholeAtTheLimits)
{
    // clang-format off
    const struct { float from; int delta, turns; float to; } cases[] = {
        {15, -120, 6, 3}, {15, -120, 7, 3}, {15, 120, 42, 99}, {15, 120, 43, 99}, {15, 30, 1, 15.5f},
        {-1.3f, -120, 1, -1.3f}, {-1.3f, 120, 1, 0.7f}}; // a drag may leave it below 3
    // clang-format on
    for (const auto& c : cases)
    {
        game.camDistance = c.from;
        for (int turn = 0; turn < c.turns; ++turn)
            DispatchEvent(WheelEvent(c.delta)); // signed, in the high 16 bits
        EXPECT_FLOAT_EQ(game.camDistance, c.to)
            << c.turns << " x " << c.delta << " from " << c.from;
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
    EXPECT_TRUE(nullGL.projectionDepth == 0 && nullGL.matrixMode == GL_MODELVIEW);
}
