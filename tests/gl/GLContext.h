#pragma once

#include <gtest/gtest.h>

// The GL tests share one 640 x 480 window with a current, software-rendered
// context, opened once before the first test and closed after the last.

// True while the shared context is current.
bool TestWindowOpen();

// Base for tests that draw or upload: skipped, with the reason, when no
// window could be opened (no display).
class GLTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!TestWindowOpen())
            GTEST_SKIP() << "no GL window could be opened: set DISPLAY to a running X server, "
                            "or SDL_VIDEODRIVER=offscreen to run without one";
    }
};
