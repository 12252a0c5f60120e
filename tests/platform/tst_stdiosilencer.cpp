#include "platform/stdiosilencer.h"

#include "capturedoutput.h"

#include <QTest>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

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
            CapturedOutput capture;
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
            CapturedOutput capture;
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
