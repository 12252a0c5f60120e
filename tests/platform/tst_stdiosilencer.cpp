#include "platform/stdiosilencer.h"

#include <QTest>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Sends descriptors 1 and 2 to a temporary file for the test's duration.
class Capture
{
public:
    Capture()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        m_file = std::tmpfile();
        m_out = ::dup(STDOUT_FILENO);
        m_err = ::dup(STDERR_FILENO);
        ::dup2(fileno(m_file), STDOUT_FILENO);
        ::dup2(fileno(m_file), STDERR_FILENO);
    }
    ~Capture()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(m_out, STDOUT_FILENO);
        ::dup2(m_err, STDERR_FILENO);
        ::close(m_out);
        ::close(m_err);
        std::fclose(m_file);
    }
    Capture(const Capture &) = delete;
    Capture &operator=(const Capture &) = delete;

    QByteArray text()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        QByteArray captured(4096, '\0');
        const ssize_t n = ::pread(fileno(m_file), captured.data(), std::size_t(captured.size()), 0);
        captured.resize(n > 0 ? n : 0);
        return captured;
    }

private:
    std::FILE *m_file = nullptr;
    int m_out = -1;
    int m_err = -1;
};

// Every way libmdb writes: buffered stdout, stderr, the descriptor itself.
void writeAll(const char *tag)
{
    std::printf("%s-out ", tag);
    std::fprintf(stderr, "%s-err ", tag);
    const QByteArray raw = QByteArray(tag) + "-raw ";
    (void)::write(STDERR_FILENO, raw.constData(), std::size_t(raw.size()));
}

} // namespace

class TestStdioSilencer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void silencesAndRestores()
    {
        QByteArray captured;
        {
            Capture capture;
            std::printf("pending "); // still in stdout's buffer when the silencer starts
            {
                const StdioSilencer outer;
                writeAll("a");
                {
                    const StdioSilencer inner;
                    writeAll("b");
                }
                writeAll("c"); // the inner one ending must not end the silence
            }
            writeAll("d");
            captured = capture.text();
        }
        // stdout is fully buffered into a file, so its text may come last.
        for (const char *expected : {"pending ", "d-out ", "d-err ", "d-raw "})
            QVERIFY2(captured.contains(expected), captured.constData());
        QCOMPARE(captured.size(), qsizetype(std::strlen("pending d-out d-err d-raw ")));
    }

    // Without a descriptor left to keep the real output in, the silencer must leave the
    // output alone rather than lose it for the rest of the run.
    void outOfDescriptors()
    {
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
        QByteArray captured;
        bool limited = false;
        {
            Capture capture;
            const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            ::close(lowestFree);
            rlimit tight = saved;
            tight.rlim_cur = rlim_t(lowestFree) + 1; // room for /dev/null, none for a copy
            limited = lowestFree >= 0 && ::setrlimit(RLIMIT_NOFILE, &tight) == 0;
            {
                const StdioSilencer quiet;
                writeAll("a");
            }
            ::setrlimit(RLIMIT_NOFILE, &saved);
            writeAll("b");
            captured = capture.text();
        }
        QVERIFY(limited);
        for (const char *expected : {"b-out ", "b-err ", "b-raw "})
            QVERIFY2(captured.contains(expected), captured.constData());
    }
};

QTEST_GUILESS_MAIN(TestStdioSilencer)
#include "tst_stdiosilencer.moc"
