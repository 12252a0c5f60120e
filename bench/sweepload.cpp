#include "sweepload.h"

#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/lookuplist.h"
#include "catalogue/tkennblattliste.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/dialogservice.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace Sweep {

namespace {

// The version table's warning needs an answer; nothing is shown.
class SilentDialogs : public DialogService
{
public:
    SilentDialogs()
        : DialogService(u"damage_sweep"_s)
    {
    }

protected:
    DialogAnswer show(const MessageBoxSpec &) override { return DialogAnswer::Ok; }
};

QByteArray serialised(const Result &result)
{
    QByteArray text = result.error.toUtf8().toBase64() + '\n';
    for (int n : result.rows)
        text += QByteArray::number(n) + ' ';
    return text + '\n' + result.digest.toHex() + '\n';
}

Result parsed(const QByteArray &text)
{
    const QList<QByteArray> lines = text.split('\n');
    Result result;
    if (lines.size() < 3)
        return result;
    result.error = QString::fromUtf8(QByteArray::fromBase64(lines[0]));
    for (const QByteArray &n : lines[1].split(' '))
        if (!n.isEmpty())
            result.rows.append(n.toInt());
    result.digest = QByteArray::fromHex(lines[2]);
    return result;
}

// The start-up's loading steps on the catalogue in `folder`.
Result load(const QString &folder)
{
    Result result;
    CatalogueDatabase database;
    database.SetConnectionString(CatalogueDatabase::ConnectionString(Cp1252::fromUnicode(folder)));
    TKennblattListe catalogue;
    LookupList lists[3];
    QByteArray edition, label;
    try {
        SilentDialogs dialogs;
        LoadCatalogue(database, catalogue);
        LoadLookups(database, {lists[0], lists[1], lists[2]},
                    [](LookupTable, const QByteArray &) {});
        LoadVersion(database, edition, label, dialogs);
    } catch (const AppError &e) {
        result.error = e.text();
    }
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (qint32 i = 0; i < catalogue.Count(); ++i) {
        const TKennblatt &k = catalogue.Get(i);
        hash.addData(QByteArray(k.GetNummer() + '|' + k.Marke + '|' + k.Pulvermarke + '|' +
                                k.HerstLiefSchl + '|' + k.ZusatzSchl + '|' + k.InfoGeberSchl + '|' +
                                QByteArray::number(k.AenderungsFlag) + '\n'));
    }
    for (const LookupList &list : lists)
        hash.addData(QByteArray(list.lines().join('\n') + '\f'));
    hash.addData(QByteArray(edition + '|' + label));
    result.rows = {catalogue.Count(), int(lists[0].Count()), int(lists[1].Count()),
                   int(lists[2].Count())};
    result.digest = hash.result();
    return result;
}

} // namespace

Fate loadInChild(const QString &folder, const QByteArray &content, Result &result)
{
    QDir().mkpath(folder);
    QFile file(folder + u"/Norvenz SZW Kennblätter.mde"_s);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.close();

    int fds[2];
    if (pipe(fds) != 0)
        qFatal("pipe failed");
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        ::close(fds[0]);
        const QByteArray text = serialised(load(folder));
        for (qsizetype done = 0; done < text.size();) {
            const ssize_t n =
                ::write(fds[1], text.constData() + done, std::size_t(text.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        _exit(0);
    }
    ::close(fds[1]);
    QByteArray text;
    QElapsedTimer timer;
    timer.start();
    bool hung = false;
    for (;;) {
        const qint64 left = TimeLimitMs - timer.elapsed();
        if (left <= 0) {
            hung = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, int(left)) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, n);
    }
    ::close(fds[0]);
    if (hung)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    QDir(folder).removeRecursively();
    if (hung)
        return Fate::Hung;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.isEmpty())
        return Fate::Crashed;
    result = parsed(text);
    return Fate::Loaded;
}

QString errorKind(const QString &error)
{
    if (error.contains(u"ist beschädigt."_s))
        return u"table damaged"_s;
    if (error.contains(u"keine gültige Access-Datenbank oder beschädigt"_s))
        return u"file damaged or no Access file"_s;
    if (error.contains(u"im Format"_s))
        return u"a format that cannot be read"_s;
    if (error.contains(u"wurde in der Datenbankdatei"_s))
        return u"table not found"_s;
    if (error.contains(u"wurde nicht gefunden"_s) || error.contains(u"enthält keinen"_s))
        return u"column missing or of another kind"_s;
    if (error == u"Nummer im falschen Format übergeben."_s)
        return u"data-sheet number unreadable"_s;
    if (error.contains(u"können nicht gelesen werden"_s))
        return u"columns unreadable"_s;
    return {};
}

int Tally::total() const
{
    int sum = 0;
    for (const auto &[what, n] : counts)
        sum += n;
    return sum;
}

void Tally::print(const char *title) const
{
    std::printf("%s\n", title);
    for (const auto &[what, n] : counts)
        std::printf("  %6d  %s\n", n, qPrintable(what));
}

} // namespace Sweep
