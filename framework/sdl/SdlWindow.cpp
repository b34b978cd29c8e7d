#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <future>
#include <string>

#include "framework/Events.h"
#include "framework/OpenGL.h"
#include "framework/sdl/BackgroundWork.h"
#include "framework/sdl/ContextVersion.h"
#include "framework/sdl/FocusRefusal.h"
#include "framework/sdl/FramePacing.h"
#include "framework/sdl/FullScreenState.h"
#include "framework/sdl/GlyphAtlas.h"
#include "framework/sdl/SeatlessWayland.h"
#include "framework/sdl/StartErrors.h"
#include "framework/sdl/WindowIdentity.h"

namespace
{
// The framework's one window and its context; null while closed.
SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
bool videoStarted = false;
// Why the last CreateWin failed, as SDL or the X server put it.
std::string windowFailure;
// Why SDL's Wayland driver was left out of this start, if it was: part of the
// reason should the start fail.
std::string waylandLeftOut;

// Frames are paced by vsync where the driver offers it. Where it does not (a
// software renderer on a virtual display, say), or its swaps do not wait after
// all, SwapBuffers sleeps until the next frame is due at the display's refresh
// rate, or at 60 a second where the display reports none: frames no display
// shows would only take the CPU.
const int FALLBACK_FRAMES_PER_SECOND = 60;
bool vsync = false; // the driver took a swap interval of 1
FramePacing pacing;
Uint64 framePeriod = 0; // performance-counter ticks between frames
Uint64 nextFrame = 0;   // when the next frame is due; 0 before the first

// The refresh rate of the display the window is on, in frames a second.
int FramesPerSecond()
{
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    return FALLBACK_FRAMES_PER_SECOND;
}

// Each frame is due one period after the one before, so that rounding the
// sleep to whole milliseconds does not slow the rate; a late frame starts the
// count afresh rather than being followed by a hurried one.
void WaitForFrameTime()
{
    const Uint64 now = SDL_GetPerformanceCounter();
    if (nextFrame > now)
    {
        SDL_Delay(static_cast<Uint32>((nextFrame - now) * 1000 / SDL_GetPerformanceFrequency()));
        nextFrame += framePeriod;
    }
    else
    {
        nextFrame = now + framePeriod;
    }
}

// With QUORVEL_QUIT_AFTER_FIRST_FRAME set in the environment, the first swap
// writes "first frame" to standard output and asks the game to quit as if the
// window were closed: how the benchmark times the start.
bool quitAfterFirstFrame = false;

void EndAfterFirstFrame()
{
    quitAfterFirstFrame = false;
    std::puts("first frame");
    std::fflush(stdout);
    SDL_Event quit;
    SDL_zero(quit);
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

// Used when the requested windowed size is not a size at all.
const int DEFAULT_WIDTH = 1024;
const int DEFAULT_HEIGHT = 768;

// The platform's kind of context for this program's fixed-function GL 1.1.
void RequestContextAttributes(int bpp)
{
    SDL_GL_ResetAttributes();
    RequestContextVersion();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    const bool lowColour = bpp > 0 && bpp <= 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, lowColour ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, lowColour ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, lowColour ? 5 : 8);
}

// The windowed size to ask for: the requested one, or a default when that is
// not positive, never larger than the desktop's usable area.
void FitWindowedSize(int& width, int& height)
{
    if (width <= 0 || height <= 0)
    {
        width = DEFAULT_WIDTH;
        height = DEFAULT_HEIGHT;
    }
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0)
    {
        width = std::min(width, usable.w);
        height = std::min(height, usable.h);
    }
}

void CloseWindow()
{
    if (context)
        SDL_GL_DeleteContext(context);
    context = nullptr;
    if (window)
        SDL_DestroyWindow(window);
    window = nullptr;
}

// Opens a window with a current context; false (nothing left open) if either
// fails. `desktopFullscreen` becomes false where full screen could not even be
// asked for.
bool OpenWindow(const char* title, int width, int height, bool& desktopFullscreen)
{
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
    // Full screen is also asked for borderless: a window manager that maps the
    // window before it honours the full-screen state (fluxbox while it starts,
    // say) would otherwise frame it under a title bar, pushing its bottom rows
    // off the screen. A windowed window keeps its frame. It is shown once its
    // full-screen state is set.
    if (desktopFullscreen)
        flags |= SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    window = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              width, height, flags);
    if (window)
        SetGameIcon(window);
    if (window && desktopFullscreen)
    {
        if (!SetFullScreenBeforeShowing(window))
            desktopFullscreen = SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
        SDL_ShowWindow(window);
    }
    if (window)
        context = SDL_GL_CreateContext(window);
    if (!context || SDL_GL_MakeCurrent(window, context) != 0)
    {
        CloseWindow();
        return false;
    }
    return true;
}

