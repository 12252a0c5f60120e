#include "benchcatalogue.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/demodatabase.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace BenchCatalogue {

QString fileName()
{
    return u"Norvenz SZW Kennblätter.mde"_s;
}

int runAsWriter(const QStringList &arguments)
{
    if (arguments.size() != 4 || arguments[1] != u"--write-catalogue"_s)
        return -1;
    QString error;
    if (Demo::writeDatabase(Demo::generateCatalogue(arguments[3].toInt()), arguments[2], &error))
        return 0;
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
}

bool writeCatalogue(const QString &folder, int count)
{
    const int status = QProcess::execute(
        QCoreApplication::applicationFilePath(),
        {u"--write-catalogue"_s, folder + u'/' + fileName(), QString::number(count)});
    if (status != 0)
        std::fprintf(stderr, "cannot write a catalogue of %d data sheets\n", count);
    return status == 0;
}

} // namespace BenchCatalogue
