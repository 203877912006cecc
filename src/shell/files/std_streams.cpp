#include "shell/files/std_streams.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
bool outputClosed = false;

bool isClosed(int fd) { return ::fcntl(fd, F_GETFD) == -1 && errno == EBADF; }
}  // namespace

void StdStreams::secure()
{
    // In order 0, 1, 2: open() takes the lowest free number, which is then this one.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (!isClosed(fd)) continue;
        if (fd == STDOUT_FILENO) outputClosed = true;
        ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

bool StdStreams::outputWasClosed() { return outputClosed; }

void StdStreams::say(const QString& line) { std::fprintf(stderr, "velkora: %s\n", line.toUtf8().constData()); }
