#include "privatecups.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

PrivateCups::PrivateCups() = default;

PrivateCups::~PrivateCups()
{
    if (m_cupsd) {
        m_cupsd->terminate();
        m_cupsd->waitForFinished(10000);
    }
}

QString PrivateCups::start(const QString &queue)
{
    const QString cupsd = QStandardPaths::findExecutable(u"cupsd"_s, {u"/usr/sbin"_s});
    const QString lpadmin = QStandardPaths::findExecutable(u"lpadmin"_s, {u"/usr/sbin"_s});
    const QString ppd = u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_s;
    if (cupsd.isEmpty() || lpadmin.isEmpty())
        return u"cupsd is not installed"_s;
    if (!QFile::exists(ppd))
        return u"cups-pdf is not installed"_s;
    if (::geteuid() != 0)
        return u"the cups-pdf backend runs only as root"_s;
    if (!m_folder.isValid())
        return u"no temporary folder"_s;
    const QString root = m_folder.path();
    for (const char *sub : {"spool", "cache", "state", "log"})
        QDir(root).mkdir(QString::fromLatin1(sub));
    const QString socket = root + u"/cups.sock"_s;
    const bool written =
        writeText(root + u"/cupsd.conf"_s,
                  u"Listen %1\nLogLevel warn\nWebInterface No\nBrowsing Off\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n"
                  "  </Limit>\n</Policy>\n"_s.arg(socket)) &&
        writeText(root + u"/cups-files.conf"_s,
                  u"ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                  "TempDir %1/spool\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                  "PageLog %1/log/page_log\nSystemGroup root\n"_s.arg(root));
    if (!written)
        return u"cannot write the configuration"_s;
    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd->start(
        cupsd, {u"-f"_s, u"-c"_s, root + u"/cupsd.conf"_s, u"-s"_s, root + u"/cups-files.conf"_s});
    if (!m_cupsd->waitForStarted())
        return u"cannot start cupsd"_s;
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    // An unknown user: cups-pdf then writes to its anonymous folder.
    qputenv("CUPS_USER", "kbtest-" + QByteArray::number(QCoreApplication::applicationPid()));
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(socket) && !deadline.hasExpired())
        QThread::msleep(50);
    const QStringList queueArguments = {u"-p"_s,         queue,   u"-E"_s, u"-v"_s,
                                        u"cups-pdf:/"_s, u"-P"_s, ppd};
    while (!run(lpadmin, queueArguments)) {
        if (deadline.hasExpired())
            return u"the private cupsd does not take the queue"_s;
        QThread::msleep(100);
    }
    return {};
}

QString PrivateCups::outputFolder() const
{
    return u"/var/spool/cups-pdf/ANONYMOUS"_s;
}

QString PrivateCups::waitForOutput(const QString &token, int seconds) const
{
    QDeadlineTimer deadline(seconds * 1000);
    do {
        const QStringList found = QDir(outputFolder()).entryList({token + u"*.pdf"_s}, QDir::Files);
        if (!found.isEmpty()) {
            const QString path = outputFolder() + u'/' + found.first();
            // cups-pdf writes the file in place; it is complete once its size settles.
            const qint64 size = QFileInfo(path).size();
            QThread::msleep(300);
            if (size > 0 && QFileInfo(path).size() == size)
                return path;
        }
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return {};
}
