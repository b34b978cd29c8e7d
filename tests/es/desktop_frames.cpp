// The compared frames drawn by desktop GL, written raw to standard output for
// the browser layer's test to compare with its own. Exit status 77 without a
// window.

#include <cstdio>

#include "framework/OpenGL.h"
#include "tests/es/ComparedFrames.h"
#include "tests/gl/DriverPin.h"

int main()
{
    bool fullscreen = false;
    void* window = graphic.CreateWin("Quorvel frames", FRAME_WIDTH, FRAME_HEIGHT, 32, fullscreen);
    if (!window || screenWidth != FRAME_WIDTH || screenHeight != FRAME_HEIGHT)
        return 77;
    PinGlDriver();
    game.board.Create(9, -8.4f, 0.0f, -8.4f);
    game.NewGame();
    std::vector<unsigned char> pixels;
    for (int frame = 0; frame < COMPARED_FRAMES; ++frame)
    {
        DrawComparedFrame(frame, glReadPixels, pixels);
        std::fwrite(pixels.data(), 1, pixels.size(), stdout);
    }
    graphic.KillWindow(window, fullscreen);
    return 0;
}
