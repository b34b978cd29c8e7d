#pragma once

// A stand-in platform for tests without a display: the framework's headers
// implemented over scripted state that tests set and inspect.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "framework/Events.h"

struct FakeClock
{
    bool hasCounter;
    int64_t frequency;     // counts per second
    int64_t counter;       // current counter reading
    uint32_t milliseconds; // current millisecond clock, wraps
    int64_t counterStep;   // added to the counter after every read
};
// Constant-initialised, so the static game's timer can read it.
extern FakeClock fakeClock;

struct PrintedText
{
    std::string text;
    int x, y;
};

struct FakePlatform
{
    bool windowFails = false;      // CreateWin returns null
    bool escapeDown = false;       // IsEscapeDown's answer
    bool textureLoads = false;     // CTexture::Create's answer
    int textureCreates = 0;        // calls to CTexture::Create
    int swapCount = 0;             // SwapBuffers calls
    int messageBoxes = 0;          // ShowErrorMessage calls
    std::string lastCaption;       // caption and text of the last one
    std::string lastMessage;
    bool windowOpen = false;       // between CreateWin and KillWindow
    std::deque<WindowEvent> events; // PeekEvent takes from the front
    std::vector<PrintedText> printed; // every CFont::Print since the last Reset
};
extern FakePlatform fake;

// Forgets everything scripted and recorded; the clock is left alone.
void ResetFakePlatform();

WindowEvent KeyEvent(int virtualKey);
WindowEvent MoveEvent(int x, int y);
WindowEvent ButtonEvent(int button, bool down);
WindowEvent WheelEvent(int delta);
WindowEvent QuitEvent();
