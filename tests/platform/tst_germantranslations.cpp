// Qt's own dialogs and buttons in German, whatever the locale: what the print, file and
// input dialogs paint once the catalogue is installed, and that a missing one is no error.
#include "platform/germantranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList buttonTexts(const QWidget &dialog)
{
    const auto *box = qobject_cast<const QDialogButtonBox *>(&dialog);
    if (!box)
        box = dialog.findChild<QDialogButtonBox *>();
    QStringList texts;
    for (const QAbstractButton *button : box->buttons())
        texts.append(button->text());
    texts.sort();
    return texts;
}

// What the button paints with `text` in place of its own.
QImage paintedAs(QPushButton &button, const QString &text)
{
    const QString own = button.text();
    button.setText(text);
    const QImage painted = button.grab().toImage();
    button.setText(own);
    return painted;
}

} // namespace

class TestGermanTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // An English-speaking user.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // Runs first: once installed, a catalogue stays.
    void missingCatalogueLeavesQtsTexts()
    {
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        QVERIFY(!installGermanQtTranslations(*qApp, empty.path()));
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        QCOMPARE(buttonTexts(box), QStringList{u"Cancel"_s});
    }

    void printDialogPaintsGerman()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s))
            QSKIP("Qt's German catalogue is not installed (package qt6-translations-l10n)");
        QVERIFY(installGermanQtTranslations(*qApp));

        QPrinter printer;
        QPrintDialog dialog(&printer);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), u"Drucken"_s);
        QCOMPARE(buttonTexts(dialog),
                 (QStringList{u"&Drucken"_s, u"&Einstellungen >>"_s, u"Abbrechen"_s}));
        QStringList groups;
        for (const QGroupBox *group : dialog.findChildren<QGroupBox *>())
            groups.append(group->title());
        QVERIFY2(groups.contains(u"Drucker"_s), qPrintable(groups.join(u", "_s)));

        // What the button paints is the German word: the same pixels as with that text set by
        // hand, others than with Qt's English one.
        auto *cancel = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel);
        const QImage shown = cancel->grab().toImage();
        QCOMPARE(paintedAs(*cancel, u"Abbrechen"_s), shown);
        QVERIFY(paintedAs(*cancel, u"Cancel"_s) != shown);
    }

    void fileAndInputDialogsSpeakGerman()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s))
            QSKIP("Qt's German catalogue is not installed (package qt6-translations-l10n)");
        QVERIFY(installGermanQtTranslations(*qApp));

        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        QStringList labels;
        for (const QLabel *label : files.findChildren<QLabel *>())
            labels.append(label->text());
        QVERIFY2(labels.contains(u"Datei&name:"_s), qPrintable(labels.join(u", "_s)));
        QCOMPARE(buttonTexts(files), (QStringList{u"&Öffnen"_s, u"Abbrechen"_s}));

        QInputDialog password;
        password.setTextEchoMode(QLineEdit::Password);
        password.show();
        QVERIFY(QTest::qWaitForWindowExposed(&password));
        QCOMPARE(buttonTexts(password), (QStringList{u"Abbrechen"_s, u"OK"_s}));
    }
};

QTEST_MAIN(TestGermanTranslations)
#include "tst_germantranslations.moc"
