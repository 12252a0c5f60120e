#pragma once

#include <QObject>

#include <functional>

class CurrentList;
class DialogService;
class QWidget;

// The main window's ways to take the list into other programs: Ctrl+C in the list copies the
// marked rows, the menu command "Liste exportieren …" writes the list (or, when the user asks,
// its marked rows) into a CSV file.
class ListExportCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListExportCommands)

public:
    // Asks for the file to write, starting at the name given; an empty answer cancels.
    using FileQuestion = std::function<QString(const QString &suggested)>;

    // Without `askFile`, a save dialog of `owner` asks.
    ListExportCommands(DialogService &dialogs, const CurrentList &list, QWidget &owner,
                       FileQuestion askFile = {});

    // For tests: who answers the question for the file.
    void setFileQuestion(FileQuestion askFile) { m_askFile = std::move(askFile); }

    void mnuListeExportierenClick();
    // Puts the marked rows on the clipboard; nothing when none is marked.
    void copyMarkedRows();

private:
    DialogService &m_dialogs;
    const CurrentList &m_list;
    FileQuestion m_askFile;
};
