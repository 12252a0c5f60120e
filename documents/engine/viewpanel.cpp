#include "documents/engine/viewpanel.h"

#include "documents/pdfviewcommands.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

ViewPanel::ViewPanel(QWidget *parent)
    : QToolBar(parent)
    , m_page(new QSpinBox(this))
    , m_count(new QLabel(this))
    , m_zoom(new QLabel(this))
{
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    addCommand(u"|◀"_s, u"Erste Seite"_s, CmdFirstPage);
    addCommand(u"◀"_s, u"Vorherige Seite"_s, CmdPreviousPage);
    m_page->setToolTip(u"Seite"_s);
    m_page->setKeyboardTracking(false);
    addWidget(m_page);
    addWidget(m_count);
    addCommand(u"▶"_s, u"Nächste Seite"_s, CmdNextPage);
    addCommand(u"▶|"_s, u"Letzte Seite"_s, CmdLastPage);
    addSeparator();
    addCommand(u"−"_s, u"Seite verkleinern"_s, CmdZoomOut);
    m_zoom->setMinimumWidth(m_zoom->fontMetrics().horizontalAdvance(u"8888 %"_s));
    m_zoom->setAlignment(Qt::AlignCenter);
    addWidget(m_zoom);
    addCommand(u"+"_s, u"Seite vergrößern"_s, CmdZoomIn);
    addCommand(u"Breite"_s, u"Seitenbreite"_s, CmdPageWidth);
    addCommand(u"Seite"_s, u"Ganze Seite"_s, CmdWholePage);
    addCommand(u"2 Seiten"_s, u"Zwei Seiten nebeneinander"_s, CmdTwoPages);
    addSeparator();
    m_print = addCommand(u"Drucken…"_s, u"Drucken"_s, CmdPrint);
    connect(m_page, &QSpinBox::valueChanged, this,
            [this](int number) { Q_EMIT pageRequested(number - 1); });
    setPage(-1, 0);
}

QAction *ViewPanel::addCommand(const QString &text, const QString &toolTip, int command)
{
    QAction *action = addAction(text);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this,
            [this, command] { Q_EMIT commandRequested(command); });
    return action;
}

void ViewPanel::setPage(int index, int count)
{
    const QSignalBlocker blocker(m_page);
    m_page->setRange(count > 0 ? 1 : 0, count);
    m_page->setValue(index + 1);
    m_page->setEnabled(count > 0);
    m_count->setText(u" / %1 "_s.arg(count));
}

void ViewPanel::setZoom(double zoom)
{
    m_zoom->setText(u"%1 %"_s.arg(qRound(zoom)));
}

void ViewPanel::setPrintAllowed(bool allowed)
{
    m_print->setEnabled(allowed);
}
