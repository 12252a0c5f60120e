#pragma once

#include <QFuture>
#include <QPromise>
#include <QThreadPool>

#include <exception>
#include <memory>

// Runs `task(promise)` on a thread of `pool`, off the UI thread, and returns the future of its
// result; the promise carries progress and tells the task when it is cancelled. Whatever the
// task raises, any exception and not only the ones it expects, becomes its result through
// `failed(exception)` on the same thread, so that the future never holds an exception, which
// reading it would raise again on the reader's thread. `failed` must not raise. A task
// cancelled before it began does not run, and its future has no result.
template<typename Result, typename Task, typename Failed>
QFuture<Result> runInBackground(QThreadPool &pool, Task task, Failed failed)
{
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    pool.start([promise, task = std::move(task), failed = std::move(failed)]() mutable {
        if (!promise->isCanceled()) {
            try {
                promise->addResult(task(*promise));
            } catch (...) {
                promise->addResult(failed(std::current_exception()));
            }
        }
        promise->finish();
    });
    return future;
}
