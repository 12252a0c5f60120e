#pragma once

#include <QString>
#include <QStringList>

class DialogService;
namespace PDFViewCommands {
struct EngineDescriptor;
}

// The engine library of the PDF view control, one per process (LoadLibrary, GetProcAddress):
// loaded by name, recognised by its entry point, its window class registered.
namespace PDFViewLibrary {

// Loads the library unless one is loaded. An empty name loads nothing and says nothing; a
// failure shows the control's message ("Cannot load DLL " + name, "Wrong DLL!"). A name
// beginning with "{hkcu}" or "{hklm}" is read from the registry first. True when loaded.
bool load(const QString &name, DialogService &dialogs);
bool isLoaded();
// The loaded engine's descriptor; null while none is loaded.
const PDFViewCommands::EngineDescriptor *descriptor();
// The loaded engine's file, for a process that is to load the same; empty while none is.
QString fileName();
// Unregisters the window class and unloads the library (after a check that failed).
void unload();
// Why the last attempt to load failed, one line per place tried.
QStringList lastErrors();

// The library name that `name` stands for: itself, or the registry value it points to.
QString resolvedName(const QString &name);

} // namespace PDFViewLibrary
