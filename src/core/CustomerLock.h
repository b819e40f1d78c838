#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// The customer lock file "FOLDER/IDENTITY.inUse" in the shared images folder:
// while it exists, every station sharing the folder refuses that identity. It
// is created in one step of the file system (exclusive create), so of two
// stations racing for one ID exactly one gets it. Its text names the identity,
// and also the host and the process that hold it, with the process's start time
// and the machine and its boot, so that a lock left by a station of this host that no
// longer runs is recognised (even when its process number has been given to
// another program since) and taken away, and no other lock is.
class CustomerLock
{
public:
    enum Result : qint64
    {
        Blocked = -2,    // something that is not a lock holds the path: problem() says what
        Refused = -1,    // in use elsewhere, or this station already holds a lock
        WriteFailed = 0, // the file could not be written; the visit goes on without a lock
        Created = 1,
    };

    // Creates the lock of IDENTITY in FOLDER. A lock left there by a station of
    // this host that no longer runs is removed and taken. INUSEELSEWHERE (when
    // given) tells a refusal because a live lock exists from one because this
    // station already holds a lock. Anything at the path that is not a regular
    // file (a folder, a link, a named pipe) answers Blocked: no station made it,
    // and only the staff can clear it.
    Result createSessionInUseFile(const QString& folder, const QString& identity,
                                  bool* inUseElsewhere = nullptr);

    // Removes the lock this station holds (the file it created, wherever the
    // images folder setting points now) and forgets it. Does nothing but log when
    // no lock is held.
    void deleteSessionInUseFile();

    bool createdSessionFile() const { return m_created; }
    // Why the last creation answered Blocked, naming the path, for the staff; empty otherwise.
    QString problem() const { return m_problem; }
    QString heldPath() const { return m_path; }

    static QString lockPath(const QString& folder, const QString& identity);
    // "ID in use = IDENTITY" followed by lines naming the host and the process.
    static QByteArray lockContent(const QString& identity, const QString& host, qint64 pid,
                                  quint64 started = 0, const QString& bootId = QString(),
                                  const QString& machineId = QString());
    static QString hostName();
    // When process PID started, in clock ticks since boot (field 22 of /proc/PID/stat); 0 when
    // there is no such process or it cannot be read.
    static quint64 processStartTime(qint64 pid);
    // This boot of the machine (/proc/sys/kernel/random/boot_id); empty when unknown.
    static QString bootId();
    // This machine (/etc/machine-id), which tells it from another of the same host name; empty
    // when unknown.
    static QString machineId();

    // Removes the locks in FOLDER that this host left behind: those naming this
    // host and a process that no longer runs (or whose number now belongs to a
    // process started at another time or boot), or this very process. Locks of
    // other hosts and of live processes stay, and so does anything that is not a
    // regular file. The claims such stations left (hidden ".IDENTITY.inUse.claim"
    // folders naming them) go too. Answers how many locks and claims were removed.
    static int removeLocksLeftByThisStation(const QString& folder);

private:
    bool m_created = false;
    QString m_path;
    QString m_problem;
};

} // namespace kivo
