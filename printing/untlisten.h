#pragma once

#include <QWidget>

// The host of the list report. It is never shown; it keeps its bounds in the settings file
// across runs (read when created, written when destroyed).
class TfrmReport final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmReport)

public:
    TfrmReport(QString settingsPath, QWidget *owner);
    ~TfrmReport() override;

    // When set, the report takes only the marked rows of the list.
    bool NurMarkierte = false;

private:
    const QString m_settingsPath;
};
