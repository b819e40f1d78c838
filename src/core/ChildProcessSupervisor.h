#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

class QProcess;

namespace kivo {

// Keeps the station's child applications running: each is started from a child record, started
// again a few seconds after it ends unexpectedly, and asked to quit (SIGTERM) at the station's
// end without being started again.
//
// A child record holds "NSApplicationPath" (the program), "NSApplicationLaunchFlags", and
// optionally "NSApplicationEnvironment" (a dictionary added to the environment) and
// "NSApplicationArgv" (the arguments). A running child's record also holds its process id under
// "NSApplicationProcessSerialNumberHigh" and "NSApplicationProcessSerialNumberLow".
class ChildProcessSupervisor : public QObject
{
    Q_OBJECT

public:
    static constexpr unsigned kLaunchFlags = 0x100300;
    static constexpr int kRelaunchDelayMs = 3000;

    explicit ChildProcessSupervisor(QObject* parent = nullptr);
    ~ChildProcessSupervisor() override;

    // The record the station launches for child NAME, relative to CHILDFOLDER.
    static QVariantMap recordFor(const QString& childFolder, const QString& name);

    // Starts the program of RECORD; true when it runs. A missing or non-executable program, or
    // an empty name, starts nothing and answers false.
    bool launchChildProcess(const QVariantMap& record);

    // Ends every child (removing it from the set first, so its end is not taken for a crash).
    void quitAllChildren();

    // Asks the child of RECORD to quit: SIGTERM, then SIGKILL if it has not ended within
    // GRACEMS.
    void quitApplication(const QVariantMap& record, int graceMs = 2000);

    QList<QVariantMap> childProcesses() const;

    void setRelaunchDelay(int ms) { m_relaunchDelayMs = ms; }

signals:
    // A child ended unexpectedly; it is launched again after the relaunch delay.
    void childTerminatedUnexpectedly(const QVariantMap& record);
    void childRelaunched(const QVariantMap& record, bool ok);

private:
    void childProcessDidTerminate(QProcess* process);

    struct Child
    {
        QVariantMap record;
        QProcess* process = nullptr;
    };
    QList<Child> m_children;
    int m_relaunchDelayMs = kRelaunchDelayMs;
};

} // namespace kivo
