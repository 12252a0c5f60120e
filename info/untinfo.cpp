#include "info/untinfo.h"

#include "ui_untinfo.h"

#include "info/fileversion.h"
#include "platform/cp1252.h"

#include <QKeyEvent>

using namespace Qt::StringLiterals;

namespace {

// Designer files know point sizes only; the form's fonts are given in pixels.
QFont tahoma(int pixels)
{
    QFont font(u"Tahoma"_s);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TfrmInfo::TfrmInfo(const QByteArray &edition, QWidget *owner)
    : QDialog(owner)
    , m_ui(std::make_unique<Ui::TfrmInfo>())
    , m_edition(edition)
{
    m_ui->setupUi(this);
    // A tool window with a close box that cannot be resized: the client size of the form
    // file stays, and with it the width of the static texts.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setFont(tahoma(11));
    m_ui->StaticText1->setFont(tahoma(16));
    m_ui->StaticText2->setFont(tahoma(16));
    connect(m_ui->btnOk, &QPushButton::clicked, this, &TfrmInfo::btnOkClick);
    connect(m_ui->btnHelp, &QPushButton::clicked, this, &TfrmInfo::btnHelpClick);
    // The form sees key presses before its controls.
    for (QWidget *control : findChildren<QWidget *>())
        control->installEventFilter(this);
}

TfrmInfo::~TfrmInfo() = default;

void TfrmInfo::FormShow()
{
    m_ui->StaticText1->setText(u"Norvenz-Kennblätter, Version "_s + GetFileVersionText({}));
    m_ui->StaticText2->setText(u"Datenbank "_s + Cp1252::toUnicode(m_edition));
}

void TfrmInfo::btnOkClick()
{
    close();
}

bool TfrmInfo::FormKeyPress(const QKeyEvent &event)
{
    if (event.key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

void TfrmInfo::btnHelpClick()
{
    Q_EMIT helpRequested();
}

void TfrmInfo::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfrmInfo::keyPressEvent(QKeyEvent *event)
{
    if (!FormKeyPress(*event))
        QDialog::keyPressEvent(event);
}

bool TfrmInfo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && FormKeyPress(*static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
