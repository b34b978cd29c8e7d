#include "tests/gl/GLContext.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

#include "framework/OpenGL.h"

namespace
{
void* window = nullptr;
bool fullscreen = false;

// Keeps every loaded Mesa driver (*_dri.so) mapped until the process ends.
// Closing the display unloads it, and LeakSanitizer, which looks at exit,
// could then not name the library behind the driver's own leaks (Mesa's
// selection mode leaks a buffer per context), so tests/lsan.supp could not
// suppress them by name.
int PinDriver(dl_phdr_info* info, size_t, void*)
{
    const char* name = info->dlpi_name;
    const size_t length = name ? std::strlen(name) : 0;
    if (length > 7 && std::strcmp(name + length - 7, "_dri.so") == 0)
        dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

class TestWindow : public ::testing::Environment
{
  public:
    void SetUp() override
    {
        fullscreen = false;
        window = graphic.CreateWin("Quorvel GL tests", 640, 480, 32, fullscreen);
        dl_iterate_phdr(PinDriver, nullptr);
    }

    void TearDown() override
    {
        graphic.KillWindow(window, fullscreen);
        window = nullptr;
    }
};

// Registered before main, as gtest_main gives no other place to do it.
::testing::Environment* const testWindow = ::testing::AddGlobalTestEnvironment(new TestWindow);
} // namespace

bool TestWindowOpen()
{
    return window != nullptr;
}
