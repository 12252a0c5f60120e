#include "documents/pdfviewlibrary.h"

#include "documents/pdfviewcommands.h"
#include "platform/dialogservice.h"
#include "platform/registryvalue.h"
#include "platform/windowclassregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QLoggingCategory>

#include <memory>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcPdfView, "kb.pdfview", QtWarningMsg)

namespace PDFViewLibrary {

namespace {

struct Loaded
{
    std::unique_ptr<QLibrary> library;
    const PDFViewCommands::EngineDescriptor *descriptor = nullptr;
    QByteArray className;
};

// Never unloaded at exit: the operating system does that, after the last window of the
// engine is gone.
Loaded &loaded()
{
    static Loaded state;
    return state;
}

QStringList &errors()
{
    static QStringList list;
    return list;
}

// The executable's folder first, then the system's search; both reasons are kept.
std::unique_ptr<QLibrary> openLibrary(const QString &name)
{
    errors().clear();
    QStringList candidates;
    if (!QDir::isAbsolutePath(name))
        candidates.append(QCoreApplication::applicationDirPath() + u'/' + name);
    candidates.append(name);
    for (const QString &candidate : std::as_const(candidates)) {
        auto library = std::make_unique<QLibrary>(candidate);
        if (library->load())
            return library;
        errors().append(candidate + u": "_s + library->errorString());
    }
    qCWarning(lcPdfView).noquote() << "Cannot load" << name << errors();
    return nullptr;
}

} // namespace

QString resolvedName(const QString &name)
{
    const QString lower = name.toLower();
    const bool currentUser = lower.startsWith("{hkcu}"_L1);
    if (!currentUser && !lower.startsWith("{hklm}"_L1))
        return name;
    // p: 1-based position of the last backslash, 0 without one. The key lies between the
    // six-letter prefix and that backslash, the value name after it.
    const qsizetype p = name.lastIndexOf(u'\\') + 1;
    const QString keyPath = p > 7 ? name.mid(6, p - 7) : QString();
    const QString valueName = name.mid(p).left(255);
    return readRegistryString(currentUser ? RegistryRoot::CurrentUser : RegistryRoot::LocalMachine,
                              keyPath, valueName);
}

bool load(const QString &name, DialogService &dialogs)
{
    if (isLoaded())
        return true;
    if (name.isEmpty())
        return false;
    const QString libraryName = resolvedName(name);
    std::unique_ptr<QLibrary> library = openLibrary(libraryName);
    if (!library) {
        dialogs.plain(u"Cannot load DLL "_s + libraryName);
        return false;
    }
    const auto entryPoint = reinterpret_cast<PDFViewCommands::EntryPoint>(
        library->resolve(PDFViewCommands::EntryPointName));
    const PDFViewCommands::EngineDescriptor *descriptor =
        entryPoint != nullptr ? entryPoint() : nullptr;
    if (descriptor == nullptr || descriptor->abiVersion != PDFViewCommands::AbiVersion) {
        errors() = {library->fileName() + u": no engine entry point of this version"_s};
        library->unload();
        dialogs.plain(u"Wrong DLL!"_s);
        return false;
    }
    loaded().library = std::move(library);
    loaded().descriptor = descriptor;
    if (WindowClassRegistry::registerClass(descriptor->windowClass))
        loaded().className = descriptor->windowClass.name;
    return true;
}

bool isLoaded()
{
    return loaded().library != nullptr;
}

const PDFViewCommands::EngineDescriptor *descriptor()
{
    return loaded().descriptor;
}

QString fileName()
{
    return loaded().library ? loaded().library->fileName() : QString();
}

void unload()
{
    if (!loaded().className.isEmpty())
        WindowClassRegistry::unregisterClass(loaded().className);
    loaded().className.clear();
    if (loaded().library)
        loaded().library->unload();
    loaded().library.reset();
    loaded().descriptor = nullptr;
}

QStringList lastErrors()
{
    return errors();
}

} // namespace PDFViewLibrary
