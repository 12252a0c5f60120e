#pragma once

#include "printing/reportdefinition.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class ReportConnection;
class ReportSystem;

// A report project: the reports of a project file, the named parameters they may show, the
// data connections they read, and the system that runs them. The file is read at the first
// run and kept until the project ends; while it is missing or faulty, every run tries again.
// A relative file name is looked for in the working directory at the time of the run, then in
// the fallback folder, if one is set.
class ReportProject final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportProject)

public:
    explicit ReportProject(QObject *parent = nullptr);
    ~ReportProject() override;

    void setFileName(const QString &fileName) { m_fileName = fileName; }
    const QString &fileName() const { return m_fileName; }
    void setFallbackFolder(const QString &folder) { m_fallbackFolder = folder; }
    // The file read, once the project is open.
    const QString &path() const { return m_path; }
    void setReportSystem(ReportSystem *system) { m_system = system; }
    void addConnection(ReportConnection *connection);

    // A later run of any report sees the value; a parameter never set is empty.
    void setParameter(const QString &name, const QString &text);
    QString parameter(const QString &name) const { return m_parameters.value(name); }

    bool isOpen() const { return m_contents.has_value(); }

    // Opens the project at the first use and runs the report `name` through the system;
    // returns when its output is done (the preview closed). Raises AppError when the file is
    // missing or faulty, holds no report of that name, or the run fails.
    void runReport(const QString &name);

private:
    void open();

    QString m_fileName;
    QString m_fallbackFolder;
    QString m_path;
    ReportSystem *m_system = nullptr;
    QList<ReportConnection *> m_connections;
    QHash<QString, QString> m_parameters;
    std::optional<ReportProjectContents> m_contents;
    bool m_running = false;
};
