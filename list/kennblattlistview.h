#pragma once

#include <QTreeView>

// The report-style list: whole rows, several marked at once, grid lines, no own header
// (the header controls above it carry captions and filters), marking visible without focus.
class KennblattListView final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KennblattListView)

public:
    explicit KennblattListView(QWidget *parent = nullptr);

    // The marked rows in list order.
    QList<int> markedRows() const;

Q_SIGNALS:
    // Enter pressed while the list has the focus.
    void enterPressed();
    // A double click anywhere on the list, on a row or not.
    void listDoubleClicked();
    // The copy key (Ctrl+C) pressed while the list has the focus.
    void copyRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
