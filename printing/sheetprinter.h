#pragma once

#include <QString>

// What the batch print of data sheets needs of a PDF view control: load a file, name the
// printer, print pages of the loaded file on it without a dialog. Each answers whether it
// worked, so that a sheet the control could not print is not reported as printed.
class SheetPrinter
{
public:
    virtual ~SheetPrinter() = default;

    [[nodiscard]] virtual bool LoadFromFile(const QString &path) = 0;
    // The printer (its device name, the CUPS queue) for the prints that follow.
    [[nodiscard]] virtual bool SelectPrinter(const QString &deviceName) = 0;
    // Page indexes from 0; a range beyond the end stops at the last page. True once the pages
    // are handed over to the printer.
    [[nodiscard]] virtual bool PrintPages(int first, int last) = 0;
};
