// A task run in the background: its result and progress reach the future, it runs on the
// pool's thread, whatever it raises becomes a result, and a task cancelled before it began
// never runs.
#include "platform/backgroundtask.h"

#include <QFutureWatcher>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

using Thrower = std::function<void()>;
Q_DECLARE_METATYPE(Thrower)

namespace {

struct Outcome
{
    int value = 0;
    QString failure;
};

QString describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return u"unbekannt"_s;
    }
}

Outcome failedWith(std::exception_ptr error)
{
    return {-1, describe(error)};
}

} // namespace

class TestBackgroundTask : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resultAndProgressOffTheCallersThread()
    {
        QThreadPool pool;
        QThread *taskThread = nullptr;
        QFutureWatcher<Outcome> watcher;
        QSignalSpy progress(&watcher, &QFutureWatcher<Outcome>::progressValueChanged);
        watcher.setFuture(runInBackground<Outcome>(
            pool,
            [&](QPromise<Outcome> &promise) {
                taskThread = QThread::currentThread();
                promise.setProgressRange(0, 3);
                promise.setProgressValue(3);
                return Outcome{42, {}};
            },
            failedWith));
        watcher.waitForFinished();
        QCOMPARE(watcher.result().value, 42);
        QVERIFY(watcher.result().failure.isEmpty());
        QVERIFY(taskThread != nullptr && taskThread != QThread::currentThread());
        QTRY_COMPARE(progress.isEmpty() ? 0 : progress.last().first().toInt(), 3);
    }

    void anyExceptionBecomesAResult_data()
    {
        QTest::addColumn<Thrower>("thrower");
        QTest::addColumn<QString>("failure");
        QTest::newRow("a standard exception")
            << Thrower([] { throw std::runtime_error("Festplatte voll"); }) << u"Festplatte voll"_s;
        QTest::newRow("out of memory") << Thrower([] { throw std::bad_alloc(); })
                                       << QString::fromUtf8(std::bad_alloc().what());
        QTest::newRow("not a standard exception") << Thrower([] { throw 7; }) << u"unbekannt"_s;
    }
    void anyExceptionBecomesAResult()
    {
        QFETCH(Thrower, thrower);
        QFETCH(QString, failure);
        QThreadPool pool;
        QFuture<Outcome> future = runInBackground<Outcome>(
            pool,
            [thrower](QPromise<Outcome> &) {
                thrower();
                return Outcome{1, {}};
            },
            failedWith);
        future.waitForFinished();
        QCOMPARE(future.resultCount(), 1);
        QCOMPARE(future.result().value, -1);
        QCOMPARE(future.result().failure, failure);
    }

    void cancelledBeforeItBeganNeverRuns()
    {
        QThreadPool pool;
        pool.setMaxThreadCount(1);
        QSemaphore release;
        QFuture<Outcome> first = runInBackground<Outcome>(
            pool,
            [&](QPromise<Outcome> &) {
                release.acquire();
                return Outcome{1, {}};
            },
            failedWith);
        bool secondRan = false;
        QFuture<Outcome> second = runInBackground<Outcome>(
            pool,
            [&](QPromise<Outcome> &) {
                secondRan = true;
                return Outcome{2, {}};
            },
            failedWith);
        second.cancel();
        release.release();
        first.waitForFinished();
        pool.waitForDone();
        QCOMPARE(first.result().value, 1);
        QVERIFY(!secondRan);
        QVERIFY(second.isCanceled());
        QCOMPARE(second.resultCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBackgroundTask)
#include "tst_backgroundtask.moc"
