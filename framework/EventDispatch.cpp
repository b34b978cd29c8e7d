#include <cstdint>

#include "framework/Events.h"
#include "framework/OpenGL.h"
#include "framework/System.h"

namespace
{
// Button flags passed with the wheel, as the platform's own messages carry them.
const unsigned int FLAG_LEFT_BUTTON = 0x0001;
const unsigned int FLAG_RIGHT_BUTTON = 0x0002;

const int KEY_ESCAPE = 27; // virtual-key code

// The game reads the left button once a frame: a press and its release that
// both come between two frames must still be seen by the next one, so the
// release of an unseen press waits for EndFrameInput.
void SetLeftButton(unsigned char down)
{
    if (down)
    {
        graphic.leftButton = 1;
        graphic.leftPressUnseen = true;
        graphic.leftReleaseWaiting = false;
    }
    else if (graphic.leftPressUnseen)
    {
        graphic.leftReleaseWaiting = true;
    }
    else
    {
        graphic.leftButton = 0;
    }
}

void SetButton(int button, unsigned char down)
{
    if (button == MOUSE_LEFT)
        SetLeftButton(down);
    else if (button == MOUSE_RIGHT)
        graphic.rightButton = down;
}

bool InsideClientArea(int x, int y)
{
    return x >= 0 && y >= 0 && x < screenWidth && y < screenHeight && x <= 0xFFFF && y <= 0xFFFF;
}

unsigned int PackWheelDelta(int delta)
{
    if (delta > INT16_MAX)
        delta = INT16_MAX;
    if (delta < INT16_MIN)
        delta = INT16_MIN;
    return static_cast<unsigned int>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16;
}
} // namespace

void DispatchEvent(const WindowEvent& event)
{
    switch (event.type)
    {
    case EVENT_KEY_DOWN:
        if (event.key == KEY_ESCAPE)
            graphic.escapePressUnseen = true;
        if (graphic.keyCallbackSet && graphic.keyCallback)
            graphic.keyCallback(event.key);
        break;
    case EVENT_MOUSE_MOVE:
        if (graphic.mouseMoveCallbackSet && graphic.mouseMoveCallback &&
            InsideClientArea(event.x, event.y))
            graphic.mouseMoveCallback(static_cast<unsigned int>(event.x) |
                                      static_cast<unsigned int>(event.y) << 16);
        break;
    case EVENT_BUTTON_DOWN:
        SetButton(event.button, 1);
        break;
    case EVENT_BUTTON_UP:
        SetButton(event.button, 0);
        break;
    case EVENT_WHEEL:
        if (graphic.wheelCallbackSet && graphic.wheelCallback)
        {
            const unsigned int buttons = (graphic.leftButton ? FLAG_LEFT_BUTTON : 0u) |
                                         (graphic.rightButton ? FLAG_RIGHT_BUTTON : 0u);
            graphic.wheelCallback(buttons, PackWheelDelta(event.wheelDelta));
        }
        break;
    case EVENT_RESIZE:
        graphic.ResizeScene(event.width, event.height);
        if (graphic.sizeCallbackSet && graphic.sizeCallback)
            graphic.sizeCallback();
        break;
    case EVENT_QUIT:
    case EVENT_OTHER:
        break;
    }
}

void EndFrameInput()
{
    if (graphic.leftReleaseWaiting)
        graphic.leftButton = 0;
    graphic.leftPressUnseen = false;
    graphic.leftReleaseWaiting = false;
    graphic.escapePressUnseen = false;
}

bool IsEscapeDown()
{
    return graphic.escapePressUnseen || IsEscapeHeld();
}

bool IsQuitEvent(const WindowEvent& event)
{
    return event.type == EVENT_QUIT;
}
