#include "framework/sdl/BackgroundWork.h"

// A page gets threads only from a build with them, served with the headers
// that allow shared memory; this one has none.
std::launch BackgroundLaunch()
{
    return std::launch::deferred;
}
