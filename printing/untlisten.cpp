#include "printing/untlisten.h"

#include "list/currentlist.h"
#include "list/sortorder.h"
#include "platform/cp1252.h"
#include "platform/designfont.h"
#include "platform/dialogservice.h"
#include "printing/interactivereportsystem.h"
#include "printing/reportconnection.h"
#include "printing/reportparameters.h"
#include "printing/reportproject.h"
#include "printing/reportrenderpdf.h"
#include "settings/layeredsettings.h"
#include "settings/windowstate.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcReportRows, "kb.report.rows", QtInfoMsg)

namespace {

// The columns of the connection: name, width in characters, and the list column they show.
struct ConnectionColumn
{
    QString name;
    int width;
    ListColumn source;
};

const ConnectionColumn connectionColumns[] = {
    {u"KBNr"_s, 20, ListColumn::Nummer},        {u"Marke"_s, 30, ListColumn::Marke},
    {u"Pulver"_s, 30, ListColumn::Pulvermarke}, {u"Hersteller"_s, 30, ListColumn::HerstLiefSchl},
    {u"Zusatz"_s, 30, ListColumn::ZusatzSchl},  {u"TUEO"_s, 10, ListColumn::InfoGeberSchl},
};

} // namespace

TfrmReport::TfrmReport(QString settingsPath, QWidget *owner, const CurrentList *currentList)
    : QWidget(owner, Qt::Tool)
    , ReportProject1(new ReportProject(this))
    , ReportConnection1(new ReportConnection(this))
    , ReportSystem1(new InteractiveReportSystem(this))
    , ReportRenderPDF1(new ReportRenderPdf(this))
    , m_settingsPath(std::move(settingsPath))
    , m_list(currentList)
{
    setObjectName(u"frmReport"_s);
    setWindowTitle(u"frmReport"_s);
    setFont(designFont(u"Tahoma"_s, 11));
    resize(651, 375);

    ReportProject1->setObjectName(u"ReportProject1"_s);
    ReportConnection1->setObjectName(u"ReportConnection1"_s);
    ReportSystem1->setObjectName(u"ReportSystem1"_s);
    ReportRenderPDF1->setObjectName(u"ReportRenderPDF1"_s);
    ReportProject1->setFileName(u"Listen.xml"_s);
    // Started from a shell elsewhere, the program still finds the project it came with.
    ReportProject1->setFallbackFolder(QCoreApplication::applicationDirPath());
    ReportProject1->setReportSystem(ReportSystem1);
    ReportProject1->addConnection(ReportConnection1);
    ReportSystem1->setPdfRenderer(ReportRenderPDF1);
    ReportSystem1->setDialogParent(owner);

    ReportConnection1->OnGetCols = [this](ReportConnection &c) {
        ReportConnection1GetCols(c);
    };
    ReportConnection1->OnFirst = [this](ReportConnection &c) {
        ReportConnection1First(c);
    };
    ReportConnection1->OnNext = [this](ReportConnection &c) {
        ReportConnection1Next(c);
    };
    ReportConnection1->OnEOF = [this](ReportConnection &c, bool &eof) {
        ReportConnection1EOF(c, eof);
    };
    ReportConnection1->OnGetRow = [this](ReportConnection &c) {
        ReportConnection1GetRow(c);
    };

    LayeredSettings settings(m_settingsPath);
    ReadBounds(settings, *this);
}

TfrmReport::~TfrmReport()
{
    // A failure here has nowhere to go: the program is ending.
    LayeredSettings settings(m_settingsPath);
    WriteBounds(settings, *this);
}

void TfrmReport::RunListReport(int printKind, const CurrentList &list, const QByteArray &Edition,
                               const QByteArray &EditionLabel, DialogService &dialogs)
{
    const ListReportOrder order = listReportOrder(printKind, list, Edition, EditionLabel);
    if (order.Sortiert)
        ReportProject1->setParameter(u"Sortiert"_s, *order.Sortiert);
    else
        dialogs.plain(u"Unbekannte Sortierung!"_s);
    ReportProject1->setParameter(u"Gefiltert"_s, order.Gefiltert);
    if (order.Filter)
        ReportProject1->setParameter(u"Filter"_s, *order.Filter);
    NurMarkierte = order.NurMarkierte;
    ReportProject1->setParameter(u"Norvenz"_s, order.Norvenz);
    ReportProject1->setParameter(u"Fassung"_s, order.Fassung);

    const CurrentList *previousList = m_list;
    m_list = &list;
    ReportSystem1->setDialogs(&dialogs);
    const auto restore = qScopeGuard([&] {
        m_list = previousList;
        ReportSystem1->setDialogs(nullptr);
    });
    ReportProject1->runReport(u"Report1"_s);
}

int TfrmReport::rowCount() const
{
    return m_list ? m_list->rowCount() : 0;
}

void TfrmReport::ReportConnection1GetCols(ReportConnection &Connection)
{
    for (const ConnectionColumn &column : connectionColumns)
        Connection.addColumn(column.name, ReportConnection::FieldType::Text, column.width);
}

void TfrmReport::skipUnmarked(ReportConnection &Connection) const
{
    if (!NurMarkierte)
        return;
    while (Connection.rowNumber() < rowCount() && !m_list->isMarked(Connection.rowNumber()))
        Connection.setRowNumber(Connection.rowNumber() + 1);
}

void TfrmReport::ReportConnection1First(ReportConnection &Connection)
{
    qCDebug(lcReportRows).noquote() << QString::number(Connection.rowNumber());
    Connection.setRowNumber(0);
    skipUnmarked(Connection);
}

void TfrmReport::ReportConnection1Next(ReportConnection &Connection)
{
    qCDebug(lcReportRows).noquote() << QString::number(Connection.rowNumber());
    Connection.setRowNumber(Connection.rowNumber() + 1);
    skipUnmarked(Connection);
}

void TfrmReport::ReportConnection1EOF(ReportConnection &Connection, bool &Eof)
{
    Eof = Connection.rowNumber() >= rowCount();
}

void TfrmReport::ReportConnection1GetRow(ReportConnection &Connection)
{
    const TKennblatt &kennblatt = m_list->kennblatt(Connection.rowNumber());
    for (const ConnectionColumn &column : connectionColumns)
        Connection.addValue(Cp1252::toUnicode(rowText(kennblatt, int(column.source))));
}

void TfrmReport::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TfrmReport::FormShow()
{
    // The host is never meant to be seen.
    QTimer::singleShot(0, this, &QWidget::close);
}
