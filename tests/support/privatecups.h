#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QProcess;

// A CUPS server of the test's own, with one cups-pdf queue: started with a configuration in a
// temporary folder and a socket there, stopped by its process id. Jobs are sent as a user
// that does not exist, so cups-pdf writes them to its anonymous folder rather than into a
// home folder. Needs cupsd, cups-pdf and root (the cups-pdf backend runs only as root).
class PrivateCups
{
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups &) = delete;
    PrivateCups &operator=(const PrivateCups &) = delete;

    // Starts the server and the queue and points this process's libcups at it (CUPS_SERVER,
    // CUPS_USER); an empty result means running, otherwise why not.
    QString start(const QString &queue);
    // Where cups-pdf leaves the jobs of this process.
    QString outputFolder() const;
    // The PDF cups-pdf wrote for a job whose title begins with `token` (letters and digits),
    // waiting up to `seconds`; empty when none came.
    QString waitForOutput(const QString &token, int seconds) const;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<QProcess> m_cupsd;
};
