#include "core/CustomerLock.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "core/Logging.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {

namespace {

const char* const kClass = "CustomerLock";
const QString kSuffix = QStringLiteral(".inUse");

bool processIsRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) == 0)
        return true;
    return errno == EPERM; // alive, owned by someone else
}

// What a lock file says about the station that wrote it.
struct LockOwner
{
    QString host;
    qint64 pid = 0;
    quint64 started = 0; // 0: not recorded (a lock written before start times were)
    QString bootId;
    QString machineId; // empty: not recorded (a lock written before machine IDs were)
};

LockOwner parseLock(const QByteArray& text)
{
    LockOwner owner;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith("host = "))
            owner.host = QString::fromLatin1(line.mid(7));
        else if (line.startsWith("pid = "))
            owner.pid = line.mid(6).toLongLong();
        else if (line.startsWith("started = "))
            owner.started = line.mid(10).toULongLong();
        else if (line.startsWith("boot = "))
            owner.bootId = QString::fromLatin1(line.mid(7));
        else if (line.startsWith("machine = "))
            owner.machineId = QString::fromLatin1(line.mid(10));
    }
    return owner;
}

// True when OWNER is a station of this host that no longer runs: its process is gone, or its
// process number now belongs to a process started at another moment or before another boot.
// A lock without the host lines comes from another kind of station and is never stale.
bool ownerIsGone(const LockOwner& owner)
{
    if (owner.host != CustomerLock::hostName() || owner.pid <= 0)
        return false;
    // Kiosks cloned from one image often share a host name: another machine's boot and
    // processes say nothing about its station, which may well be running.
    if (!owner.machineId.isEmpty() && owner.machineId != CustomerLock::machineId())
        return false;
    if (!owner.bootId.isEmpty()) {
        const QString boot = CustomerLock::bootId();
        if (!boot.isEmpty() && boot != owner.bootId)
            return true;
    }
    if (!processIsRunning(owner.pid))
        return true;
    if (owner.started == 0)
        return false; // an older lock: a live process number is all it tells
    const quint64 started = CustomerLock::processStartTime(owner.pid);
    return started != 0 && started != owner.started;
}

// What occupies a lock path.
struct Occupant
{
    enum Kind
    {
        Nothing,   // gone in the meantime
        Lock,      // a regular file, read into `owner`
        NotALock,  // anything else; `what` says what
        Unreadable // a regular file that cannot be read: treated as a live lock
    } kind = Nothing;
    LockOwner owner;
    const char* what = nullptr; // NotALock: what it is, naming `target` as %1 for a link
    QString target;
};

Occupant examine(const QString& path)
{
    Occupant o;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0) {
        o.kind = errno == ENOENT ? Occupant::Nothing : Occupant::Unreadable;
        return o;
    }
    if (!S_ISREG(st.st_mode)) {
        o.kind = Occupant::NotALock;
        if (S_ISDIR(st.st_mode)) {
            o.what = QT_TRANSLATE_NOOP("CustomerLock", "a folder");
        } else if (S_ISLNK(st.st_mode)) {
            const QFileInfo link(path);
            o.target = link.symLinkTarget();
            o.what = link.exists()
                         ? QT_TRANSLATE_NOOP("CustomerLock", "a symbolic link to %1")
                         : QT_TRANSLATE_NOOP("CustomerLock", "a dangling symbolic link to %1");
        } else if (S_ISFIFO(st.st_mode)) {
            o.what = QT_TRANSLATE_NOOP("CustomerLock", "a named pipe (FIFO)");
        } else if (S_ISSOCK(st.st_mode)) {
            o.what = QT_TRANSLATE_NOOP("CustomerLock", "a socket");
        } else {
            o.what = QT_TRANSLATE_NOOP("CustomerLock", "a device file");
        }
        return o;
    }
    // No blocking open and no following of a link put there since the check above; what is
    // read must be the very file that was looked at.
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    o.kind = Occupant::Unreadable;
    if (fd < 0)
        return o;
    struct stat opened;
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_dev == st.st_dev &&
        opened.st_ino == st.st_ino) {
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n >= 0) {
            o.owner = parseLock(QByteArray(buffer, int(n)));
            o.kind = Occupant::Lock;
        }
    }
    ::close(fd);
    return o;
}

