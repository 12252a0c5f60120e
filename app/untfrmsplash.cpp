#include "app/untfrmsplash.h"

#include "platform/designfont.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QResource>
#include <QScreen>

using namespace Qt::StringLiterals;

TfrmSplash::TfrmSplash(QWidget *owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus)
    , Image1(new QLabel(this))
    , lblStatus(new QLabel(this))
{
    setObjectName(u"frmSplash"_s);
    // It informs; the keyboard stays with the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(959, 520);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Image1->setObjectName(u"Image1"_s);
    // 960 x 519 pixels of 32 bits, drawn by the build.
    const QResource picture(u":/splash.rgb"_s);
    Image1->setPixmap(QPixmap::fromImage(QImage(picture.data(), 960, 519, QImage::Format_RGB32)));
    Image1->setGeometry(0, 0, 960, 519);

    lblStatus->setObjectName(u"lblStatus"_s);
    lblStatus->setGeometry(241, 240, 672, 81);
    QFont font = designFont(u"Tahoma"_s, 24);
    font.setBold(true);
    lblStatus->setFont(font);
    QPalette palette = lblStatus->palette();
    palette.setColor(QPalette::WindowText, QColor(160, 160, 164));
    lblStatus->setPalette(palette);
    // On a window painted in the button colour, labels would take the button text colour.
    lblStatus->setForegroundRole(QPalette::WindowText);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
}

void TfrmSplash::setStatus(const QString &text)
{
    lblStatus->setText(text);
    repaint();
}

QString TfrmSplash::status() const
{
    return lblStatus->text();
}
