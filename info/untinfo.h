#pragma once

#include <QByteArray>
#include <QDialog>

#include <memory>

namespace Ui {
class TfrmInfo;
}
class QKeyEvent;

// The info dialog "Info": the version of the running program and the catalogue's edition.
// Created afresh for each opening and shown modally (InfoCommands); the form sees key
// presses before its controls.
class TfrmInfo : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmInfo)

public:
    // `edition` as the catalogue holds it (Windows-1252); `owner` owns the dialog.
    TfrmInfo(const QByteArray &edition, QWidget *owner);
    ~TfrmInfo() override;

    // Each time the dialog is shown: the version line, then the edition line.
    void FormShow();
    void btnOkClick();
    // Escape closes the dialog; every other key goes on to the control with the focus
    // (Enter to the default button). Returns whether the key was taken.
    bool FormKeyPress(const QKeyEvent &event);
    // Asks, through helpRequested(), for the help file the main window shows.
    void btnHelpClick();

Q_SIGNALS:
    void helpRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TfrmInfo> m_ui;
    QByteArray m_edition;
};
