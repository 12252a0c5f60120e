#pragma once

#include <QByteArray>

#include <cstdio>

// Sends descriptors 1 and 2 (so C stdio and raw writes alike) to a temporary file while it
// exists. Read text() after the code under test, and compare after the capture has ended, so
// that a failure message reaches the terminal.
class CapturedOutput
{
public:
    CapturedOutput();
    ~CapturedOutput();
    CapturedOutput(const CapturedOutput &) = delete;
    CapturedOutput &operator=(const CapturedOutput &) = delete;

    QByteArray text();

private:
    std::FILE *m_file = nullptr;
    int m_savedOut = -1;
    int m_savedErr = -1;
};
