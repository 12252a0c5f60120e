#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class TfrmDruckStatus;
}

// The print status window "Druck-Status" of the batch print: its status lines, the newest on
// top, and one button that asks for an abort while a batch runs and closes the window after
// it. Not modal; closing it only hides it, and the owner keeps it for the next batch.
class TfrmDruckStatus final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmDruckStatus)

public:
    // The button's captions: while a batch runs, and after it.
    static constexpr QStringView Abbruch = u"&Abbruch";
    static constexpr QStringView Schliessen = u"&Schließen";

    explicit TfrmDruckStatus(QWidget *owner);
    ~TfrmDruckStatus() override;

    void clearLines();
    // Inserts the line above all others.
    void addLine(const QString &line);
    // Newest first, as the window shows them.
    QStringList lines() const;
    QString buttonCaption() const;
    void setButtonCaption(QStringView caption);

    void btnAbbruchClick();

Q_SIGNALS:
    // The abort button was pressed while a batch runs; the owner sets its DruckAbbruch.
    void abortRequested();

private:
    std::unique_ptr<Ui::TfrmDruckStatus> m_ui;
};
