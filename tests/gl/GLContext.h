#pragma once

#include <gtest/gtest.h>

#include "framework/System.h"

// The GL tests share one 640 x 480 window with a current, software-rendered
// context, open from before the first test to after the last. Tests that draw
// or upload derive from GLTest: skipped, with the reason, without a window.
class GLTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!HasCurrentContext())
            GTEST_SKIP() << "no GL window: set DISPLAY to a running X server";
    }
};
