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
    const QDir dir(building.path());
    QElapsedTimer step;
    step.start();
    if (!writeDatabase(catalogue, dir.filePath(DatabaseFileName.toString()), error))
        return false;
    figures.databaseMs = step.restart();
    if (!writeSheets(catalogue, building.path(), figures.threads, progress, error))
        return false;
    figures.sheetsMs = step.restart();
    if (!writeReferenceDocuments(catalogue, building.path(), error))
        return false;
    figures.referencesMs = step.restart();
    if (!writeHelpPdf(catalogue, dir.filePath(HelpFileName.toString()), error))
        return false;
    figures.helpMs = step.restart();
    if (!writeMarker(options, building.path(), error))
        return false;

    if (!moveIntoPlace(building.path(), target, error))
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
    }
}

} // namespace Demo
