// Frame, pick, text and rule costs under the real framework. Run on a display
// at least 1920 x 1080 (the test scripts start one); every figure is best read
// as a ratio to BM_BareFrame, measured in the same run.

#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Game.h"
#include "app/GameWindow.h"
#include "bench/PairedRatio.h"
#include "bench/ReferenceScene.h"
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

void SetUpBoard(bool fullBoard, bool helpAndCredits)
{
    game.NewGame();
    if (fullBoard)
        FillBoardWithoutFive();
    game.showHelp = helpAndCredits ? 1 : 0;
    game.showCredits = helpAndCredits ? 1 : 0;
}

void Prepare(benchmark::State& state, bool fullBoard, bool helpAndCredits)
{
    if (!windowOpen)
        state.SkipWithError("no window: run on an X display");
    else
        SetUpBoard(fullBoard, helpAndCredits);
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

void DrawReferenceFrame(const CReferenceScene& reference)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    reference.Draw();
    glFlush();
    graphic.SwapBuffers();
}

// The back buffer's pixels after `draw` on a cleared screen, RGB rows from the bottom.
template <typename Draw> std::vector<unsigned char> DrawnPixels(Draw draw)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    draw();
    std::vector<unsigned char> pixels(size_t(screenWidth) * screenHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screenWidth, screenHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Pixels of the game's scene and the reference's that differ by more than
// rounding in any channel.
int PixelsApart(const CReferenceScene& reference)
{
    const std::vector<unsigned char> drawn = DrawnPixels([] { game.DrawScene(); });
    const std::vector<unsigned char> yardstick = DrawnPixels([&] { reference.Draw(); });
    int apart = 0;
    for (size_t i = 0; i < drawn.size(); i += 3)
    {
        bool differs = false;
        for (size_t channel = i; channel < i + 3; ++channel)
            differs = differs || std::abs(drawn[channel] - yardstick[channel]) > 2;
        apart += differs;
    }
    return apart;
}

// The frame's yardstick: the same board in one glDrawArrays, colours in the
// array, and no text. Skipped unless it draws the game's picture.
void BM_ReferenceFrame(benchmark::State& state, bool fullBoard)
{
    Prepare(state, fullBoard, false);
    CReferenceScene reference;
    reference.Build();
    if (windowOpen)
    {
        const int apart = PixelsApart(reference);
        state.counters["pixels_apart"] = apart;
        if (apart > screenWidth * screenHeight / 1000)
            state.SkipWithError("the reference does not draw the game's board");
    }
    for (auto _ : state)
        DrawReferenceFrame(reference);
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

// Frames and picks keep the renderer's threads busy: time them by the clock on
// the wall, and give as CPU time that of the whole process, the renderer's
// threads included.
void InWallClockMicroseconds(benchmark::internal::Benchmark* run)
{
    run->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime();
}

BENCHMARK(BM_BareFrame)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, EmptyBoard, false, false, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, EmptyBoardWithHint, false, true, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, FullBoard, true, false, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, FullBoardWithHint, true, true, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_Frame, FullBoardWithHelpAndCredits, true, true, true)
    ->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_ReferenceFrame, EmptyBoard, false)->Apply(InWallClockMicroseconds);
BENCHMARK_CAPTURE(BM_ReferenceFrame, FullBoard, true)->Apply(InWallClockMicroseconds);
BENCHMARK(BM_PickFullBoard)->Apply(InWallClockMicroseconds);
BENCHMARK(BM_CheckWinnerFullBoard)->Unit(benchmark::kNanosecond);

void PrintRatio(const char* what, const PairedRatio& ratio)
{
    std::printf("  %-44s process CPU %.3f (%.2f / %.2f ms), thread CPU %.3f (%.3f / %.3f ms), "
                "wall %.3f\n",
                what, ratio.process, ratio.measuredProcessMs, ratio.yardstickProcessMs,
                ratio.thread, ratio.measuredThreadMs, ratio.yardstickThreadMs, ratio.wall);
}

// The game's frame, with the frame rate and the hint over the board, and its
// scene alone, each against the reference; and the frame against its scene
// alone, the cost of the text. Empty board and full.
void ReportRatiosToReference(int pairs)
{
    const int FRAMES_PER_RUN = 30;
    std::printf("Medians of %d interleaved pairs of %d-frame runs (measured / yardstick):\n", pairs,
                FRAMES_PER_RUN);
    for (const bool fullBoard : {false, true})
    {
        SetUpBoard(fullBoard, false);
        CReferenceScene reference;
        reference.Build();
        if (PixelsApart(reference) > screenWidth * screenHeight / 1000)
        {
            std::printf("  the reference does not draw the game's board: no ratios\n");
            return;
        }
        const auto frame = [] { DrawFrame(true); };
        const auto scene = [] { DrawFrame(false); };
        const auto yardstick = [&] { DrawReferenceFrame(reference); };
        const char* const board = fullBoard ? "full board" : "empty board";
        char what[3][64];
        std::snprintf(what[0], sizeof what[0], "%s, frame with text / reference:", board);
        std::snprintf(what[1], sizeof what[1], "%s, frame without text / reference:", board);
        std::snprintf(what[2], sizeof what[2], "%s, frame with / without text:", board);
        PrintRatio(what[0], MeasurePairedRatio(frame, yardstick, pairs, FRAMES_PER_RUN));
        PrintRatio(what[1], MeasurePairedRatio(scene, yardstick, pairs, FRAMES_PER_RUN));
        PrintRatio(what[2], MeasurePairedRatio(frame, scene, pairs, FRAMES_PER_RUN));
    }
}

double Milliseconds(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from)
        .count();
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // --pairs=N: pairs of runs for the ratios to the reference; 0 skips them.
    int pairs = 11;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--pairs=", 8) == 0)
            pairs = std::atoi(argv[i] + 8);
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
    if (windowOpen && pairs > 0)
        ReportRatiosToReference(pairs);
    if (windowOpen)
        DestroyGameWindow();
    return windowOpen ? 0 : 1;
}
