#include "core/ChildProcessSupervisor.h"

#include "core/ConsoleLog.h"
#include "core/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

namespace kivo {

ChildProcessSupervisor::ChildProcessSupervisor(QObject* parent) : QObject(parent) {}

ChildProcessSupervisor::~ChildProcessSupervisor()
{
    quitAllChildren();
}

ChildProgram ChildProcessSupervisor::programFor(const QString& childFolder, const QString& name)
{
    if (name.trimmed().isEmpty())
        return {};
    const QString path =
        QDir::isAbsolutePath(name) ? name : QDir(childFolder).absoluteFilePath(name);
    ChildProgram child;
    child.path = QDir::cleanPath(path);
    return child;
}

bool ChildProcessSupervisor::launchChildProcess(const ChildProgram& child)
{
    const QString& path = child.path;
    const QFileInfo program(path);
    if (path.isEmpty() || !program.isFile() || !program.isExecutable()) {
        consoleLog(lcCore(), "ChildProcessSupervisor", "launchChildProcess",
                   QStringLiteral("cannot launch [%1]: no such program").arg(path));
        return false;
    }
    auto* process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = child.environment.cbegin(); it != child.environment.cend(); ++it)
        environment.insert(it.key(), it.value());
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start(path, child.arguments);
    if (!process->waitForStarted(5000) || process->processId() == 0) {
        consoleLog(lcCore(), "ChildProcessSupervisor", "launchChildProcess",
                   QStringLiteral("cannot launch [%1]: %2").arg(path, process->errorString()));
        delete process;
        return false;
    }
    Child running{child, process};
    running.program.pid = process->processId();
    connect(process, &QProcess::finished, this,
            [this, process](int, QProcess::ExitStatus) { childProcessDidTerminate(process); });
    m_children.append(running);
    return true;
}

void ChildProcessSupervisor::childProcessDidTerminate(QProcess* process)
{
    consoleLog(lcCore(), "ChildProcessSupervisor", "childProcessDidTerminate",
               QStringLiteral("App terminated: %1 (exit %2)")
                   .arg(process->program())
                   .arg(process->exitCode()));
    for (qsizetype i = 0; i < m_children.size(); ++i) {
        if (m_children.at(i).process != process)
            continue;
        ChildProgram ended = m_children.takeAt(i).program;
        consoleLog(lcCore(), "ChildProcessSupervisor", "childProcessDidTerminate",
                   QStringLiteral("Child process \"%1\" (PID %2) has terminated unexpectedly. "
                                  "Attempting to relaunch...")
                       .arg(QFileInfo(ended.path).fileName())
                       .arg(ended.pid));
        emit childTerminatedUnexpectedly(ended);
        ended.pid = 0;
        QTimer::singleShot(m_relaunchDelayMs, this, [this, ended] {
            const bool ok = launchChildProcess(ended);
            emit childRelaunched(ended, ok);
        });
        break;
    }
    // A process that is no longer in the set was quit by the station: let it go.
    process->deleteLater();
}

void ChildProcessSupervisor::quitApplication(const ChildProgram& child, int graceMs)
{
    const qint64 pid = child.pid;
    if (pid <= 0)
        return;
    const QList<QProcess*> processes = findChildren<QProcess*>();
    for (QProcess* process : processes) {
        if (process->processId() != pid)
            continue;
        process->disconnect(this);
        process->terminate();
        if (!process->waitForFinished(graceMs)) {
            process->kill();
            process->waitForFinished(1000);
        }
        delete process;
    }
}

void ChildProcessSupervisor::quitAllChildren()
{
    const QList<Child> snapshot = m_children;
    for (const Child& child : snapshot) {
        m_children.removeIf([&](const Child& c) { return c.process == child.process; });
        quitApplication(child.program);
    }
}

QList<ChildProgram> ChildProcessSupervisor::childProcesses() const
{
    QList<ChildProgram> programs;
    for (const Child& child : m_children)
        programs.append(child.program);
    return programs;
}

} // namespace kivo
