#include "tools/demo/demoinstaller.h"

#include "tools/demo/datasheetpdf.h"
#include "tools/demo/demodata.h"
#include "tools/demo/demodatabase.h"
#include "tools/demo/demoreferences.h"
#include "tools/demo/demosettings.h"
#include "tools/demo/helpdocument.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <sys/stat.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

bool failWith(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// An existing folder may be replaced when nothing of value can be in it.
bool mayReplace(const QString &folder)
{
    const QDir dir(folder);
    return dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot) ||
           dir.exists(MarkerFileName.toString()) || dir.exists(DatabaseFileName.toString());
}

// The data-sheet PDFs in parallel, in slices so that progress is reported and a stop is
// honoured between them.
bool writeSheets(const Catalogue &catalogue, const QString &folder, int threads,
                 const InstallProgress &progress, QString *error)
{
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    QMutex mutex;
    QString firstError;
    const QDir dir(folder);
    const int total = int(catalogue.sheets.size());
    constexpr int Slice = 100;
    for (int start = 0; start < total; start += Slice) {
        QList<int> indexes;
        for (int i = start; i < std::min(total, start + Slice); ++i)
            indexes.append(i);
        QtConcurrent::blockingMap(&pool, indexes, [&](int i) {
            const DataSheet &sheet = catalogue.sheets[i];
            QString problem;
            bool written = false;
            try {
                written = writeDataSheetPdf(catalogue, sheet, dir.filePath(sheet.pdfFileName()),
                                            &problem);
            } catch (const Data::Error &e) {
                problem = e.text();
            }
            if (!written) {
                const QMutexLocker lock(&mutex);
                if (firstError.isEmpty())
                    firstError = problem;
            }
        });
        if (!firstError.isEmpty())
            return failWith(error, firstError);
        const int done = std::min(total, start + Slice);
        if (progress && !progress(done, total))
            return failWith(error, u"stopped"_s);
    }
    return true;
}

bool writeMarker(const InstallOptions &options, const QString &folder, QString *error)
{
    QFile marker(QDir(folder).filePath(MarkerFileName.toString()));
    if (!marker.open(QIODevice::WriteOnly) ||
        marker.write(u"count=%1\nseed=%2\n"_s.arg(options.count).arg(options.seed).toUtf8()) < 0 ||
        !marker.flush())
        return failWith(error, u"cannot write %1"_s.arg(marker.fileName()));
    return true;
}

// QTemporaryDir makes the folder private (0700); the installation gets the permissions of
// a folder made by mkdir, so that the viewer can read a demo that root wrote for all users.
bool openToOthers(const QString &folder, QString *error)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::chmod(QFile::encodeName(folder).constData(), 0777 & ~mask) != 0)
        return failWith(error, u"cannot set the permissions of %1"_s.arg(folder));
    return true;
}

// Moves the finished folder into place: the old one aside, the new one in, the old one away.
bool moveIntoPlace(const QString &built, const QString &target, QString *error)
{
    const QFileInfo info(target);
    QString aside;
    if (info.exists()) {
        aside = info.absolutePath() + u"/.kb-demo-old-"_s + info.fileName();
        QDir(aside).removeRecursively();
        if (!QDir().rename(target, aside))
            return failWith(error, u"cannot move the old %1 aside"_s.arg(target));
    }
    if (!QDir().rename(built, target)) {
        if (!aside.isEmpty())
            QDir().rename(aside, target);
        return failWith(error, u"cannot move the new installation to %1"_s.arg(target));
    }
    if (!aside.isEmpty())
        QDir(aside).removeRecursively();
    return true;
}

// The report project, so that a viewer started in the demo folder prints lists.
bool writeReportProject(const QString &folder, QString *error)
{
    QFile source(u":/report/Listen.xml"_s);
    QFile target(QDir(folder).filePath(u"Listen.xml"_s));
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly) ||
        target.write(source.readAll()) < 0 || !target.flush())
        return failWith(error, u"cannot write %1"_s.arg(target.fileName()));
    return true;
}

