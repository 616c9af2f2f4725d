#include "platform/standard_streams.h"

#include <cerrno>
#include <fcntl.h>

namespace platform
{

void OpenClosedStandardStreams()
{
    for (int stream = 0; stream <= 2; ++stream) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lower numbers are open by now, so the lowest free one is this stream's. Nothing is
        // left to do where even /dev/null cannot be opened.
        open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY);
    }
}

} // namespace platform
