#include "printing/printerdialogs.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace PrinterDialogs {

bool print(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions({});
    return dialog.exec() == QDialog::Accepted;
}

bool setup(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"Druckereinrichtung"_s);
    dialog.setOptions({});
    // Qt has no dialog of its own for this; here the print dialog only chooses, so its button
    // must not say "Print".
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(u"OK"_s);
    }
    return dialog.exec() == QDialog::Accepted;
}

} // namespace PrinterDialogs
