// The main window's start-up sequence, its two start timers and its closing steps.
#include "app/untmain.h"

#include "app/startupprobe.h"
#include "app/untfrmsplash.h"
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "documents/documentcommands.h"
#include "info/infocommands.h"
#include "list/columnheaders.h"
#include "list/filterbar.h"
#include "list/headercontrol.h"
#include "list/listcontroller.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/dialogservice.h"
#include "printing/printcommands.h"
#include "settings/layeredsettings.h"
#include "settings/settingskeys.h"
#include "settings/windowstate.h"
#include "ui_untmain.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;
namespace Keys = SettingsKeys;

void TfrmMain::FormCreate()
{
    frmSplash = new TfrmSplash(this);
    frmSplash->setStatus(u"Lade Einstellungen"_s);
    StartupProbe::mark("splash shown");
    placeWindow();
    ADOConnection1->Close();
    m_list->forgetLastApplied();
    m_print->createForms();

    LayeredSettings settings(m_settingsPath);
    m_settings.PfadZuMDEDatei =
        settings.readString(Keys::Einstellungen, Keys::PfadZuMDEDatei, defaultFolder());
    ADOConnection1->SetConnectionString(
        CatalogueDatabase::ConnectionString(m_settings.PfadZuMDEDatei));
    if (!CatalogueDatabase::CheckDatabaseFile(m_settings.PfadZuMDEDatei, m_dialogs)) {
        requestApplicationEnd();
        return;
    }

    frmSplash->setStatus(u"Lade Daten"_s);
    loadCatalogue();
    StartupProbe::mark("catalogue loaded");
    setWindowTitle(u"Norvenz Kennblätter für eignungsgeprüfte Schweißzusätze, Stand: "_s +
                   Cp1252::toUnicode(m_loaded.Edition));
    ReadColumns(settings, m_headers->kopf());
    selectStoredItem(*ui->cmbDrucklisten, settings.readInteger(Keys::View, Keys::LetzteDruckliste,
                                                               Keys::ViewItemDefault));
    m_settings.PfadZuPDFDateien =
        settings.readString(Keys::Einstellungen, Keys::PfadZuPDFDateien, defaultFolder());
    m_filters->restoreChangeFilter(settings);
    TimerSplash->setInterval(readSplashInterval(settings));
    m_headers->placeOnPanel();
    m_headers->carryWidthsOver();
    m_filters->placeFilterControls(m_headers->filter());
    m_filters->restoreLookupChoices(settings);
    m_documents->readReferenceDocumentNames(settings, m_referenceDocumentItems);
    m_settings.FilterImmerAlsTeilString = settings.readInteger(
        Keys::Einstellungen, Keys::FilterImmerAlsTeilString, Keys::FilterImmerAlsTeilStringDefault);
    m_list->setFilterMode(filterModeFromSetting(m_settings.FilterImmerAlsTeilString));

    Timer1->start();
    frmSplash->setStatus(u"Erzeuge Liste"_s);
    m_list->applyFilters(m_filters->filterState());
    StartupProbe::mark("list built");
    // An interval of 0 means the splash window stays.
    if (TimerSplash->interval() > 0)
        TimerSplash->start();
    m_startupCompleted = true;
}

void TfrmMain::placeWindow()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(10, 10);
    resize(screen.width() - 20, screen.height() - 40);
}

void TfrmMain::loadCatalogue()
{
    LoadCatalogue(*ADOConnection1, m_catalogue);
    LoadLookups(*ADOConnection1,
                {m_loaded.InfogeberLookup, m_loaded.ZusatzLookup, m_loaded.HerstellerLookup},
                [this](LookupTable table, const QByteArray &item) {
                    m_filters->addLookupItem(table, item);
                });
    LoadVersion(*ADOConnection1, m_loaded.Edition, m_loaded.EditionLabel, m_dialogs);
    m_info->setEdition(m_loaded.Edition);
}

qint32 TfrmMain::readSplashInterval(const SettingsStore &settings) const
{
    const qint32 interval =
        settings.readInteger(Keys::Einstellungen, Keys::TimerSplash, Keys::TimerSplashDefault);
    if (interval >= 0)
        return interval;
    // One typing error must not leave the program without its list: say so and go on.
    m_dialogs.warning(
        u"Der Wert %1 des Eintrags 'TimerSplash' im Abschnitt 'Einstellungen' der "
        u"Einstellungsdatei ist ungültig, da negativ. Es gilt der Standardwert %2."_s.arg(interval)
            .arg(Keys::TimerSplashDefault));
    return Keys::TimerSplashDefault;
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
    const auto releaseReport = qScopeGuard([this] { m_print->releaseReport(); });
    // After a start that stopped early the controls hold design values, not the user's view:
    // writing them would replace the stored state.
    LayeredSettings settings(m_settingsPath);
    if (!m_startupCompleted || !settings.writesViewState())
        return;
    try {
        // About fifty keys: one replacement of the file instead of one each.
        settings.writeAtOnce([&] {
            WriteBounds(settings, *this);
            WriteColumns(settings, m_headers->kopf());
            settings.writeInteger(Keys::View, Keys::LetzteDruckliste,
                                  ui->cmbDrucklisten->currentIndex());
            m_filters->writeChoices(settings);
            m_filters->writeHistories(settings);
        });
    } catch (const AppError &e) {
        // The installation's file fails as it always did, through the error handler. The
        // user's own file is the last place the view could go: say what is lost.
        if (!settings.personal())
            throw;
        m_dialogs.warning(u"Ihre Ansicht (Fenster, Spalten, Filter, Druckauswahl) konnte nicht "
                          u"gespeichert werden: "_s +
                          withFullStop(e.text()));
    }
}