// Serialises the removal of stale locks among the stations of this host, the only ones that
// ever judge a lock of this host stale. Without it, a station that moved a lock aside to
// check it would leave the path empty for a moment, and a third station could create its own
// lock there while the lock moved aside belonged to the winner of the same race: two winners.
// The guard is a local file held with flock(), which the kernel lets go when its process ends,
// so a station killed while holding it blocks nobody.
class TakeOverGuard
{
public:
    TakeOverGuard()
    {
        const QByteArray path = QFile::encodeName(QDir::tempPath()) + "/kivo-customer-locks.guard";
        m_fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) {
            consoleLog(
                lcCore(), kClass, "TakeOverGuard",
                QStringLiteral("Cannot open [%1]: %2")
                    .arg(QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(errno))));
            return;
        }
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~TakeOverGuard()
    {
        if (m_fd >= 0)
            ::close(m_fd); // closing lets go of the flock
    }
    TakeOverGuard(const TakeOverGuard&) = delete;
    TakeOverGuard& operator=(const TakeOverGuard&) = delete;

    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Whether the file at PATH, in a lock's format, names a station of this host that is gone (or,
// with SELF, this very process). Asked while holding the guard: a first look made without it may
// have met a lock that another station has taken away and replaced since.
bool leftBehind(const QString& path, bool self)
{
    const Occupant occupant = examine(path);
    if (occupant.kind != Occupant::Lock || occupant.owner.host != CustomerLock::hostName())
        return false;
    const bool mine = self && occupant.owner.pid == QCoreApplication::applicationPid();
    return mine || ownerIsGone(occupant.owner);
}

// Removes the lock at PATH when, looked at again while holding the guard, it is still one that
// this host left behind; another station's lock written since must stay.
bool removeStaleLock(const QString& path, bool self)
{
    const TakeOverGuard guard;
    // Without the guard the ID stays refused rather than risk taking a live lock.
    if (!guard.held() || !leftBehind(path, self))
        return false;
    return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT;
}

const QString kClaimSuffix = QStringLiteral(".claim");
const QString kClaimHolder = QStringLiteral("/holder");

// Creates the file naming a claim's holder, only if nothing is there yet. Not synced: it matters
// only while the claim lasts, a moment, and a claim found without it is taken away after a while.
// False with errno set on failure.
bool nameClaimHolder(const QString& path, const QByteArray& holder)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAllToDescriptor(fd, holder);
    const int code = errno;
    ::close(fd);
    errno = code;
    return written;
}

QString claimPath(const QString& lockPath)
{
    const QFileInfo lock(lockPath);
    return lock.path() + QStringLiteral("/.") + lock.fileName() + kClaimSuffix;
}

// Removes the claim folder CLAIM when its holder, looked at again under the guard, is a station
// of this host that is gone (or, with SELF, this very process): its holder's file, then the
// folder.
bool removeStaleClaim(const QString& claim, bool self)
{
    const TakeOverGuard guard;
    const QString holderPath = claim + kClaimHolder;
    if (!guard.held() || !leftBehind(holderPath, self))
        return false;
    ::unlink(QFile::encodeName(holderPath).constData());
    return ::rmdir(QFile::encodeName(claim).constData()) == 0 || errno == ENOENT;
}

