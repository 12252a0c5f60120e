#pragma once

#include <QWidget>

class QLabel;

// The window shown while the catalogue loads: a picture and one status line.
class TfrmSplash final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmSplash)

public:
    explicit TfrmSplash(QWidget *owner);

    // Sets the status text and paints it at once, before the caller goes on loading.
    void setStatus(const QString &text);
    QString status() const;

private:
    QLabel *Image1;
    QLabel *lblStatus;
};
