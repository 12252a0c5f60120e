#include "printing/untdruckstatus.h"

#include "ui_untdruckstatus.h"

#include "platform/designfont.h"

#include <QCoreApplication>
#include <QStyledItemDelegate>

using namespace Qt::StringLiterals;

namespace {

// The list box's lines are 13 pixels high, whatever the style would make of the font.
class FixedHeightDelegate final : public QStyledItemDelegate
{
public:
    FixedHeightDelegate(int height, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_height(height)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};

} // namespace

TfrmDruckStatus::TfrmDruckStatus(QWidget *owner)
    : QDialog(owner)
    , m_ui(std::make_unique<Ui::TfrmDruckStatus>())
{
    m_ui->setupUi(this);
    // A tool window with a close box and the designed client size. It belongs to its owner, the
    // main window: it stays above that window and goes with it, but not above other programs,
    // and a dialog opened meanwhile (a missing file, the next print dialog) opens above it.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setFont(designFont(u"Tahoma"_s, 11));
    m_ui->ListBox1->setItemDelegate(new FixedHeightDelegate(13, m_ui->ListBox1));
    // The button is first in the tab order and takes the focus when the window is shown.
    m_ui->btnAbbruch->setFocus();
    connect(m_ui->btnAbbruch, &QPushButton::clicked, this, &TfrmDruckStatus::btnAbbruchClick);
}

TfrmDruckStatus::~TfrmDruckStatus() = default;

void TfrmDruckStatus::clearLines()
{
    m_ui->ListBox1->clear();
}

void TfrmDruckStatus::addLine(const QString &line)
{
    m_ui->ListBox1->insertItem(0, line);
}

QStringList TfrmDruckStatus::lines() const
{
    QStringList result;
    for (int row = 0; row < m_ui->ListBox1->count(); ++row)
        result.append(m_ui->ListBox1->item(row)->text());
    return result;
}

QString TfrmDruckStatus::buttonCaption() const
{
    return m_ui->btnAbbruch->text();
}

void TfrmDruckStatus::setButtonCaption(QStringView caption)
{
    m_ui->btnAbbruch->setText(caption.toString());
}

void TfrmDruckStatus::btnAbbruchClick()
{
    // The caption is what tells whether a batch runs.
    if (m_ui->btnAbbruch->text() != Abbruch) {
        close();
        return;
    }
    m_ui->btnAbbruch->setEnabled(false);
    Q_EMIT abortRequested();
    QCoreApplication::processEvents();
    m_ui->btnAbbruch->setEnabled(true);
}
