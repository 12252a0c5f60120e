#pragma once

#include "list/sortarrows.h"

#include <QHeaderView>
#include <QStandardItemModel>

// A row of header sections that is not attached to a view: the list keeps its columns in
// step with it. Each section has its own minimum width (QHeaderView knows only one) and
// may carry one of the sort-arrow images.
class HeaderControl final : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeaderControl)

public:
    static constexpr int MaximumSectionWidth = 10000;

    struct Section
    {
        QString caption;
        int width = 50;
        int minimumWidth = 0;
        bool hasImage = false; // reserves the image space, showing the blank image
    };

    explicit HeaderControl(const QList<Section> &sections, QWidget *parent = nullptr);

    int sectionMinimumWidth(int section) const;
    // The left edge of a section: the sum of the widths before it.
    int sectionLeft(int section) const;

    // The caption as the section shows it at its width.
    QString shownCaption(int section) const;

    void setSectionImage(int section, SortArrow arrow);
    // The arrow a section shows; Blank also for a section without image space.
    SortArrow sectionImage(int section) const;

Q_SIGNALS:
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;
    // A caption that does not fit ends in "…", with the room of the section's image taken off.
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;

private:
    int clampedWidth(int section, int width) const;

    QStandardItemModel m_sections;
    QList<SortArrow> m_images;
};
