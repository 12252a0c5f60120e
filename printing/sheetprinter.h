#pragma once

#include <QString>

// What the batch print of data sheets needs of a PDF view control: load a file, name the
// printer, print pages of the loaded file on it without a dialog. Each answers whether it
// worked, so that a sheet the control could not print is not reported as printed, and
// errorText() tells why not.
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
    // Why the last call that answered false failed, in the words of the control or its engine
    // (German where they are the program's own, the print server's otherwise); empty when they
    // gave no reason. Loading a file starts afresh.
    virtual QString errorText() const = 0;
};
