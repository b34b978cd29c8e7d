#include <GL/gl.h>

#include <cstddef>

#include "app/Game.h"
#include "board/Constants.h"
#include "framework/OpenGL.h"

namespace
{
const int LINE_SPACING = 15; // pixels between text lines
const int TOP_ROW = 25;      // y of the result line and of the first block lines

const char* const HELP_LINES[] = {
    "New game: N",
    "Zoom: Wheel forward / backward",
    "Zoom: Right Button down, mouse forward / backward",
    "Rotate: Move mouse to the sides",
    "Rotate: S, F, D, E",
    "Up/Down: Both buttons down, mouse forward / backward",
    "Place piece: Left botton down when square marked by cursor",
    "Texture on/off: T",
    "Wireframe on/off: W",
    "Credits on/off: C",
};

// Null entries are the empty rows between the groups.
const char* const NAME_A = "Tarn Wickham";
const char* const CREDIT_LINES[] = {
    "Programming:",
    NAME_A,
    "Mira Holloway",
    nullptr,
    "Desing:",
    NAME_A,
    nullptr,
    "Beta Testing:",
    NAME_A,
    nullptr,
    "Special Thanks To:",
    "Oskar Lindqvist,",
    "for leting me do ",
    "this my own way",
};

const char* ResultText(int result)
{
    if (result == PLAYER_RED)
        return "The red player won!";
    if (result == PLAYER_GREEN)
        return "The green player won!";
    if (result == RESULT_DRAW)
        return "It's a draw, no one won!";
    return nullptr;
}

// Prints `lines` one below the other from (x, TOP_ROW); null rows stay empty.
template <size_t N> void PrintBlock(const char* const (&lines)[N], int x)
{
    graphic.font.PrintLines(lines, static_cast<int>(N), x, TOP_ROW, LINE_SPACING);
}
} // namespace

void CGame::DrawHud()
{
    graphic.Start2D();
    glColor3f(1.0f, 1.0f, 1.0f);
    graphic.font.Print(timer.GetFPSText(), 0, 0);
    if (const char* text = ResultText(result))
        graphic.font.Print(text, screenWidth / 2 - 80, TOP_ROW);
    if (showHelp == 1)
        PrintBlock(HELP_LINES, 0);
    else
        graphic.font.Print("Press H for help", 0, TOP_ROW);
    if (showCredits == 1)
        PrintBlock(CREDIT_LINES, screenWidth - 150);
    graphic.End2D();
}
