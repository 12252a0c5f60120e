#include "printing/currentprinter.h"

#include <QCoreApplication>
#include <QPrinter>

namespace {

QPrinter *printer = nullptr;

// Released with the application object, while the print support plugin is still loaded;
// a static QPrinter would end after it.
void releasePrinter()
{
    delete printer;
    printer = nullptr;
}

} // namespace

QPrinter &CurrentPrinter()
{
    if (!printer) {
        printer = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(releasePrinter);
    }
    return *printer;
}
