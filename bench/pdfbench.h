#pragma once

#include "platform/dialogservice.h"
#include "silentdialogs.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>

class TPDFView;

// What the benchmarks of the PDF engine share.
namespace PdfBench {

// Watches the engine's page view of a control: which pages were painted with their final
// rendering, which were rendered at all, and when.
class PaintWatcher final : public QObject
{
    Q_OBJECT

public:
    explicit PaintWatcher(TPDFView &view);
    bool attached() const { return m_attached; }

    // Forgets what happened and starts the clock.
    void restart();
    // Waits until the page is painted (or, with `renderedIsEnough`, rendered even if it could
    // not be drawn); false after `timeoutMs`. The time is then that of the event.
    bool wait(int page, int timeoutMs, bool renderedIsEnough = false);
    double elapsedMs() const { return m_elapsedMs; }

public Q_SLOTS:
    void painted(int page);
    void rendered(int page);

private:
    bool m_attached = false;
    QElapsedTimer m_clock;
    QHash<int, double> m_paintedAt; // page, milliseconds since restart()
    QHash<int, double> m_renderedAt;
    double m_elapsedMs = 0.0;
};

// Prints "label: min / median / max ms (n runs)".
void printFigures(const char *label, QList<double> milliseconds);

} // namespace PdfBench
