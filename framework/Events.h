#pragma once

// A window event in the framework's own terms: the loop in app/ takes, tests
// and dispatches these without seeing the platform beneath.
enum WindowEventType
{
    EVENT_OTHER,       // nothing this program reacts to
    EVENT_QUIT,        // the window was closed: ends the message loop
    EVENT_KEY_DOWN,    // key: virtual-key code
    EVENT_MOUSE_MOVE,  // x, y: client pixels, origin top left
    EVENT_BUTTON_DOWN, // button: MOUSE_LEFT or MOUSE_RIGHT
    EVENT_BUTTON_UP,
    EVENT_WHEEL, // wheelDelta: signed, 120 per notch
    EVENT_RESIZE // width, height: new client size in pixels
};

enum MouseButton
{
    MOUSE_LEFT = 1,
    MOUSE_RIGHT = 2
};

struct WindowEvent
{
    WindowEventType type;
    int key;
    int x, y;
    int button;
    int wheelDelta;
    int width, height;
};

// Takes one pending event without blocking; false when none is pending.
bool PeekEvent(WindowEvent& event);
// True for the event that ends the message loop.
bool IsQuitEvent(const WindowEvent& event);
// Keeps graphic's button bytes current and calls its registered callbacks.
void DispatchEvent(const WindowEvent& event);
// Called as each frame is presented, after it has read the buttons and Esc:
// a left release that came while its press was unseen takes effect now.
void EndFrameInput();
// True while the platform reports Esc down at this moment.
bool IsEscapeHeld();
