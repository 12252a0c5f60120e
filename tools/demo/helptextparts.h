#pragma once

#include <QString>

// Pieces of the user guide's HTML, shared by the files that hold its chapters.
namespace Demo::HelpText {

// The opening tag of a ruled table; close it with "</table>".
inline QString tableStart()
{
    return QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" "
                          "cellpadding=\"4\" style=\"border-color: #b8c2cc; "
                          "border-collapse: collapse; border-style: solid;\">");
}

// A tinted box for a hint.
inline QString note(const QString &html)
{
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"7\" "
                          "bgcolor=\"#dce6f0\"><tr><td>") +
           html + QStringLiteral("</td></tr></table>");
}

QString overview();
QString startUp();
QString mainWindow();
QString theList();
QString filtering();
QString sorting();
QString marking();
QString showing();
QString references();
QString printing();
QString info();
QString settings();
QString keysAndMessages();

} // namespace Demo::HelpText
