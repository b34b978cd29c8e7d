// Frame, pick, text and rule costs under the real framework. Run on a display
// at least 1920 x 1080 (the test scripts start one); every figure is best read
// as a ratio to BM_BareFrame, measured in the same run.

#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>

#include "app/Game.h"
#include "app/GameWindow.h"
#include "board/Constants.h"
#include "framework/OpenGL.h"

namespace
{
bool windowOpen = false;

// Alternates owners in pairs of columns, shifted every row: full, no five in a line.
void FillBoardWithoutFive()
{
    game.board.ClearPieces();
    for (int row = 0; row < game.board.size; ++row)
        for (int column = 0; column < game.board.size; ++column)
            game.board.PlacePiece(game.board.size * row + column,
                                  static_cast<unsigned char>((column / 2 + row) % 2));
}

void Prepare(benchmark::State& state, bool fullBoard, bool helpAndCredits)
{
    if (!windowOpen)
    {
        state.SkipWithError("no window: run on an X display");
        return;
    }
    game.NewGame();
    if (fullBoard)
        FillBoardWithoutFive();
    game.showHelp = helpAndCredits ? 1 : 0;
    game.showCredits = helpAndCredits ? 1 : 0;
}

// One frame as the game draws it, with or without the text over the scene.
void DrawFrame(bool text)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (text)
        game.Draw();
    else
        game.DrawScene();
    glFlush();
    graphic.SwapBuffers();
}

void BM_BareFrame(benchmark::State& state)
{
    Prepare(state, false, false);
    for (auto _ : state)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        graphic.SwapBuffers();
    }
}

// A frame of the board, full or empty; with the text over it or not, the help
// and credits shown or only the hint.
void BM_Frame(benchmark::State& state, bool fullBoard, bool text, bool helpAndCredits)
{
    Prepare(state, fullBoard, helpAndCredits);
    for (auto _ : state)
        DrawFrame(text);
}

// One mouse move's pick over a full board, at the middle square.
void BM_PickFullBoard(benchmark::State& state)
{
    Prepare(state, true, false);
    DrawFrame(false);
    int picked = -1;
    for (auto _ : state)
        benchmark::DoNotOptimize(picked = game.board.Pick(screenWidth / 2, screenHeight / 2));
    if (picked != 40)
        state.SkipWithError("the pick missed the middle square");
}

void BM_CheckWinnerFullBoard(benchmark::State& state)
{
    Prepare(state, true, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(game.board.CheckWinner());
    if (game.board.CheckWinner() != RESULT_DRAW)
        state.SkipWithError("the full board was expected to be a draw");
}

// Frames and picks keep the renderer's threads busy: time them by the clock on the wall.
void InWallClockMicroseconds(benchmark::internal::Benchmark* run)
{
    run->Unit(benchmark::kMicrosecond)->UseRealTime();
}

BENCHMARK(BM_BareFrame)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, EmptyBoard, false, false, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, FullBoard, true, false, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, FullBoardWithHint, true, true, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, FullBoardWithHelpAndCredits, true, true, true)
    ->Apply(InWallClockMicroseconds);
BENCHMARK(BM_PickFullBoard)->Apply(InWallClockMicroseconds);
BENCHMARK(BM_CheckWinnerFullBoard)->Unit(benchmark::kNanosecond);

double Milliseconds(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from)
        .count();
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // Measure the drawing, not the wait that keeps an unsynchronised game off a whole core.
    graphic.paceFrames = false;

    // What a player waits for: the window, the board and its texture, one frame.
    const auto start = std::chrono::steady_clock::now();
    windowOpen = CreateGameWindow();
    if (windowOpen)
    {
        game.Tick(); // Init
        game.Tick(); // NewGame
        game.Tick(); // the first frame
        glFinish();
        std::printf("Start to first frame: %.1f ms (window %d x %d)\n", Milliseconds(start),
                    screenWidth, screenHeight);

        // The software renderer builds its drawing code for each new state as it
        // first meets it, for about a second: keep that out of the first runs.
        const auto warmUp = std::chrono::steady_clock::now();
        FillBoardWithoutFive();
        game.showHelp = game.showCredits = 1;
        while (Milliseconds(warmUp) < 2000.0)
        {
            DrawFrame(true);
            DrawFrame(false);
        }
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (windowOpen)
        DestroyGameWindow();
    return windowOpen ? 0 : 1;
}
