#include "testfiles.h"

#include "platform/apperror.h"

#include <QFile>
#include <QTest>

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.text();
    }
    return {};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString tableDamaged(const QString &table, const QString &path)
{
    return QStringLiteral("Die Tabelle '%1' in der Datenbankdatei '%2' ist beschädigt.")
        .arg(table, path);
}
