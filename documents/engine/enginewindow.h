#pragma once

#include "platform/windowclass.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

class EngineDocument;
class NavigationPanel;
class PageView;
class PropertyPanel;
class QSplitter;
class ViewPanel;
struct PageLink;
struct PrintJob;

// The window of the engine's window class: a page view with the optional parts around it
// (view panel on top, navigation panel left, property panel right). It answers the commands
// of the message protocol and reports to its own window what happens.
class EngineWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EngineWindow)

public:
    static constexpr int Version = 100; // 1.00

    EngineWindow(QWidget *parent, MessageTarget *self);
    ~EngineWindow() override;

    // Commands arrive here from the window procedure (enginecommands.cpp).
    qint32 valueCommand(int command, qint32 value);
    qint32 textCommand(int command, const QByteArray &text);
    // The window exists: tell its owner the engine's version.
    void announce();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Functions the security commands can switch off for the life of the window.
    struct Switches
    {
        bool print = true;
        bool highQualityPrint = true;
        bool selectPrinter = true;
        bool printToDevice = true;
        bool save = true;
        bool copy = true;
        bool forms = true;
        bool edit = true;
        bool securityOverride = true; // may the engine set aside the document's own limits?
    };

    qint32 notify(int code, qintptr value);
    void reportError(const QString &text);
    void showParts(int parts);
    void setOptions(int options);

    // Keys: notifications first, then the engine's own action (enginewindow.cpp).
    bool keyPressed(QKeyEvent *event);
    quint16 announceKey(int code, qint32 value);
    static bool actsOn(quint16 key, int shift);
    bool keyAction(quint16 key, int shift);
    bool claimsKey(int key) const;
    void linkClicked(const PageLink &link);
    void showContextMenu(QPoint globalPos);
    void documentChanged();

    // Commands (enginecommands.cpp).
    qint32 loadFile(const QString &path);
    bool unlockDocument(EngineDocument &document, const QString &path);
    qint32 highlight(const QStringList &texts);
    qint32 printPages(qint32 range);
    qint32 printWithDialog();
    qint32 switchOff(int command);
    bool mayPrint() const;
    // A job for those pages with what the switches allow.
    PrintJob printJob(int first, int last) const;
    bool mayCopy() const;
    void copyPageText();
    void saveCopy();

    MessageTarget *m_self;
    PageView *m_view;
    ViewPanel *m_viewPanel;
    NavigationPanel *m_navigation;
    PropertyPanel *m_properties;
    QSplitter *m_splitter;
    std::shared_ptr<EngineDocument> m_document;
    QString m_password;
    QString m_printerName;
    int m_options = 0;
    Switches m_switches;
    // The key being announced, and what the owner replaced it with (command 2001).
    bool m_announcingKey = false;
    std::optional<qint32> m_replacement;
    bool m_passwordGiven = false;
};