// SDL falls back to its windowless drivers when no display can be had; a game
// nobody can see is no window. They serve only when asked for by name
// (SDL_VIDEODRIVER), as a test run without a display may do.
bool ShowsOnADisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver)
        return false;
    const bool windowless =
        SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    return !windowless || (requested && SDL_strcasecmp(requested, driver) == 0);
}

void SetInitialState()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The heads-up text's glyphs, rasterised on a thread of their own while the
// window opens (SDL's window and the GL driver take far longer); taken by
// CreateWin, or dropped by a failed start. Dropping it waits for the thread.
std::future<GlyphAtlas> glyphs;

// Ends a start that got no window: notes why, and closes whatever was opened.
void* FailToStart(const char* reason)
{
    // Before SDL_Quit: the glyphs' thread uses SDL.
    glyphs = {};
    windowFailure = reason && *reason ? reason : "no reason given";
    CloseWindow();
    StopCatchingStartErrors();
    if (videoStarted)
    {
        StopToleratingFocusRefusal();
        SDL_Quit();
        videoStarted = false;
    }
    return nullptr;
}
} // namespace

void* COpenGL::CreateWin(const char* title, int width, int height, int bpp, bool& fullscreen)
{
    if (window)
        return window;
    windowFailure.clear();
    waylandLeftOut.clear();
    NameWindowsAfterDesktopEntry();
    std::string whyNotWayland;
    if (!KeepOffSeatlessWayland(whyNotWayland))
        return FailToStart(whyNotWayland.c_str());
    waylandLeftOut = whyNotWayland;
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return FailToStart(SDL_GetError());
    videoStarted = true;
    if (!ShowsOnADisplay())
    {
        const char* driver = SDL_GetCurrentVideoDriver();
        const std::string reason =
            std::string("no display to open a window on; SDL started only its ") +
            (driver ? driver : "no") + " video driver";
        return FailToStart(reason.c_str());
    }
    // Run at once where a thread can be had, otherwise when they are taken.
    glyphs = std::async(BackgroundLaunch(), RasteriseGlyphAtlas);
    StartToleratingFocusRefusal();
    StartCatchingStartErrors();

    RequestContextAttributes(bpp);
    FitWindowedSize(width, height);
    // Full screen at the desktop's own mode, so the display is never switched.
    // The window is made at the desktop's size too: where nothing honours the
    // full-screen request (an X server without a window manager) it still
    // covers the screen, and its size matches what SDL reports.
    SDL_DisplayMode desktop;
    const bool haveDesktop =
        SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0;
    bool opened = fullscreen && OpenWindow(title, haveDesktop ? desktop.w : width,
                                           haveDesktop ? desktop.h : height, fullscreen);
    fullscreen = opened && fullscreen;
    if (opened && !fullscreen)
        SDL_SetWindowBordered(window, SDL_TRUE);
    if (!opened && !OpenWindow(title, width, height, fullscreen))
        return FailToStart(SDL_GetError());
    // Any X error so far means the window or its context may not work.
    if (const char* error = CaughtStartError(window))
        return FailToStart(error);
    StopCatchingStartErrors();

    vsync = SDL_GL_SetSwapInterval(1) == 0 && SDL_GL_GetSwapInterval() != 0;
    pacing = FramePacing();
    framePeriod = SDL_GetPerformanceFrequency() / FramesPerSecond();
    nextFrame = 0;
    quitAfterFirstFrame = SDL_getenv("QUORVEL_QUIT_AFTER_FIRST_FRAME") != nullptr;
    // Keys arrive as key-down events; no text input, no input method.
    SDL_StopTextInput();
    SetInitialState();

    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    ResizeScene(drawableWidth, drawableHeight);

    // The game runs without text when no font can be had.
    font.Load(glyphs.get());
    return window;
}

// `handle` is what CreateWin returned (or null); the framework has one window.
void COpenGL::KillWindow(void* handle, bool& fullscreen)
{
    (void)handle;
    if (context)
    {
        SDL_GL_MakeCurrent(window, context);
        font.Release();
    }
    CloseWindow();
    if (videoStarted)
    {
        StopToleratingFocusRefusal();
        SDL_Quit();
        videoStarted = false;
    }
    fullscreen = false;
}

const char* COpenGL::WindowFailure() const
{
    return windowFailure.c_str();
}

void COpenGL::SwapBuffers()
{
    EndFrameInput();
    if (!window)
        return;
    if (paceFrames && pacing.MustPace(vsync))
        WaitForFrameTime();
    SDL_GL_SwapWindow(window);
    if (vsync)
        pacing.Swapped(SDL_GetPerformanceCounter(), framePeriod);
    if (quitAfterFirstFrame)
        EndAfterFirstFrame();
}
