#include "tests/fake/FakePlatform.h"

#include "framework/Clock.h"
#include "framework/Font.h"
#include "framework/OpenGL.h"
#include "framework/System.h"
#include "framework/Texture.h"

FakeClock fakeClock = {true, 1000000, 0, 0, 0};
FakePlatform fake;

void ResetFakePlatform()
{
    fake = FakePlatform();
}

WindowEvent KeyEvent(int virtualKey)
{
    WindowEvent event{};
    event.type = EVENT_KEY_DOWN;
    event.key = virtualKey;
    return event;
}

WindowEvent MoveEvent(int x, int y)
{
    WindowEvent event{};
    event.type = EVENT_MOUSE_MOVE;
    event.x = x;
    event.y = y;
    return event;
}

WindowEvent ButtonEvent(int button, bool down)
{
    WindowEvent event{};
    event.type = down ? EVENT_BUTTON_DOWN : EVENT_BUTTON_UP;
    event.button = button;
    return event;
}

WindowEvent WheelEvent(int delta)
{
    WindowEvent event{};
    event.type = EVENT_WHEEL;
    event.wheelDelta = delta;
    return event;
}

WindowEvent QuitEvent()
{
    WindowEvent event{};
    event.type = EVENT_QUIT;
    return event;
}

bool QueryPerformanceFrequency(int64_t* frequency)
{
    *frequency = fakeClock.hasCounter ? fakeClock.frequency : 0;
    return fakeClock.hasCounter;
}

bool QueryPerformanceCounter(int64_t* count)
{
    *count = fakeClock.counter;
    fakeClock.counter += fakeClock.counterStep;
    return fakeClock.hasCounter;
}

uint32_t timeGetTime()
{
    return fakeClock.milliseconds;
}

bool IsEscapeDown()
{
    return fake.escapeDown;
}

void ShowErrorMessage(const char* caption, const char* text)
{
    ++fake.messageBoxes;
    fake.lastCaption = caption;
    fake.lastMessage = text;
}

bool HasCurrentContext()
{
    return fake.windowOpen;
}

bool PeekEvent(WindowEvent& event)
{
    if (fake.events.empty())
        return false;
    event = fake.events.front();
    fake.events.pop_front();
    return true;
}

void* COpenGL::CreateWin(const char*, int width, int height, int, bool& fullscreen)
{
    if (fake.windowFails)
        return nullptr;
    fake.windowOpen = true;
    fullscreen = false;
    ResizeScene(width, height);
    return &fake;
}

void COpenGL::KillWindow(void*, bool& fullscreen)
{
    fake.windowOpen = false;
    fullscreen = false;
}

void COpenGL::SwapBuffers()
{
    ++fake.swapCount;
}

CTexture::CTexture() : id(0)
{
}

CTexture::~CTexture()
{
}

bool CTexture::Create(const char*)
{
    ++fake.textureCreates;
    return fake.textureLoads;
}

void CTexture::Release()
{
    id = 0;
}

CFont::CFont() : texture(0), lineHeight(0), glyphs()
{
}

CFont::~CFont()
{
}

bool CFont::Load()
{
    return false;
}

void CFont::Release()
{
}

void CFont::Print(const char* text, int x, int y)
{
    fake.printed.push_back(PrintedText{text ? text : "", x, y});
}
