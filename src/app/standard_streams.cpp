// Closed standard descriptors opened on /dev/null, and whether standard output was one of them.
#include "app/standard_streams.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {
bool outputClosed = false;
} // namespace

void openClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        if (fd == STDOUT_FILENO) outputClosed = true;
        // The lowest free number is taken: this one, as the lower ones are open by now.
        ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

bool standardOutputWasClosed() {
    return outputClosed;
}
