#pragma once

class QPrinter;

// The application's current printer: the one the print and printer-setup dialogs chose
// last. Created at first use, released when the application object ends.
QPrinter &CurrentPrinter();
