#include "list/restrictioncue.h"

#include "list/recordrestriction.h"
#include "list/sheetcount.h"

#include <QEvent>
#include <QLocale>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int Padding = 5;
constexpr int GapToParentEdge = 2;
constexpr QStringView Cross = u"\u00d7"; // the click that lifts it

} // namespace

RestrictionCue::RestrictionCue(QWidget *parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    if (parent != nullptr)
        parent->installEventFilter(this);
    hide();
}

void RestrictionCue::showRestriction(const RecordRestriction *restriction, int rows)
{
    if (restriction == nullptr) {
        m_query.clear();
        hide();
        return;
    }
    m_query = restriction->query;
    m_count = QLocale(QLocale::German).toString(rows);
    setToolTip(u"Die Liste zeigt nur Kennblätter, die die Volltextsuche nach '%1' gefunden hat: "
               "%2.\nEin Klick hebt diese Einschränkung auf; die übrigen Filter bleiben."_s.arg(
                   m_query, sheetCount(rows)));
    setAccessibleName(label(QWIDGETSIZE_MAX));
    fitWidth();
    show();
    update();
}

void RestrictionCue::place(int left)
{
    m_left = left;
    fitWidth();
}

QString RestrictionCue::label(int width) const
{
    const QString before = u"Volltext '"_s;
    const QString after = u"': "_s + m_count + u' ' + Cross;
    const QFontMetrics metrics = fontMetrics();
    const int room = width - 2 * Padding - metrics.horizontalAdvance(before + after);
    return before + metrics.elidedText(m_query, Qt::ElideRight, std::max(room, 0)) + after;
}

QSize RestrictionCue::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(label(QWIDGETSIZE_MAX)) + 2 * Padding + 1,
            fontMetrics().height() + 4};
}

void RestrictionCue::fitWidth()
{
    const int room = parentWidget() != nullptr ? parentWidget()->width() - m_left - GapToParentEdge
                                               : sizeHint().width();
    setGeometry(m_left, y(), std::max(0, std::min(sizeHint().width(), room)), height());
}

bool RestrictionCue::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fitWidth();
    return QAbstractButton::eventFilter(watched, event);
}

void RestrictionCue::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::ParentChange && parentWidget() != nullptr)
        parentWidget()->installEventFilter(this);
}

void RestrictionCue::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    painter.fillRect(rect(), colours.color(isDown() ? QPalette::Dark : QPalette::Highlight));
    painter.setPen(colours.color(QPalette::HighlightedText));
    painter.drawText(rect().adjusted(Padding, 0, -Padding, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     label(width()));
}
