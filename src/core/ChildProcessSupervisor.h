#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

namespace kivo {

// One child application: the program, its arguments, what it adds to the station's
// environment, and while it runs its process id (0 otherwise).
struct ChildProgram
{
    QString path;
    QStringList arguments;
    QMap<QString, QString> environment;
    qint64 pid = 0;

    bool isEmpty() const { return path.isEmpty(); }
};

// Keeps the station's child applications running: each is started from a child record, started
// again a few seconds after it ends unexpectedly, and asked to quit (SIGTERM) at the station's
// end without being started again.
class ChildProcessSupervisor : public QObject
{
    Q_OBJECT

public:
    static constexpr int kRelaunchDelayMs = 3000;

    explicit ChildProcessSupervisor(QObject* parent = nullptr);
    ~ChildProcessSupervisor() override;

    // The child the station launches for NAME, relative to CHILDFOLDER; empty for an empty NAME.
    static ChildProgram programFor(const QString& childFolder, const QString& name);

    // Starts the program of CHILD; true when it runs. A missing or non-executable program, or
    // an empty name, starts nothing and answers false.
    bool launchChildProcess(const ChildProgram& child);

    // Ends every child (removing it from the set first, so its end is not taken for a crash).
    void quitAllChildren();

    // Asks CHILD to quit: SIGTERM, then SIGKILL if it has not ended within
    // GRACEMS.
    void quitApplication(const ChildProgram& child, int graceMs = 2000);

    QList<ChildProgram> childProcesses() const;

    void setRelaunchDelay(int ms) { m_relaunchDelayMs = ms; }

signals:
    // A child ended unexpectedly; it is launched again after the relaunch delay.
    void childTerminatedUnexpectedly(const kivo::ChildProgram& child);
    void childRelaunched(const kivo::ChildProgram& child, bool ok);

private:
    void childProcessDidTerminate(QProcess* process);

    struct Child
    {
        ChildProgram program;
        QProcess* process = nullptr;
    };
    QList<Child> m_children;
    int m_relaunchDelayMs = kRelaunchDelayMs;
};

} // namespace kivo
