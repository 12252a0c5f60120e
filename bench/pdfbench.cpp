#include "pdfbench.h"

#include "documents/pdfview.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMetaMethod>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace PdfBench {

PaintWatcher::PaintWatcher(TPDFView &view)
{
    // The engine's window and its page view are the focus proxies of the control.
    QWidget *engine = view.focusProxy();
    auto *pages =
        engine != nullptr ? qobject_cast<QAbstractScrollArea *>(engine->focusProxy()) : nullptr;
    if (pages == nullptr)
        return;
    const QMetaObject *source = pages->metaObject();
    const QMetaObject *target = metaObject();
    m_attached = connect(pages, source->method(source->indexOfSignal("pagePainted(int)")), this,
                         target->method(target->indexOfSlot("painted(int)"))) &&
                 connect(pages, source->method(source->indexOfSignal("renderFinished(int)")), this,
                         target->method(target->indexOfSlot("rendered(int)")));
}

void PaintWatcher::restart()
{
    m_paintedAt.clear();
    m_renderedAt.clear();
    m_elapsedMs = 0.0;
    m_clock.start();
}

void PaintWatcher::painted(int page)
{
    if (!m_paintedAt.contains(page))
        m_paintedAt.insert(page, double(m_clock.nsecsElapsed()) / 1e6);
}

void PaintWatcher::rendered(int page)
{
    if (!m_renderedAt.contains(page))
        m_renderedAt.insert(page, double(m_clock.nsecsElapsed()) / 1e6);
}

bool PaintWatcher::wait(int page, int timeoutMs, bool renderedIsEnough)
{
    const QDeadlineTimer deadline(timeoutMs);
    const auto done = [&] {
        return m_paintedAt.contains(page) || (renderedIsEnough && m_renderedAt.contains(page));
    };
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (!done())
        return false;
    m_elapsedMs = m_paintedAt.contains(page) ? m_paintedAt.value(page) : m_renderedAt.value(page);
    return true;
}

void printFigures(const char *label, QList<double> milliseconds)
{
    if (milliseconds.isEmpty()) {
        std::printf("%-58s no runs\n", label);
        return;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%-58s %8.1f / %8.1f / %8.1f ms  (min/median/max, %lld runs)\n", label,
                milliseconds.first(), milliseconds.at(milliseconds.size() / 2), milliseconds.last(),
                static_cast<long long>(milliseconds.size()));
}

} // namespace PdfBench
