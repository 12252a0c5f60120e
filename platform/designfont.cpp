#include "platform/designfont.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// The forms were laid out for Verdana and Tahoma, which Debian does not have. Its default
// stand-in for both is DejaVu Sans, as wide as Verdana, in which captions overrun their
// controls (a header section of 50 pixels cannot hold "Änderung"). Narrower free families of
// the same look keep the layout: the first one installed is taken.
void installSubstitutes()
{
    QFont::insertSubstitutions(u"Verdana"_s,
                               QStringList{u"Liberation Sans Narrow"_s, u"Nimbus Sans Narrow"_s,
                                           u"DejaVu Sans Condensed"_s});
    QFont::insertSubstitutions(u"Tahoma"_s, QStringList{u"Liberation Sans"_s, u"Nimbus Sans"_s,
                                                        u"DejaVu Sans Condensed"_s});
}

} // namespace

QFont designFont(const QString &family, int pixelSize)
{
    static const bool substituted = (installSubstitutes(), true);
    Q_UNUSED(substituted);
    QFont font(family);
    font.setPixelSize(pixelSize);
    return font;
}
