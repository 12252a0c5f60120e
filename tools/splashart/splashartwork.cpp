#include "tools/splashart/splashartwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int Width = 960;
constexpr int Height = 519;

void drawBackground(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, Height);
    sky.setColorAt(0.0, QColor(18, 38, 66));
    sky.setColorAt(0.55, QColor(31, 62, 99));
    sky.setColorAt(1.0, QColor(12, 24, 42));
    p.fillRect(0, 0, Width, Height, sky);

    // Fine diagonal brushing, like ground steel.
    p.setPen(QColor(255, 255, 255, 10));
    for (int x = -Height; x < Width; x += 6)
        p.drawLine(x, Height, x + Height, 0);
}

// Two plates meeting at a seam, with the weld bead laid over the joint.
void drawWeldSeam(QPainter &p)
{
    const int top = 370;
    QLinearGradient plate(0, top, 0, Height);
    plate.setColorAt(0.0, QColor(120, 132, 146));
    plate.setColorAt(1.0, QColor(58, 66, 78));
    p.fillRect(0, top, Width, Height - top, plate);
    p.fillRect(0, top, Width, 2, QColor(190, 200, 210));

    const int seamY = 440;
    // The open joint ahead of the arc.
    p.fillRect(880, seamY - 2, Width - 880, 4, QColor(30, 34, 40));
    for (int x = -20; x < 872; x += 9) {
        const double heat = std::clamp((x - 80) / 760.0, 0.0, 1.0);
        QRadialGradient ripple(x, seamY, 22);
        ripple.setColorAt(0.0,
                          QColor(int(214 + 40 * heat), int(190 - 40 * heat), int(160 - 90 * heat)));
        ripple.setColorAt(0.55, QColor(150, 140, 128));
        ripple.setColorAt(0.8, QColor(84, 80, 76));
        ripple.setColorAt(1.0, QColor(70, 66, 64, 0));
        p.setBrush(ripple);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, seamY), 20, 14);
    }

    // The arc at the end of the seam.
    const QPointF arc(880, seamY);
    QRadialGradient glow(arc, 120);
    glow.setColorAt(0.0, QColor(255, 255, 240, 255));
    glow.setColorAt(0.12, QColor(255, 214, 120, 220));
    glow.setColorAt(0.45, QColor(255, 140, 40, 70));
    glow.setColorAt(1.0, QColor(255, 120, 0, 0));
    p.setBrush(glow);
    p.drawEllipse(arc, 120, 120);

    // Sparks.
    p.setPen(QPen(QColor(255, 200, 110, 200), 1.5));
    for (int i = 0; i < 14; ++i) {
        const double angle = (200 + i * 11) * M_PI / 180.0;
        const double len = 40 + (i * 37) % 70;
        p.drawLine(arc + QPointF(std::cos(angle) * 18, std::sin(angle) * 18),
                   arc + QPointF(std::cos(angle) * len, std::sin(angle) * len));
    }
}

void drawTitle(QPainter &p)
{
    QFont title(u"DejaVu Sans"_s);
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(246, 248, 252));
    p.drawText(QRect(56, 58, 860, 60), Qt::AlignLeft | Qt::AlignVCenter,
               u"Norvenz SZW Kennblätter"_s);

    QFont subtitle(u"DejaVu Sans"_s);
    subtitle.setPixelSize(21);
    p.setFont(subtitle);
    p.setPen(QColor(178, 198, 222));
    p.drawText(QRect(58, 122, 860, 32), Qt::AlignLeft | Qt::AlignVCenter,
               u"Kennblätter für eignungsgeprüfte Schweißzusätze"_s);

    p.fillRect(58, 170, 180, 4, QColor(255, 150, 40));
}

} // namespace

QImage splashArtwork()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawBackground(p);
    drawWeldSeam(p);
    drawTitle(p);
    return image;
}
