#include "core/ChildProcessSupervisor.h"

#include "core/ConsoleLog.h"
#include "core/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

namespace kivo {

namespace {

const QString kPath = QStringLiteral("NSApplicationPath");
const QString kFlags = QStringLiteral("NSApplicationLaunchFlags");
const QString kEnvironment = QStringLiteral("NSApplicationEnvironment");
const QString kArgv = QStringLiteral("NSApplicationArgv");
const QString kHigh = QStringLiteral("NSApplicationProcessSerialNumberHigh");
const QString kLow = QStringLiteral("NSApplicationProcessSerialNumberLow");

QVariantMap withoutProcessNumber(QVariantMap record)
{
    record.remove(kHigh);
    record.remove(kLow);
    return record;
}

} // namespace

ChildProcessSupervisor::ChildProcessSupervisor(QObject* parent) : QObject(parent) {}

ChildProcessSupervisor::~ChildProcessSupervisor()
{
    quitAllChildren();
}

QVariantMap ChildProcessSupervisor::recordFor(const QString& childFolder, const QString& name)
{
    if (name.trimmed().isEmpty())
        return {};
    const QString path =
        QDir::isAbsolutePath(name) ? name : QDir(childFolder).absoluteFilePath(name);
    return {{kPath, QDir::cleanPath(path)}, {kFlags, static_cast<qint64>(kLaunchFlags)}};
}

bool ChildProcessSupervisor::launchChildProcess(const QVariantMap& record)
{
    const QString path = record.value(kPath).toString();
    const QFileInfo program(path);
    if (path.isEmpty() || !program.isFile() || !program.isExecutable()) {
        consoleLog(lcCore(), "StationApp", "launchChildProcess",
                   QStringLiteral("cannot launch [%1]: no such program").arg(path));
        return false;
    }
    auto* process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QVariantMap extra = record.value(kEnvironment).toMap();
    for (auto it = extra.cbegin(); it != extra.cend(); ++it)
        environment.insert(it.key(), it.value().toString());
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start(path, record.value(kArgv).toStringList());
    if (!process->waitForStarted(5000) || process->processId() == 0) {
        consoleLog(lcCore(), "StationApp", "launchChildProcess",
                   QStringLiteral("cannot launch [%1]: %2").arg(path, process->errorString()));
        delete process;
        return false;
    }
    Child child;
    child.record = withoutProcessNumber(record);
    const qint64 pid = process->processId();
    child.record.insert(kHigh, static_cast<qint64>((static_cast<quint64>(pid) >> 32) & 0xffffffff));
    child.record.insert(kLow, static_cast<qint64>(static_cast<quint64>(pid) & 0xffffffff));
    child.process = process;
    connect(process, &QProcess::finished, this,
            [this, process](int, QProcess::ExitStatus) { childProcessDidTerminate(process); });
    m_children.append(child);
    return true;
}

void ChildProcessSupervisor::childProcessDidTerminate(QProcess* process)
{
    consoleLog(lcCore(), "StationApp", "childProcessDidTerminate",
               QStringLiteral("App terminated: %1 (exit %2)")
                   .arg(process->program())
                   .arg(process->exitCode()));
    for (qsizetype i = 0; i < m_children.size(); ++i) {
        if (m_children.at(i).process != process)
            continue;
        const QVariantMap record = m_children.takeAt(i).record;
        consoleLog(lcCore(), "StationApp", "childProcessDidTerminate",
                   QStringLiteral("Child process \"%1\" (PID %2) has terminated unexpectedly. "
                                  "Attempting to relaunch...")
                       .arg(QFileInfo(record.value(kPath).toString()).fileName())
                       .arg(record.value(kLow).toLongLong()));
        emit childTerminatedUnexpectedly(record);
        QTimer::singleShot(m_relaunchDelayMs, this, [this, record] {
            const bool ok = launchChildProcess(withoutProcessNumber(record));
            emit childRelaunched(record, ok);
        });
        break;
    }
    // A process that is no longer in the set was quit by the station: let it go.
    process->deleteLater();
}

void ChildProcessSupervisor::quitApplication(const QVariantMap& record, int graceMs)
{
    const qint64 low = record.value(kLow).toLongLong();
    const qint64 high = record.value(kHigh).toLongLong();
    const qint64 pid = (high << 32) | low;
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
        quitApplication(child.record);
    }
}

QList<QVariantMap> ChildProcessSupervisor::childProcesses() const
{
    QList<QVariantMap> records;
    for (const Child& child : m_children)
        records.append(child.record);
    return records;
}

} // namespace kivo
