#include "framework/StandardStreams.h"

// On Windows a handle the program opens never takes the place of a missing
// standard stream: without a console the C library's streams stay closed and
// writes to them fail harmlessly (Report.h keeps a log instead).
bool OpenStandardStreams()
{
    return true;
}
