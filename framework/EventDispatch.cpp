#include <cstdint>

#include "framework/Events.h"
#include "framework/OpenGL.h"

namespace
{
// Button flags passed with the wheel, as the platform's own messages carry them.
const unsigned int FLAG_LEFT_BUTTON = 0x0001;
const unsigned int FLAG_RIGHT_BUTTON = 0x0002;

void SetButton(int button, unsigned char down)
{
    if (button == MOUSE_LEFT)
        graphic.leftButton = down;
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

bool IsQuitEvent(const WindowEvent& event)
{
    return event.type == EVENT_QUIT;
}
