#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The program's one error type. It carries the German text the user sees; callers let it
// travel to the application's error handler, which shows it.
class AppError : public std::exception
{
public:
    explicit AppError(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8())
    {
    }

    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
