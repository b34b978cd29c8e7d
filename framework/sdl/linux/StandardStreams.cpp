#include "framework/StandardStreams.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

// POSIX: open() takes the lowest free number, which is the closed one as long
// as those below it are open, and they are checked in order.
bool OpenStandardStreams()
{
    for (int stream = 0; stream <= 2; ++stream)
    {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = open("/dev/null", O_RDWR);
        if (opened != stream)
        {
            if (opened >= 0)
                close(opened);
            return false;
        }
    }
    return true;
}
