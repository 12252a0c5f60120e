// jetwrite: writes a Jet 4 or Jet 3 database (.mdb) from CSV files, one table per file.

#include "tools/jetwriter/csvtable.h"
#include "tools/jetwriter/jetwriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "jetwrite: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"jetwrite"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Writes a Jet 4 (Access 2000) or Jet 3 (Access 97) database (.mdb) with one table per\n"
        u"CSV file.\n\n"
        u"Each CSV file is UTF-8 with RFC 4180 quoting. Its first line names the columns as\n"
        u"name:TYPE, where TYPE is TEXT, TEXT(n), MEMO, BOOLEAN or LONG. An empty unquoted field\n"
        u"is NULL, \"\" is the empty text; a BOOLEAN is 1, 0, true or false and cannot be NULL.\n"
        u"A table is named after its file's base name unless given with --table."_s);
    parser.addHelpOption();
    const QCommandLineOption tableOption(
        {u"t"_s, u"table"_s}, u"Adds the table <name> from <file.csv>; may be repeated."_s,
        u"name=file.csv"_s);
    parser.addOption(tableOption);
    const QCommandLineOption formatOption({u"f"_s, u"format"_s},
                                          u"The file format: jet4 (default) or jet3."_s,
                                          u"format"_s, u"jet4"_s);
    parser.addOption(formatOption);
    parser.addPositionalArgument(u"output"_s, u"The database file to write."_s);
    parser.addPositionalArgument(u"csv"_s, u"CSV files, one table each."_s, u"[csv...]"_s);
    parser.process(app);

    QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        return fail(u"no output file given; see --help"_s);
    const QString output = arguments.takeFirst();

    // (table name, file) in the order given: files named directly, then --table options.
    QList<std::pair<QString, QString>> sources;
    for (const QString &file : std::as_const(arguments))
        sources.append({QFileInfo(file).completeBaseName(), file});
    for (const QString &value : parser.values(tableOption)) {
        const qsizetype eq = value.indexOf(u'=');
        if (eq <= 0 || eq == value.size() - 1)
            return fail(u"--table wants name=file.csv, not \"%1\""_s.arg(value));
        sources.append({value.left(eq), value.mid(eq + 1)});
    }
    if (sources.isEmpty())
        return fail(u"no CSV file given; see --help"_s);
    const QString formatName = parser.value(formatOption).toLower();
    if (formatName != u"jet4"_s && formatName != u"jet3"_s)
        return fail(u"--format wants jet4 or jet3, not \"%1\""_s.arg(parser.value(formatOption)));
    const auto format = formatName == u"jet3"_s ? Jet::FileFormat::Jet3 : Jet::FileFormat::Jet4;

    std::vector<Jet::Table> tables;
    QString error;
    for (const auto &[name, file] : std::as_const(sources)) {
        Jet::Table table;
        table.name = name;
        if (!Jet::readCsvFile(file, table, &error))
            return fail(error);
        tables.push_back(std::move(table));
    }
    if (!Jet::writeDatabase(output, tables, format, &error))
        return fail(error);
    return 0;
}
