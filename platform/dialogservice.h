#pragma once

#include <QString>

// What a message box shows. Kept plain so that tests can compare what the program showed.
struct MessageBoxSpec
{
    enum class Icon { None, Information, Question, Warning, Error };
    enum class Buttons { Ok, YesNo };

    QString caption;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    QString text;

    bool operator==(const MessageBoxSpec &) const = default;
};

enum class DialogAnswer { Ok, Yes, No };

// Every message box of the program goes through this service: the application uses the
// QMessageBox implementation, tests a scripted one that records and answers.
class DialogService
{
public:
    explicit DialogService(QString applicationTitle);
    virtual ~DialogService();
    DialogService(const DialogService &) = delete;
    DialogService &operator=(const DialogService &) = delete;

    const QString &applicationTitle() const { return m_applicationTitle; }

    void information(const QString &text);
    // "Bestätigen" with "&Ja" and "&Nein"; true when the user chose "&Ja".
    [[nodiscard]] bool confirm(const QString &text);
    void warning(const QString &text);
    void error(const QString &text);
    // The box without icon that carries the application title.
    void plain(const QString &text);
    // The box of the application's error handler: title, stop icon, the full-stop rule.
    void applicationError(const QString &text);

protected:
    virtual DialogAnswer show(const MessageBoxSpec &box) = 0;

private:
    QString m_applicationTitle;
};

// The error handler appends a full stop unless the text is empty or already ends in "."
// or in a character below it ("!", ")", a blank, ...).
QString withFullStop(const QString &text);
