#include "platform/stdiosilencer.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int depth = 0;
int savedOut = -1;
int savedErr = -1;

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
    savedOut = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    savedErr = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
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
