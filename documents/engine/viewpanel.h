#pragma once

#include <QToolBar>

class QLabel;
class QSpinBox;

// The engine's own small toolbar: paging, the page number, zoom and fit, printing. Its buttons
// ask for the same commands the control sends.
class ViewPanel final : public QToolBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ViewPanel)

public:
    explicit ViewPanel(QWidget *parent = nullptr);

    void setPage(int index, int count);
    void setZoom(double zoom);
    void setPrintAllowed(bool allowed);

Q_SIGNALS:
    void commandRequested(int command);
    void pageRequested(int index);

private:
    QAction *addCommand(const QString &text, const QString &toolTip, int command);

    QSpinBox *m_page;
    QLabel *m_count;
    QLabel *m_zoom;
    QAction *m_print = nullptr;
};
