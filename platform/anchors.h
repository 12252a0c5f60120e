#pragma once

#include <QObject>

class QWidget;

// Keeps a child widget's distances to the right and bottom edges of its parent as they are
// when anchored, as anchored controls do on the platform the forms were designed for: anchored
// to the right, the child stretches with the parent's width; to the bottom, with its height.
// The left and top edges stay where they are.
class Anchors final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Anchors)

public:
    // Anchors `child` to the given edges (Qt::RightEdge, Qt::BottomEdge) of its parent.
    static void anchor(QWidget &child, Qt::Edges edges);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Anchors(QWidget &child, Qt::Edges edges);

    QWidget &m_child;
    Qt::Edges m_edges;
    int m_rightMargin;
    int m_bottomMargin;
};
