#include "capturedoutput.h"

#include <unistd.h>

CapturedOutput::CapturedOutput()
{
    std::fflush(stdout);
    std::fflush(stderr);
    m_file = std::tmpfile();
    m_savedOut = ::dup(STDOUT_FILENO);
    m_savedErr = ::dup(STDERR_FILENO);
    ::dup2(fileno(m_file), STDOUT_FILENO);
    ::dup2(fileno(m_file), STDERR_FILENO);
}

CapturedOutput::~CapturedOutput()
{
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(m_savedOut, STDOUT_FILENO);
    ::dup2(m_savedErr, STDERR_FILENO);
    ::close(m_savedOut);
    ::close(m_savedErr);
    std::fclose(m_file);
}

QByteArray CapturedOutput::text()
{
    std::fflush(stdout);
    std::fflush(stderr);
    QByteArray captured;
    char buffer[4096];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fileno(m_file), buffer, sizeof buffer, at);
        if (n <= 0)
            return captured;
        captured.append(buffer, n);
        at += n;
    }
}