// A claim on a lock path, held while the lock file is created. Some network file systems do not
// carry an exclusive create to the server (a FUSE SMB client turns it into a plain create when
// the name was not there a moment before), so two hosts racing for one ID could both create the
// lock. Creating a folder is exclusive on the server everywhere: of two hosts making the same
// claim folder only one succeeds, and only the holder of the claim creates the lock file. The
// claim is a hidden folder beside the lock, gone again a moment later.
//
// A station can die holding a claim. So that such a claim is taken away safely, the holder puts
// a file naming itself into the folder as a lock names its station, and holds the claim only
// once that file is in: a folder with a file in it cannot be removed by rmdir. A claim is taken
// away when its holder is proven gone (a station of this host, as for locks, under the same
// guard), or when it stays without a holder's file for a while (its station died between the two
// steps): rmdir removes only an empty folder, and a station whose folder went away before it
// named itself does not hold the claim. A claim named by a live station or by another host is
// never removed: after a while the lock is created without a claim, its exclusive creation then
// the only guard, as where claims cannot be made.
class LockClaim
{
public:
    LockClaim(const QString& lockPath, const QByteArray& holder)
        : m_path(claimPath(lockPath)), m_holderPath(m_path + kClaimHolder)
    {
        const QByteArray folder = QFile::encodeName(m_path);
        // A claim is held for a few file operations: one that stays longer is left or stuck.
        constexpr int kPatienceMs = 5000;
        constexpr int kFirstLookMs = 1000;
        QDeadlineTimer patience(kPatienceMs);
        bool looked = false; // at the holder's file, since the patience began
        for (;;) {
            if (::mkdir(folder.constData(), 0755) == 0) {
                if (nameClaimHolder(m_holderPath, holder)) {
                    m_state = Held;
                    return;
                }
                const int code = errno;
                // Taken away before it was named, perhaps made again by another station since:
                // not ours either way.
                if ((code == EEXIST || code == ENOENT) && !patience.hasExpired())
                    continue;
                // A holder's file half-written (a full disk) is this claim's own: it goes too.
                if (code != EEXIST)
                    ::unlink(QFile::encodeName(m_holderPath).constData());
                ::rmdir(folder.constData());
                m_state = Unsupported;
                return;
            }
            if (errno != EEXIST) {
                // A folder where claims cannot be made (read-only, full): the lock's own
                // creation tells what is wrong.
                m_state = Unsupported;
                return;
            }
            // The holder's file is read only once the claim has lasted longer than a claim
            // normally does: on an SMB share a file open for reading is not removed until it is
            // closed, so reading it at every look would keep its holder from letting go.
            const bool waitedLong = patience.remainingTime() <= kPatienceMs - kFirstLookMs;
            if (!waitedLong || (looked && !patience.hasExpired())) {
                QThread::msleep(10);
                continue;
            }
            looked = true;
            const Occupant named = examine(m_holderPath);
            if (named.kind == Occupant::Lock && ownerIsGone(named.owner) &&
                removeStaleClaim(m_path, false)) {
                consoleLog(lcCore(), kClass, "LockClaim",
                           QStringLiteral("Removed the claim left by process %1 of this host: [%2]")
                               .arg(named.owner.pid)
                               .arg(m_path));
                continue;
            }
            if (patience.hasExpired()) {
                if (named.kind == Occupant::Nothing) {
                    consoleLog(lcCore(), kClass, "LockClaim",
                               QStringLiteral("Removing a claim without a holder for %1 ms: [%2]")
                                   .arg(kPatienceMs)
                                   .arg(m_path));
                    ::rmdir(folder.constData());
                    patience.setRemainingTime(kPatienceMs);
                    looked = false;
                    continue;
                }
                consoleLog(lcCore(), kClass, "LockClaim",
                           QStringLiteral("Claim [%1] held by process %2 of [%3] for %4 ms: the "
                                          "lock is created without a claim")
                               .arg(m_path)
                               .arg(named.owner.pid)
                               .arg(named.owner.host)
                               .arg(kPatienceMs));
                m_state = Unsupported;
                return;
            }
            QThread::msleep(10);
        }
    }
    ~LockClaim()
    {
        if (m_state != Held)
            return;
        ::unlink(QFile::encodeName(m_holderPath).constData());
        // Another station reading the holder's file at that moment keeps it (and so the folder)
        // until it closes it, on an SMB share: a few more tries.
        for (int tries = 0; ::rmdir(QFile::encodeName(m_path).constData()) != 0 &&
                            errno == ENOTEMPTY && tries < 20;
             ++tries)
            QThread::msleep(10);
    }
    LockClaim(const LockClaim&) = delete;
    LockClaim& operator=(const LockClaim&) = delete;

private:
    enum State
    {
        Unsupported,
        Held
    } m_state = Unsupported;
    QString m_path;
    QString m_holderPath;
};

} // namespace

