#include "platform/anchors.h"

#include <QEvent>
#include <QWidget>

Anchors::Anchors(QWidget &child, Qt::Edges edges)
    : QObject(&child)
    , m_child(child)
    , m_edges(edges)
    , m_rightMargin(child.parentWidget()->width() - child.geometry().right() - 1)
    , m_bottomMargin(child.parentWidget()->height() - child.geometry().bottom() - 1)
{
    child.parentWidget()->installEventFilter(this);
}

void Anchors::anchor(QWidget &child, Qt::Edges edges)
{
    new Anchors(child, edges);
}

bool Anchors::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_child.parentWidget()) {
        const QSize parent = m_child.parentWidget()->size();
        QRect r = m_child.geometry();
        if (m_edges.testFlag(Qt::RightEdge))
            r.setRight(parent.width() - m_rightMargin - 1);
        if (m_edges.testFlag(Qt::BottomEdge))
            r.setBottom(parent.height() - m_bottomMargin - 1);
        m_child.setGeometry(r);
    }
    return false;
}
