#pragma once

#include <QObject>

class DialogService;
class HeaderControl;
class KennblattListView;
class QWidget;

// The two header controls above the list: hcKopf with the column captions and sort arrows,
// which the user resizes and clicks, and hcFilter below it with the filter controls. Keeps the
// list's columns and the filter header's sections in step with hcKopf, and both headers in
// line with the list when it is scrolled sideways.
class ColumnHeaders final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnHeaders)

public:
    // Creates both headers on `panel`, which stretches with the window; the list lies below.
    ColumnHeaders(DialogService &dialogs, QWidget &panel, KennblattListView &list,
                  QObject *parent = nullptr);

    HeaderControl &kopf() const { return *hcKopf; }
    HeaderControl &filter() const { return *hcFilter; }

    // Start-up: hcKopf at the top of the panel with the list's left edge below its own, then
    // the widths of hcKopf carried over to the list and the filter header.
    void placeOnPanel();
    void carryWidthsOver();

    // The arrow of the sort order's column, blank arrows elsewhere.
    void showSortArrow(qint32 sortOrder);

    // Event handlers.
    void hcKopfResize();
    void hcKopfSectionResize(int section);
    void lvKennblaetterCustomDraw();

Q_SIGNALS:
    // A section of the filter header took a new width.
    void filterSectionResized(const HeaderControl &filterHeader, int section);

private:
    QWidget &m_panel;
    KennblattListView &m_list;
    HeaderControl *hcKopf;
    HeaderControl *hcFilter;
};
