#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "system/standard_output.hpp"

namespace velquist {

TFileDescriptor StandardStreamFile(TStandardStream stream) {
    const int fd = stream == TStandardStream::Output ? STDOUT_FILENO : STDERR_FILENO;
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return fd;
    // Closed: /dev/null takes the number, so that a file opened later does not.
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0 && null != fd) {
        ::dup2(null, fd);
        ::close(null);
    }
    return NoFileDescriptor;
}

int ClosedStreamErrorNumber() { return EBADF; }

}  // namespace velquist
