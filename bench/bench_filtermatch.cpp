// Times full scans of 100,000 generated data sheets with each kind of filter.
#include "catalogue/tkennblattliste.h"
#include "list/filtermatch.h"
#include "platform/cp1252.h"

#include <QElapsedTimer>
#include <QList>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int sheetCount = 100'000;
constexpr int rounds = 50;

QByteArray word(QRandomGenerator &rng, int minLen, int maxLen)
{
    QByteArray w;
    const int len = rng.bounded(minLen, maxLen + 1);
    for (int i = 0; i < len; ++i)
        w.append(char(i == 0 ? 'A' + rng.bounded(26) : 'a' + rng.bounded(26)));
    return w;
}

void fill(TKennblattListe &list)
{
    const QList<QByteArray> brands = {
        Cp1252::fromUnicode(u"Fox"),          Cp1252::fromUnicode(u"Thermanit"),
        Cp1252::fromUnicode(u"Union"),        Cp1252::fromUnicode(u"Böhler"),
        Cp1252::fromUnicode(u"Schweißdraht"), Cp1252::fromUnicode(u"Castolin")};
    QRandomGenerator rng(42);
    for (int i = 0; i < sheetCount; ++i) {
        const QByteArray nr = QByteArray::number(i / 10 + 1) + '.' + QByteArray::number(i % 10);
        const QByteArray marke = brands[rng.bounded(brands.size())] + ' ' + word(rng, 2, 8) + ' ' +
                                 QByteArray::number(rng.bounded(1, 400));
        const QByteArray pulver = rng.bounded(4) == 0 ? word(rng, 3, 10) : QByteArray();
        list.Add(nr, marke, pulver, 'H' + QByteArray::number(rng.bounded(60)),
                 'Z' + QByteArray::number(rng.bounded(20)),
                 'T' + QByteArray::number(rng.bounded(6)), rng.bounded(100) < 15 ? 2 : 1);
    }
}

struct Case
{
    const char *name;
    QByteArray nr, marke, hersteller;
    FilterMode mode;
};

} // namespace

int main()
{
    TKennblattListe list;
    fill(list);

    const Case cases[] = {
        {"prefix filter (Marke \"fox\")", "", "fox", "", FilterMode::Prefix},
        {"substring filter (Marke \"ab\")", "", "ab", "", FilterMode::Substring},
        {"wildcard filter (KBNr \"*12\")", "*12", "", "", FilterMode::Prefix},
        {"key filter (Hersteller \"h7\")", "", "", "h7", FilterMode::Prefix},
    };

    std::printf("KennblattMatches, full scan of %d data sheets (best of %d rounds)\n", sheetCount,
                rounds);
    for (const Case &c : cases) {
        qint64 best = std::numeric_limits<qint64>::max();
        int matched = 0;
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer timer;
            timer.start();
            const KennblattFilter filter(c.nr, c.marke, "", c.hersteller, "", "", 0, c.mode);
            matched = 0;
            for (qint32 i = 0; i < list.Count(); ++i)
                matched += filter.matches(list.Get(i)) ? 1 : 0;
            best = std::min(best, timer.nsecsElapsed());
        }
        std::printf("  %-34s %7.3f ms  (%d matches)\n", c.name, double(best) / 1e6, matched);
    }
    return 0;
}
