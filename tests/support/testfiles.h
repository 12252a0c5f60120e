#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Small helpers the test suites share.

// The text of the AppError that `f` raised, or a null string when it raised none.
QString errorOf(const std::function<void()> &f);

// The bytes of a file; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Replaces a file's content; records a test failure when that is not possible.
void writeFile(const QString &path, const QByteArray &bytes);

// The reader's error for a table of the catalogue file `path` found damaged.
QString tableDamaged(const QString &table, const QString &path);
