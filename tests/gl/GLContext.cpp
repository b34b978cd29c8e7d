#include "tests/gl/GLContext.h"

#include "framework/OpenGL.h"
#include "tests/gl/DriverPin.h"

namespace
{
void* window = nullptr;
bool fullscreen = false;

class TestWindow : public ::testing::Environment
{
  public:
    void SetUp() override
    {
        window = graphic.CreateWin("Quorvel GL tests", 640, 480, 32, fullscreen);
        PinGlDriver();
    }
    void TearDown() override { graphic.KillWindow(window, fullscreen); }
};

// Registered before main, as gtest_main gives no other place to do it.
::testing::Environment* const testWindow = ::testing::AddGlobalTestEnvironment(new TestWindow);
} // namespace
