#include "printing/untlisten.h"

#include "settings/profilefile.h"
#include "settings/windowstate.h"

using namespace Qt::StringLiterals;

TfrmReport::TfrmReport(QString settingsPath, QWidget *owner)
    : QWidget(owner, Qt::Tool)
    , m_settingsPath(std::move(settingsPath))
{
    setObjectName(u"frmReport"_s);
    setWindowTitle(u"frmReport"_s);
    QFont font(u"Tahoma"_s);
    font.setPixelSize(11);
    setFont(font);
    resize(651, 375);
    ProfileFile settings(m_settingsPath);
    ReadBounds(settings, *this);
}

TfrmReport::~TfrmReport()
{
    // A failure here has nowhere to go: the program is ending.
    ProfileFile settings(m_settingsPath);
    WriteBounds(settings, *this);
}
