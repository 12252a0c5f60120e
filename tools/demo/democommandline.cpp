#include "tools/demo/democommandline.h"

#include <QCommandLineParser>

#include <limits>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

template<typename Number>
bool readNumber(const QString &text, Number minimum, Number maximum, Number &value)
{
    bool ok = false;
    const qulonglong number = text.trimmed().toULongLong(&ok, 10);
    if (!ok || number < qulonglong(minimum) || number > qulonglong(maximum))
        return false;
    value = Number(number);
    return true;
}

} // namespace

bool parseCommandLine(const QStringList &arguments, CommandLine &result, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Writes a demo installation of the Norvenz SZW Kennblätter viewer into <folder>:\n"
        u"the catalogue database, one PDF per data sheet, the ten reference documents and\n"
        u"Hilfe.pdf. The same count and seed always give the same catalogue. The folder is\n"
        u"built beside its final place and moved there when complete; an existing folder\n"
        u"is replaced only when it is empty or an earlier demo.\n"
        u"The data sheets are PDFs with real text, so the viewer's full-text search (Extras,\n"
        u"Volltextsuche) finds their words; it builds its index in the user's cache folder the\n"
        u"first time its window opens. With --database-only there is nothing to search."_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Shows this help."_s);
    const QCommandLineOption count(
        {u"c"_s, u"count"_s},
        u"Number of data sheets, %1 to %2 (default %3)."_s.arg(MinCount).arg(MaxCount).arg(
            DefaultCount),
        u"n"_s);
    const QCommandLineOption seed(
        u"seed"_s, u"Seed of the invented data (default %1)."_s.arg(DefaultSeed), u"number"_s);
    const QCommandLineOption settings(
        {u"s"_s, u"settings"_s},
        u"Also writes (or replaces) the viewer's settings file <path>, pointing at <folder>."_s,
        u"path"_s);
    const QCommandLineOption threads(
        u"threads"_s, u"Threads for the data-sheet PDFs (default: one per core)."_s, u"n"_s);
    const QCommandLineOption databaseOnly(
        u"database-only"_s,
        u"Writes the database alone: no PDFs, no reference documents, no help. Takes seconds\n"
        u"even for the largest count; for benchmarks. The viewer shows the list, but opens no\n"
        u"data sheet."_s);
    const QCommandLineOption quiet({u"q"_s, u"quiet"_s}, u"Prints nothing but errors."_s);
    parser.addOptions({help, count, seed, settings, threads, databaseOnly, quiet});
    parser.addPositionalArgument(u"folder"_s, u"The installation folder to write."_s);

    if (!parser.parse(arguments))
        return fail(parser.errorText());
    result = CommandLine();
    result.helpText = parser.helpText();
    if (parser.isSet(help)) {
        result.helpWanted = true;
        return true;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return fail(positional.isEmpty() ? u"no folder given; see --help"_s
                                         : u"more than one folder given"_s);
    result.options.folder = positional.first();
    if (parser.isSet(count) &&
        !readNumber(parser.value(count), MinCount, MaxCount, result.options.count))
        return fail(u"--count wants a whole number from %1 to %2, not \"%3\""_s.arg(MinCount)
                        .arg(MaxCount)
                        .arg(parser.value(count)));
    if (parser.isSet(seed) && !readNumber(parser.value(seed), quint64(0),
                                          std::numeric_limits<quint64>::max(), result.options.seed))
        return fail(u"--seed wants a whole number, not \"%1\""_s.arg(parser.value(seed)));
    if (parser.isSet(threads) && !readNumber(parser.value(threads), 1, 64, result.options.threads))
        return fail(u"--threads wants a whole number from 1 to 64, not \"%1\""_s.arg(
            parser.value(threads)));
    result.options.settingsPath = parser.value(settings);
    if (parser.isSet(settings) && result.options.settingsPath.isEmpty())
        return fail(u"--settings wants a path"_s);
    result.options.databaseOnly = parser.isSet(databaseOnly);
    result.quiet = parser.isSet(quiet);
    return true;
}

} // namespace Demo
