#include <SDL.h>

#include <cmath>

#include "framework/Events.h"

namespace
{
// Windows virtual-key codes for the keys whose meaning does not depend on the
// layout, and the US layout's punctuation keys.
struct KeyCode
{
    SDL_Keycode sym;
    int virtualKey;
};

// clang-format off
const KeyCode KEY_CODES[] = {
    {SDLK_BACKSPACE, 8},    {SDLK_TAB, 9},           {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},    {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},       {SDLK_RCTRL, 17},        {SDLK_LALT, 18},
    {SDLK_RALT, 18},        {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},      {SDLK_SPACE, 32},        {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},    {SDLK_END, 35},          {SDLK_HOME, 36},
    {SDLK_LEFT, 37},        {SDLK_UP, 38},           {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},        {SDLK_PRINTSCREEN, 44},  {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},      {SDLK_LGUI, 91},         {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93}, {SDLK_KP_0, 96},         {SDLK_KP_1, 97},
    {SDLK_KP_2, 98},        {SDLK_KP_3, 99},         {SDLK_KP_4, 100},
    {SDLK_KP_5, 101},       {SDLK_KP_6, 102},        {SDLK_KP_7, 103},
    {SDLK_KP_8, 104},       {SDLK_KP_9, 105},        {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},    {SDLK_KP_MINUS, 109},    {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},  {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186},  {SDLK_EQUALS, 187},      {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},      {SDLK_PERIOD, 190},      {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},  {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};
// clang-format on

const int VK_F1 = 112;

// The virtual-key code of a key, or 0 when it has none. Letters and digits
// follow the layout's character; where the layout puts a non-Latin character
// on a letter or digit key, the key's position decides, as on Windows.
int VirtualKey(const SDL_Keysym& key)
{
    const SDL_Keycode sym = key.sym;
    if (sym >= SDLK_a && sym <= SDLK_z)
        return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12)
        return VK_F1 + (sym - SDLK_F1);
    for (const KeyCode& code : KEY_CODES)
    {
        if (code.sym == sym)
            return code.virtualKey;
    }
    const SDL_Scancode scancode = key.scancode;
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return '0';
    return 0;
}

// Converts window coordinates to drawable pixels, which differ on high-density
// displays; screenWidth and the viewport are in drawable pixels.
void ToDrawablePixels(Uint32 windowId, int& x, int& y)
{
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    if (!window)
        return;
    int windowWidth = 0;
    int windowHeight = 0;
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    if (windowWidth > 0 && windowHeight > 0 && drawableWidth > 0 && drawableHeight > 0 &&
        (windowWidth != drawableWidth || windowHeight != drawableHeight))
    {
        x = static_cast<int>(static_cast<int64_t>(x) * drawableWidth / windowWidth);
        y = static_cast<int>(static_cast<int64_t>(y) * drawableHeight / windowHeight);
    }
}

// Wheel units not yet passed on: a smooth-scrolling wheel may turn by less
// than one unit (1/120 notch) at a time.
float wheelRemainder = 0.0f;

int WheelDelta(const SDL_MouseWheelEvent& wheel)
{
    float units = wheel.preciseY * 120.0f;
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
        units = -units;
    wheelRemainder += units;
    const float whole = std::round(wheelRemainder);
    wheelRemainder -= whole;
    return static_cast<int>(whole);
}

int Button(Uint8 sdlButton)
{
    if (sdlButton == SDL_BUTTON_LEFT)
        return MOUSE_LEFT;
    if (sdlButton == SDL_BUTTON_RIGHT)
        return MOUSE_RIGHT;
    return 0;
}

void Translate(const SDL_Event& in, WindowEvent& out)
{
    switch (in.type)
    {
    case SDL_QUIT:
        out.type = EVENT_QUIT;
        break;
    case SDL_KEYDOWN:
        out.key = VirtualKey(in.key.keysym);
        if (out.key != 0)
            out.type = EVENT_KEY_DOWN;
        break;
    case SDL_MOUSEMOTION:
        out.type = EVENT_MOUSE_MOVE;
        out.x = in.motion.x;
        out.y = in.motion.y;
        ToDrawablePixels(in.motion.windowID, out.x, out.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.button = Button(in.button.button);
        if (out.button != 0)
            out.type = in.type == SDL_MOUSEBUTTONDOWN ? EVENT_BUTTON_DOWN : EVENT_BUTTON_UP;
        break;
    case SDL_MOUSEWHEEL:
        out.wheelDelta = WheelDelta(in.wheel);
        if (out.wheelDelta != 0)
            out.type = EVENT_WHEEL;
        break;
    case SDL_WINDOWEVENT:
        if (in.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        {
            SDL_Window* window = SDL_GetWindowFromID(in.window.windowID);
            if (!window)
                break;
            SDL_GL_GetDrawableSize(window, &out.width, &out.height);
            out.type = EVENT_RESIZE;
        }
        break;
    default:
        break;
    }
}
} // namespace

bool PeekEvent(WindowEvent& event)
{
    SDL_Event sdlEvent;
    if (!SDL_WasInit(SDL_INIT_VIDEO) || SDL_PollEvent(&sdlEvent) == 0)
        return false;
    event = WindowEvent{};
    event.type = EVENT_OTHER;
    Translate(sdlEvent, event);
    return true;
}
