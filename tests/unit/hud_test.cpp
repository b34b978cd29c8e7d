#include <gtest/gtest.h>

#include <cstring>

#include "tests/unit/GameReset.h"

namespace
{
// What was printed, one "x,y text" line each, so that a failure shows both sides.
std::string Printed()
{
    std::string lines;
    for (const PrintedText& line : fake.printed)
        lines += std::to_string(line.x) + "," + std::to_string(line.y) + " " + line.text + "\n";
    return lines;
}

const std::string HELP = "0,25 New game: N\n0,40 Zoom: Wheel forward / backward\n"
                         "0,55 Zoom: Right Button down, mouse forward / backward\n"
                         "0,70 Rotate: Move mouse to the sides\n0,85 Rotate: S, F, D, E\n"
                         "0,100 Up/Down: Both buttons down, mouse forward / backward\n"
                         "0,115 Place piece: Left botton down when square marked by cursor\n"
                         "0,130 Texture on/off: T\n0,145 Wireframe on/off: W\n"
                         "0,160 Credits on/off: C\n";

// The credits column at x; rows 70, 115 and 160 stay empty.
std::string Credits(int x)
{
    const char* rows[] = {"25 Programming:",      "40 Tarn Wickham",
                          "55 Mira Holloway",     "85 Desing:",
                          "100 Tarn Wickham",     "130 Beta Testing:",
                          "145 Tarn Wickham",     "175 Special Thanks To:",
                          "190 Oskar Lindqvist,", "205 for leting me do ",
                          "220 this my own way"};
    std::string lines;
    for (const char* row : rows)
        lines += std::to_string(x) + "," + row + "\n";
    return lines;
}
} // namespace

TEST(HeadsUpText, PrintsRateResultHelpOrHintAndCreditsInOrder)
{
    const std::string rate = "0,0 FPS:   50.00 \n", hint = "0,25 Press H for help\n";
    // clang-format off
    const struct { int result, width; unsigned char help, credits; std::string lines; } cases[] = {
        {RESULT_NONE, 1024, 0, 0, rate + hint},
        {PLAYER_RED, 1024, 0, 0, rate + "432,25 The red player won!\n" + hint},
        {PLAYER_GREEN, 640, 1, 0, rate + "240,25 The green player won!\n" + HELP},
        {RESULT_DRAW, 1023, 0, 1, rate + "431,25 It's a draw, no one won!\n" + hint + Credits(873)},
        {RESULT_NONE, 640, 1, 1, rate + HELP + Credits(490)},
    };
    // clang-format on
    for (const auto& c : cases)
    {
        ResetGame();
        std::strcpy(game.timer.fpsText, "FPS:   50.00 ");
        game.result = c.result;
        game.showHelp = c.help;
        game.showCredits = c.credits;
        screenWidth = c.width;
        game.DrawHud();
        EXPECT_EQ(Printed(), c.lines) << "result " << c.result << ", width " << c.width;
    }
}
