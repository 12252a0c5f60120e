#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writes catalogue databases for tests with the project's Jet writer: the five tables the
// program reads, filled with the rows given.
struct FixtureSheet
{
    QString nummer;
    QString marke;
    QString pulvermarke;
    QString hersteller;
    QString zusatz;
    QString infogeber;
    bool changed = false;
};

struct FixtureLookup
{
    QString key;
    QString name;
};

struct FixtureCatalogue
{
    QList<FixtureSheet> sheets;
    QList<FixtureLookup> infogeber;
    QList<FixtureLookup> zusatz;
    QList<FixtureLookup> hersteller;
    // Rows of "norvenz": edition first part, second part, label.
    QList<QStringList> versions;

    // A small catalogue with umlauts, a flux brand, changed and unchanged sheets, out of order.
    static FixtureCatalogue sample();
};

// Writes "<folder>/Norvenz SZW Kennblätter.mde"; false (with a warning) on error.
[[nodiscard]] bool writeFixtureCatalogue(const QString &folder, const FixtureCatalogue &catalogue);

// Writes the settings file `path` whose section "Einstellungen" names `folder` for the
// database and the PDF files, followed by `more` (further keys, then further sections).
void writeFixtureSettings(const QString &path, const QString &folder, const QByteArray &more = {});
