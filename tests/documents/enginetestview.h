#pragma once

#include "documents/pdfview.h"

#include <QAbstractScrollArea>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// A shown control with the real engine, and a look inside the engine's window where a test
// has to click or wait for painting.
class EngineTestView
{
public:
    explicit EngineTestView(TPDFView::TPDFViewOptions options = {},
                            TPDFView::TPDFSecurityOptions security = {})
    {
        view.resize(643, 611);
        view.setViewOptions(options);
        view.setSecurityOptions(security);
        view.setViewControls(TPDFView::pvHorzScrollBar | TPDFView::pvVertScrollBar);
        view.show();
    }

    // The engine's page view: the widget that takes the keys.
    QAbstractScrollArea *pages() const
    {
        QWidget *engine = view.focusProxy();
        return engine != nullptr ? qobject_cast<QAbstractScrollArea *>(engine->focusProxy())
                                 : nullptr;
    }

    // Waits until the page (index from 0) has been painted with its final rendering.
    bool waitForPainted(int page)
    {
        QAbstractScrollArea *area = pages();
        if (area == nullptr)
            return false;
        const QMetaObject *meta = area->metaObject();
        QSignalSpy painted(area, meta->method(meta->indexOfSignal("pagePainted(int)")));
        area->viewport()->update();
        return QTest::qWaitFor(
            [&] {
                for (const QList<QVariant> &arguments : std::as_const(painted)) {
                    if (arguments.first().toInt() == page)
                        return true;
                }
                return false;
            },
            10000);
    }

    TPDFView view;
};