QString CustomerLock::lockPath(const QString& folder, const QString& identity)
{
    return QStringLiteral("%1/%2%3").arg(folder, identity, kSuffix);
}

QString CustomerLock::hostName()
{
    const QString name = QSysInfo::machineHostName();
    return name.isEmpty() ? QStringLiteral("localhost") : name;
}

quint64 CustomerLock::processStartTime(qint64 pid)
{
    if (pid <= 0)
        return 0;
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    // "PID (COMMAND) STATE ...": the command may hold spaces and parentheses, so the fields are
    // counted from the last ')', where field 3 (the state) begins.
    const QByteArray stat = file.readAll();
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
    constexpr int kStartTime = 22 - 3;
    return fields.size() > kStartTime ? fields.at(kStartTime).toULongLong() : 0;
}

QString CustomerLock::bootId()
{
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll().trimmed());
}

QString CustomerLock::machineId()
{
    return QString::fromLatin1(QSysInfo::machineUniqueId());
}

QByteArray CustomerLock::lockContent(const QString& identity, const QString& host, qint64 pid,
                                     quint64 started, const QString& bootId,
                                     const QString& machineId)
{
    // The first line is the one every station has always written; the others are ours: host
    // and process, and when that process started in which boot of the machine, so that a
    // process number the system has since given to another program is not taken for the
    // station. The text stays ASCII, which is also valid Mac OS Roman.
    QString text =
        QStringLiteral("ID in use = %1\nhost = %2\npid = %3\n").arg(identity, host).arg(pid);
    if (started != 0)
        text += QStringLiteral("started = %1\n").arg(started);
    if (!bootId.isEmpty())
        text += QStringLiteral("boot = %1\n").arg(bootId);
    if (!machineId.isEmpty())
        text += QStringLiteral("machine = %1\n").arg(machineId);
    return text.toLatin1();
}

