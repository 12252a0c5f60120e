// The main window's start-up sequence, its two start timers and its closing steps.
#include "app/untmain.h"

#include "app/untfrmsplash.h"
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "documents/referencedocuments.h"
#include "list/headercontrol.h"
#include "list/kennblattlistview.h"
#include "list/ownerdrawcombobox.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "printing/untlisten.h"
#include "settings/profilefile.h"
#include "settings/settingskeys.h"
#include "settings/windowstate.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;
namespace Keys = SettingsKeys;

namespace {

// A stored item number outside the items (-1 included) leaves no selection.
void selectItem(QComboBox *combo, qint32 index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

} // namespace

void TfrmMain::FormCreate()
{
    frmSplash = new TfrmSplash(this);
    frmSplash->setStatus(u"Lade Einstellungen"_s);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(10, 10);
    resize(screen.width() - 20, screen.height() - 40);

    ADOConnection1->Close();
    m_listBuilder.forgetLastApplied();
    frmReport = new TfrmReport(m_settingsPath, this);

    ProfileFile settings(m_settingsPath);
    m_settings.PfadZuMDEDatei =
        settings.readString(Keys::Einstellungen, Keys::PfadZuMDEDatei, defaultFolder());
    ADOConnection1->SetConnectionString(
        CatalogueDatabase::ConnectionString(m_settings.PfadZuMDEDatei));
    if (!CatalogueDatabase::CheckDatabaseFile(m_settings.PfadZuMDEDatei, m_dialogs)) {
        requestApplicationEnd();
        return;
    }

    frmSplash->setStatus(u"Lade Daten"_s);
    LoadCatalogue(*ADOConnection1, m_catalogue);
    LoadLookups(*ADOConnection1, {InfogeberLookup, ZusatzLookup, HerstellerLookup},
                [this](LookupTable table, const QByteArray &item) {
                    QComboBox *combo = table == LookupTable::Infogeber ? cmbFilterTUEO
                                       : table == LookupTable::Zusatz  ? cmbFilterZusatz
                                                                       : cmbFilterHersteller;
                    combo->addItem(Cp1252::toUnicode(item));
                });
    LoadVersion(*ADOConnection1, Edition, EditionLabel, m_dialogs);
    setWindowTitle(u"Norvenz Kennblätter für eignungsgeprüfte Schweißzusätze, Stand: "_s +
                   Cp1252::toUnicode(Edition));

    ReadColumns(settings, *hcKopf);
    selectItem(cmbDrucklisten, settings.readInteger(Keys::View, Keys::LetzteDruckliste, 0));
    m_settings.PfadZuPDFDateien =
        settings.readString(Keys::Einstellungen, Keys::PfadZuPDFDateien, defaultFolder());
    selectItem(cmbFilterGeaendert, settings.readInteger(Keys::View, Keys::Aenderungsfilter, 0));
    const qint32 splashInterval =
        settings.readInteger(Keys::Einstellungen, Keys::TimerSplash, Keys::TimerSplashDefault);
    if (splashInterval < 0)
        throw AppError(u"Fehler bei Bereichsprüfung"_s);
    TimerSplash->setInterval(splashInterval);

    hcKopf->move(0, 1);
    lvKennblaetter->move(hcKopf->x() + Panel1->x(), lvKennblaetter->y());
    hcKopfResize();
    for (int section = 0; section < hcKopf->count(); ++section)
        hcKopfSectionResize(section);
    placeFilterControls();

    // Preselected only: the lookup edits stay empty, so only the change filter takes part.
    selectItem(cmbFilterTUEO, settings.readInteger(Keys::View, Keys::TUEOfilter, 0));
    selectItem(cmbFilterGeaendert, settings.readInteger(Keys::View, Keys::Aenderungsfilter, 0));
    selectItem(cmbFilterZusatz, settings.readInteger(Keys::View, Keys::Zusatzfilter, 0));
    selectItem(cmbFilterHersteller, settings.readInteger(Keys::View, Keys::Herstellerfilter, 0));

    readReferenceDocumentNames(settings);
    m_settings.FilterImmerAlsTeilString =
        settings.readInteger(Keys::Einstellungen, Keys::FilterImmerAlsTeilString, 0);
    m_listBuilder.setFilterMode(filterModeFromSetting(m_settings.FilterImmerAlsTeilString));

    Timer1->start();
    frmSplash->setStatus(u"Erzeuge Liste"_s);
    RebuildList(true);
    // An interval of 0 means the splash window stays.
    if (TimerSplash->interval() > 0)
        TimerSplash->start();
    m_startupCompleted = true;
}

void TfrmMain::readReferenceDocumentNames(const ProfileFile &file)
{
    for (std::size_t i = 0; i < m_referenceDocumentNames.size(); ++i) {
        m_referenceDocumentNames[i] =
            file.readString(Keys::Einstellungen, referenceDocuments()[i].settingsKey, {});
        if (m_referenceDocumentNames[i].isEmpty())
            m_referenceDocumentItems[i]->setEnabled(false);
    }
}

void TfrmMain::Timer1Timer()
{
    Timer1->stop();
    showMaximized();
}

void TfrmMain::TimerSplashTimer()
{
    TimerSplash->stop();
    frmSplash->close();
    frmSplash->deleteLater();
    frmSplash = nullptr;
}

void TfrmMain::mnuBeendenClick()
{
    close();
}

void TfrmMain::FormDestroy()
{
    // In every case the report host goes; its destruction stores its own bounds.
    const auto releaseReport = qScopeGuard([this] {
        delete frmReport;
        frmReport = nullptr;
    });
    // After a start that stopped early the controls hold design values, not the user's view:
    // writing them would replace the stored state.
    const QString &fileName = m_settingsPath;
    if (!m_startupCompleted || !QFileInfo(fileName).isFile() || ProfileFile::isReadOnly(fileName))
        return;
    ProfileFile settings(fileName);
    WriteBounds(settings, *this);
    WriteColumns(settings, *hcKopf);
    settings.writeInteger(Keys::View, Keys::LetzteDruckliste, cmbDrucklisten->currentIndex());
    settings.writeInteger(Keys::View, Keys::Aenderungsfilter, cmbFilterGeaendert->currentIndex());
    settings.writeInteger(Keys::View, Keys::Zusatzfilter, cmbFilterZusatz->currentIndex());
    settings.writeInteger(Keys::View, Keys::Herstellerfilter, cmbFilterHersteller->currentIndex());
    settings.writeInteger(Keys::View, Keys::TUEOfilter, cmbFilterTUEO->currentIndex());
    WriteComboBox(settings, *cmbFilterKennblattNr);
    WriteComboBox(settings, *cmbFilterMarke);
    WriteComboBox(settings, *cmbFilterPulver);
}
