#pragma once

#include "framework/Font.h"

// The window, its GL context and the raw input state. One instance: `graphic`.
// Outside the framework's own calls the model-view matrix is current.
class COpenGL
{
  public:
    COpenGL();

    // Callback slots, each with a flag byte that is 1 once the slot is filled.
    // (1) the window's client area changed size; no arguments.
    void (*sizeCallback)();
    unsigned char sizeCallbackSet;
    // (2) one call per key-down, auto-repeats included: the virtual-key code,
    // letters as upper-case codes ('A' = 65), Esc 27.
    void (*keyCallback)(int virtualKey);
    unsigned char keyCallbackSet;
    // (3) every movement over the client area: x in the low and y in the high
    // 16 bits, client pixels, origin top left, y downwards.
    void (*mouseMoveCallback)(unsigned int packed);
    unsigned char mouseMoveCallbackSet;
    // (4) every wheel turn: the first argument holds the button flags, the
    // second the signed delta in its high 16 bits, 120 per notch.
    void (*wheelCallback)(unsigned int buttons, unsigned int wheelWord);
    unsigned char wheelCallbackSet;

    CFont font;

    // Projection as stored by SetPerspective: degrees, scene units.
    float fieldOfView;
    float zNear;
    float zFar;

    // 1 while the button is down, else 0; kept current by DispatchEvent. A
    // left press stays 1 until a frame has been presented, however soon it is
    // released: a click shorter than a frame is seen by one frame.
    unsigned char leftButton;
    unsigned char rightButton;
    // Presses no frame has seen yet: the left button's (its release waits
    // while this is set) and Esc's. Cleared by EndFrameInput.
    bool leftPressUnseen;
    bool leftReleaseWaiting;
    bool escapePressUnseen;

    // Where the driver offers no vsync, SwapBuffers waits so that frames come
    // at most at the display's refresh rate (60 a second where it reports
    // none); false swaps at once (for measuring).
    bool paceFrames;

    // Opens the window with a current, double-buffered GL context with a depth
    // buffer, depth testing and 2D texturing on. Full screen at the desktop's
    // resolution when `fullscreen` is true and it can be had; otherwise a
    // width x height window, and `fullscreen` becomes false. Returns the
    // window handle, null on failure.
    void* CreateWin(const char* title, int width, int height, int bpp, bool& fullscreen);
    // Why CreateWin last returned null, in the platform's words; "" after a
    // success.
    const char* WindowFailure() const;
    // Stores the projection and applies it to the current viewport.
    void SetPerspective(float fov, float nearPlane, float farPlane);
    // Releases the font, the context and the window; safe to call twice.
    void KillWindow(void* window, bool& fullscreen);
    // Presents the back buffer.
    void SwapBuffers();
    // Updates screenWidth, screenHeight, the viewport and the projection to a
    // client area of width x height pixels; a zero size is allowed.
    void ResizeScene(int width, int height);
    // Between these two, text draws in window pixels, origin top left, in the
    // current colour, whatever the 3D state; End2D restores every GL state
    // Start2D changed, the 3D matrices included.
    void Start2D();
    void End2D();
};

extern COpenGL graphic;

// Window size in pixels and colour depth to request; after CreateWin and every
// resize the first two hold the current client size.
extern int screenWidth;
extern int screenHeight;
extern int screenBpp;
