#include "framework/sdl/BackgroundWork.h"

// Threads are there; should one fail to start, libstdc++ runs the work deferred.
std::launch BackgroundLaunch()
{
    return std::launch::async | std::launch::deferred;
}
