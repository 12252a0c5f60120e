#pragma once

#include <QAbstractButton>

struct RecordRestriction;

// The lasting sign beside "Filter löschen" that the list shows only the data sheets a
// full-text search found: the query and the number of rows, in the colours of the row count,
// the whole sentence in its tool tip. A click asks to lift the restriction (clicked()).
// Hidden while there is none. It takes the room from its left edge to its parent's right
// edge, at most what its text needs; a query too long for that is shortened with "…".
class RestrictionCue final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RestrictionCue)

public:
    explicit RestrictionCue(QWidget *parent = nullptr);

    void showRestriction(const RecordRestriction *restriction, int rows);
    // Its left edge on the parent; the width follows from the room there.
    void place(int left);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString label(int width) const;
    void fitWidth();

    QString m_query;
    QString m_count;
    int m_left = 0;
};
