#include "framework/StandardStreams.h"

// Emscripten's streams 0, 1 and 2 are the page's console from the start, and
// the files it opens never take their numbers.
bool OpenStandardStreams()
{
    return true;
}
