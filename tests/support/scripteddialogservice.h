#pragma once

#include "platform/dialogservice.h"

#include <QList>

// Records every box the program shows and gives the answers a test queued. With nothing
// queued a box gets its default button (OK, or "&Ja").
class ScriptedDialogService final : public DialogService
{
public:
    explicit ScriptedDialogService(
        QString applicationTitle = QStringLiteral("Norvenz SZW Kennblätter"));

    void queueAnswer(DialogAnswer answer) { m_answers.append(answer); }
    const QList<MessageBoxSpec> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

protected:
    DialogAnswer show(const MessageBoxSpec &box) override;

private:
    QList<MessageBoxSpec> m_shown;
    QList<DialogAnswer> m_answers;
};