CustomerLock::Result CustomerLock::createSessionInUseFile(const QString& folder,
                                                          const QString& identity,
                                                          bool* inUseElsewhere)
{
    if (inUseElsewhere)
        *inUseElsewhere = false;
    m_problem.clear();
    if (m_created) {
        consoleLog(lcCore(), kClass, "createSessionInUseFile",
                   QStringLiteral("Already holding a session file: [%1]").arg(m_path));
        return Refused;
    }
    const QString path = lockPath(folder, identity);
    const qint64 pid = QCoreApplication::applicationPid();
    const QByteArray content =
        lockContent(identity, hostName(), pid, processStartTime(pid), bootId(), machineId());
    // A stale lock taken away may be replaced by another station's before our own creation:
    // a few rounds settle who has it. A network share's client may also fail a create for a
    // moment while another host changes the folder: that is tried again before it counts.
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
        QString error;
        bool existed = false;
        bool created = false;
        {
            const LockClaim claim(path, content);
            created = createFileExclusively(path, content, &error, &existed);
        }
        if (created) {
            m_created = true;
            m_path = path;
            return Created;
        }
        if (!existed) {
            consoleLog(lcCore(), kClass, "createSessionInUseFile",
                       QStringLiteral("Error In Writing to %1 = [%2]").arg(path, error));
            if (round + 1 < kRounds) {
                QThread::msleep(50);
                continue;
            }
            return WriteFailed;
        }
        const Occupant occupant = examine(path);
        if (occupant.kind == Occupant::Nothing)
            continue;
        if (occupant.kind == Occupant::NotALock) {
            // No station writes such a thing: waiting would refuse this ID for ever, and taking
            // it away is not ours to decide. The staff must clear it.
            QString what = QString::fromLatin1(occupant.what);
            QString shownWhat = QCoreApplication::translate("CustomerLock", occupant.what);
            if (!occupant.target.isEmpty()) {
                what = what.arg(occupant.target);
                shownWhat = shownWhat.arg(occupant.target);
            }
            consoleLog(lcCore(), kClass, "createSessionInUseFile",
                       QStringLiteral("Lock path [%1] is %2, not a customer lock: remove it so "
                                      "that CustomerID =[%3] can be served")
                           .arg(path, what, identity));
            m_problem = QCoreApplication::translate(
                            "CustomerLock", "%1 is %2, not a customer lock. Remove it so that "
                                            "the ID %3 can be served.")
                            .arg(path, shownWhat, identity);
            return Blocked;
        }
        if (occupant.kind == Occupant::Lock && ownerIsGone(occupant.owner)) {
            if (removeStaleLock(path, false)) {
                consoleLog(lcCore(), kClass, "createSessionInUseFile",
                           QStringLiteral("Removed the lock left by process %1 of this host: [%2]")
                               .arg(occupant.owner.pid)
                               .arg(path));
            }
            continue;
        }
        break;
    }
    consoleLog(lcCore(), kClass, "createSessionInUseFile",
               QStringLiteral("Another System is Using The Same CustomerID =[%1]").arg(identity));
    if (inUseElsewhere)
        *inUseElsewhere = true;
    return Refused;
}

void CustomerLock::deleteSessionInUseFile()
{
    if (!m_created) {
        consoleLog(lcCore(), kClass, "deleteSessionInUseFile",
                   QStringLiteral("We never created a session file..."));
        return;
    }
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink()) {
        consoleLog(lcCore(), kClass, "deleteSessionInUseFile",
                   QStringLiteral("No SessionFile to be Deleted: [%1]").arg(m_path));
    } else if (!info.isDir() && !QFile::remove(m_path)) {
        consoleLog(lcCore(), kClass, "deleteSessionInUseFile",
                   QStringLiteral("UNABLE to DELETE the file: [%1]").arg(m_path));
    }
    m_created = false;
    m_path.clear();
}

int CustomerLock::removeLocksLeftByThisStation(const QString& folder)
{
    if (folder.isEmpty())
        return 0;
    const qint64 self = QCoreApplication::applicationPid();
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {QStringLiteral("*") + kSuffix}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const Occupant occupant = examine(entry.filePath());
        if (occupant.kind != Occupant::Lock || occupant.owner.host != hostName())
            continue;
        if (occupant.owner.pid != self && !ownerIsGone(occupant.owner))
            continue;
        if (removeStaleLock(entry.filePath(), true)) {
            ++removed;
            consoleLog(lcCore(), kClass, "removeLocksLeftByThisStation",
                       QStringLiteral("Removed leftover lock: [%1]").arg(entry.filePath()));
        }
    }
    // Claims this host's stations died holding, which would hold up the next claim of their ID.
    const QFileInfoList claims =
        QDir(folder).entryInfoList({QStringLiteral(".*") + kSuffix + kClaimSuffix},
                                   QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& claim : claims) {
        if (removeStaleClaim(claim.filePath(), true)) {
            ++removed;
            consoleLog(lcCore(), kClass, "removeLocksLeftByThisStation",
                       QStringLiteral("Removed leftover claim: [%1]").arg(claim.filePath()));
        }
    }
    return removed;
}

} // namespace kivo
