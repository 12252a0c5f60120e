#include "printing/untlisten.h"

#include "settings/windowstate.h"

using namespace Qt::StringLiterals;

TfrmReport::TfrmReport(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setObjectName(u"frmReport"_s);
    setWindowTitle(u"frmReport"_s);
    QFont font(u"Tahoma"_s);
    font.setPixelSize(11);
    setFont(font);
    resize(651, 375);
    ReadBounds(nullptr, *this);
}

TfrmReport::~TfrmReport()
{
    // A failure here has nowhere to go: the program is ending.
    WriteBounds(nullptr, *this);
}
