// The commands that open PDF files, against a list of their own and scripted message boxes.
#include "catalogue/tkennblatt.h"
#include "documents/documentcommands.h"
#include "documents/pdfview.h"
#include "documents/untpdffenster.h"
#include "list/currentlist.h"
#include "platform/cp1252.h"
#include "scripteddialogservice.h"
#include "settings/profilefile.h"
#include "settings/programsettings.h"
#include "testfiles.h"
#include "testpdfs.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Rows in list order with their marks.
class FakeList final : public CurrentList
{
public:
    std::vector<TKennblatt> rows;
    QList<int> marked;

    int rowCount() const override { return int(rows.size()); }
    const TKennblatt &kennblatt(int row) const override { return rows.at(std::size_t(row)); }
    bool isMarked(int row) const override { return marked.contains(row); }
    QList<int> markedRows() const override
    {
        QList<int> sorted = marked;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }
    qint32 sortOrder() const override { return 1; }
    FilterState filterState() const override { return {}; }
    const RecordRestriction *restriction() const override { return nullptr; }
};

TKennblatt sheet(const char *nummer)
{
    TKennblatt k;
    k.SetNummer(nummer);
    return k;
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    ScriptedDialogService m_dialogs;
    ProgramSettings m_settings;
    FakeList m_list;
    QWidget m_owner;
    std::unique_ptr<DocumentCommands> m_commands;

    QString missing(const QString &file) const
    {
        return u"Datei '"_s + m_dir->path() + u"//"_s + file + u"' nicht vorhanden."_s;
    }

private Q_SLOTS:
    void initTestCase()
    {
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        TPDFView::setDialogService(&m_dialogs);
    }

    void init()
    {
        m_dir.emplace();
        m_dialogs.clear();
        m_settings.PfadZuPDFDateien = Cp1252::fromUnicode(m_dir->path()) + '/';
        m_list.rows = {sheet("00007.10"), sheet("00042.00"), sheet("01234.05")};
        m_list.marked.clear();
        m_commands = std::make_unique<DocumentCommands>(m_dialogs, m_settings, m_list, m_owner);
    }

    void cleanup() { m_commands.reset(); }

    void theFirstMarkedRowInListOrderOpens()
    {
        m_commands->btnAnzeigenClick();
        QVERIFY(m_dialogs.shown().isEmpty()); // nothing marked, nothing said

        m_list.marked = {2, 1};
        m_commands->btnAnzeigenClick();
        QCOMPARE(m_dialogs.shown().size(), 1);
        const MessageBoxSpec box = m_dialogs.shown().last();
        QCOMPARE(box.caption, u"Norvenz SZW Kennblätter"_s);
        QCOMPARE(box.icon, MessageBoxSpec::Icon::None);
        QCOMPARE(box.text, missing(u"00042_00.pdf"_s));
        QVERIFY(!m_commands->frmPDFFenster()); // not created for a missing file

        // The first file that exists creates the window; later ones reuse it, hidden or not.
        QVERIFY(TestPdfs::writeTextPdf(m_dir->filePath(u"00042_00.pdf"_s), {u"Blatt 42"_s}));
        QVERIFY(TestPdfs::writeTextPdf(m_dir->filePath(u"Hilfe.pdf"_s), {u"Hilfe"_s}));
        m_commands->btnAnzeigenClick();
        QCOMPARE(m_dialogs.shown().size(), 1);
        TfrmPDFFenster *window = m_commands->frmPDFFenster();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->parent(), &m_owner);
        QCOMPARE(window->pdfView()->LastLoadedFile(), m_dir->path() + u"//00042_00.pdf"_s);
        window->close();
        m_commands->mnuHilfeClick();
        QCOMPARE(m_commands->frmPDFFenster(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->pdfView()->LastLoadedFile(), m_dir->path() + u"//Hilfe.pdf"_s);
    }

    void aFolderIsNoFile()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(u"00007_10.pdf"_s));
        m_list.marked = {0};
        m_commands->btnAnzeigenClick();
        QCOMPARE(m_dialogs.shown().size(), 1);
        QCOMPARE(m_dialogs.shown().last().text, missing(u"00007_10.pdf"_s));
    }

    void referenceDocumentsAndHelp()
    {
        const QString ini = m_dir->filePath(u"settings.INI"_s);
        writeFile(ini, "[Einstellungen]\r\nNamePDFDeckblatt=Deckblatt.pdf\r\n"
                       "NamePDFPraegeliste=Pr\xe4geliste.pdf\r\nNamePDFHerstellerLieferer=\r\n");
        std::array<QAction *, ReferenceDocuments.size()> items{};
        for (QAction *&item : items)
            item = new QAction(&m_owner);
        m_commands->readReferenceDocumentNames(ProfileFile(ini), items);
        for (std::size_t i = 0; i < items.size(); ++i)
            QCOMPARE(items[i]->isEnabled(), i == 0 || i == 6);

        m_commands->mnuPraegelisteClick();
        m_commands->mnuDeckblattClick();
        m_commands->mnuHilfeClick();
        QCOMPARE(m_dialogs.shown().size(), 3);
        QCOMPARE(m_dialogs.shown().at(0).text, missing(u"Prägeliste.pdf"_s));
        QCOMPARE(m_dialogs.shown().at(1).text, missing(u"Deckblatt.pdf"_s));
        QCOMPARE(m_dialogs.shown().at(2).text, missing(u"Hilfe.pdf"_s));
    }
};

QTEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
