#include "platform/stdiosilencer.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int depth = 0;
int savedOut = -1;
int savedErr = -1;

// Points `fd` at `null`, keeping a copy to restore. A descriptor that cannot be copied (it is
// closed, or the process has run out of descriptors) is left alone: redirecting it without a
// copy would silence the program for good.
void silence(int &saved, int fd, int null)
{
    saved = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (saved >= 0 && ::dup2(null, fd) < 0) {
        ::close(saved);
        saved = -1;
    }
}

void restore(int &saved, int fd)
{
    if (saved < 0)
        return;
    ::dup2(saved, fd);
    ::close(saved);
    saved = -1;
}

} // namespace

StdioSilencer::StdioSilencer()
{
    if (depth++ > 0)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0)
        return;
    silence(savedOut, STDOUT_FILENO, null);
    silence(savedErr, STDERR_FILENO, null);
    ::close(null);
}

StdioSilencer::~StdioSilencer()
{
    if (--depth > 0)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    restore(savedOut, STDOUT_FILENO);
    restore(savedErr, STDERR_FILENO);
}