// Everything beside the database, the marker last.
bool writeDocuments(const Catalogue &catalogue, const InstallOptions &options,
                    const QString &folder, InstallReport &figures, const InstallProgress &progress,
                    QString *error)
{
    QElapsedTimer step;
    step.start();
    if (!writeSheets(catalogue, folder, figures.threads, progress, error))
        return false;
    figures.sheetsMs = step.restart();
    if (!writeReferenceDocuments(catalogue, folder, error))
        return false;
    figures.referencesMs = step.restart();
    if (!writeHelpPdf(catalogue, QDir(folder).filePath(HelpFileName.toString()), error))
        return false;
    figures.helpMs = step.restart();
    if (!writeReportProject(folder, error))
        return false;
    return writeMarker(options, folder, error);
}

void measure(const QString &folder, InstallReport &report)
{
    QDirIterator it(folder, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        report.bytes += it.fileInfo().size();
        ++report.files;
    }
}

// The whole run; installDemo() adds the handling of bad data files.
bool install(const InstallOptions &options, InstallReport *report, QString *error,
             const InstallProgress &progress)
{
    if (options.count < MinCount || options.count > MaxCount)
        return failWith(error,
                        u"the count must lie between %1 and %2"_s.arg(MinCount).arg(MaxCount));
    if (options.folder.isEmpty())
        return failWith(error, u"no folder given"_s);
    const QString target = QDir::cleanPath(QFileInfo(options.folder).absoluteFilePath());
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && !targetInfo.isDir())
        return failWith(error, u"%1 exists and is not a folder"_s.arg(target));
    if (targetInfo.exists() && !mayReplace(target))
        return failWith(error, u"%1 is neither empty nor a demo installation; not replacing "
                               u"it"_s.arg(target));
    if (!QDir().mkpath(targetInfo.absolutePath()))
        return failWith(error, u"cannot create %1"_s.arg(targetInfo.absolutePath()));

    QElapsedTimer total;
    total.start();
    InstallReport figures;
    figures.threads = options.threads > 0 ? options.threads : QThread::idealThreadCount();

    // Beside the target, so the final move is a rename within one file system.
    QTemporaryDir building(targetInfo.absolutePath() + u"/.kb-demo-XXXXXX"_s);
    if (!building.isValid())
        return failWith(error, u"cannot create a working folder beside %1"_s.arg(target));

    const Catalogue catalogue = generateCatalogue(options.count, options.seed);
    QElapsedTimer step;
    step.start();
    if (!writeDatabase(catalogue, QDir(building.path()).filePath(DatabaseFileName.toString()),
                       error))
        return false;
    figures.databaseMs = step.elapsed();
    if (!options.databaseOnly &&
        !writeDocuments(catalogue, options, building.path(), figures, progress, error))
        return false;

    if (!openToOthers(building.path(), error) || !moveIntoPlace(building.path(), target, error))
        return false;
    building.setAutoRemove(false); // it is the installation now

    if (!options.settingsPath.isEmpty() && !writeSettingsFile(options.settingsPath, target, error))
        return false;
    figures.totalMs = total.elapsed();
    measure(target, figures);
    if (report)
        *report = figures;
    return true;
}

} // namespace

bool isCompleteDemo(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(MarkerFileName.toString())).isFile();
}

bool installDemo(const InstallOptions &options, InstallReport *report, QString *error,
                 const InstallProgress &progress)
{
    try {
        return install(options, report, error, progress);
    } catch (const Data::Error &e) {
        return failWith(error, e.text()); // the working folder went with the exception
    } catch (const std::invalid_argument &e) {
        // The generator found no room for the sheets in the five-digit numbers.
        return failWith(error, QString::fromUtf8(e.what()));
    }
}

} // namespace Demo
