#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// The customer lock file "FOLDER/IDENTITY.inUse" in the shared images folder:
// while it exists, every station sharing the folder refuses that identity. It
// is created in one step of the file system (exclusive create), so of two
// stations racing for one ID exactly one gets it. Its text names the identity,
// and also the host and process that hold it, so that a station restarted after
// a crash can take away the locks it left itself, and only those.
class CustomerLock
{
public:
    enum Result : qint64
    {
        Refused = -1,    // in use elsewhere, or this station already holds a lock
        WriteFailed = 0, // the file could not be written; the visit goes on without a lock
        Created = 1,
    };

    // Creates the lock of IDENTITY in FOLDER. INUSEELSEWHERE (when given) tells a
    // refusal because the file exists from one because this station already holds
    // a lock.
    Result createSessionInUseFile(const QString& folder, const QString& identity,
                                  bool* inUseElsewhere = nullptr);

    // Removes the lock this station holds (the file it created, wherever the
    // images folder setting points now) and forgets it. Does nothing but log when
    // no lock is held.
    void deleteSessionInUseFile();

    bool createdSessionFile() const { return m_created; }
    QString heldPath() const { return m_path; }

    static QString lockPath(const QString& folder, const QString& identity);
    // "ID in use = IDENTITY" followed by lines naming the host and the process.
    static QByteArray lockContent(const QString& identity, const QString& host, qint64 pid);
    static QString hostName();

    // Removes the locks in FOLDER that this host left behind: those naming this
    // host and a process that no longer runs, or this very process. Locks of
    // other hosts and of live processes stay. Answers how many were removed.
    static int removeLocksLeftByThisStation(const QString& folder);

private:
    bool m_created = false;
    QString m_path;
};

} // namespace kivo
