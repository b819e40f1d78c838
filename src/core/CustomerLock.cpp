#include "core/CustomerLock.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
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

QByteArray CustomerLock::lockContent(const QString& identity, const QString& host, qint64 pid)
{
    // The first line is the one every station has always written; the others are
    // ours. The text stays ASCII, which is also valid Mac OS Roman.
    return QStringLiteral("ID in use = %1\nhost = %2\npid = %3\n")
        .arg(identity, host)
        .arg(pid)
        .toLatin1();
}

CustomerLock::Result CustomerLock::createSessionInUseFile(const QString& folder,
                                                          const QString& identity,
                                                          bool* inUseElsewhere)
{
    if (inUseElsewhere)
        *inUseElsewhere = false;
    if (m_created) {
        consoleLog(kClass, "createSessionInUseFile",
                   QStringLiteral("Already holding a session file: [%1]").arg(m_path));
        return Refused;
    }
    const QString path = lockPath(folder, identity);
    QString error;
    bool existed = false;
    if (!createFileExclusively(
            path, lockContent(identity, hostName(), QCoreApplication::applicationPid()), &error,
            &existed)) {
        if (existed) {
            consoleLog(
                kClass, "createSessionInUseFile",
                QStringLiteral("Another System is Using The Same CustomerID =[%1]").arg(identity));
            if (inUseElsewhere)
                *inUseElsewhere = true;
            return Refused;
        }
        consoleLog(kClass, "createSessionInUseFile",
                   QStringLiteral("Error In Writing to %1 = [%2]").arg(path, error));
        return WriteFailed;
    }
    m_created = true;
    m_path = path;
    return Created;
}

void CustomerLock::deleteSessionInUseFile()
{
    if (!m_created) {
        consoleLog(kClass, "deleteSessionInUseFile",
                   QStringLiteral("We never created a session file..."));
        return;
    }
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink()) {
        consoleLog(kClass, "deleteSessionInUseFile",
                   QStringLiteral("No SessionFile to be Deleted: [%1]").arg(m_path));
    } else if (!info.isDir() && !QFile::remove(m_path)) {
        consoleLog(kClass, "deleteSessionInUseFile",
                   QStringLiteral("UNABLE to DELETE the file: [%1]").arg(m_path));
    }
    m_created = false;
    m_path.clear();
}

int CustomerLock::removeLocksLeftByThisStation(const QString& folder)
{
    if (folder.isEmpty())
        return 0;
    const QString host = hostName();
    const qint64 self = QCoreApplication::applicationPid();
    int removed = 0;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        QFile file(entry.filePath());
        if (entry.size() > 4096 || !file.open(QIODevice::ReadOnly))
            continue;
        QString lockHost;
        qint64 lockPid = 0;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines) {
            if (line.startsWith("host = "))
                lockHost = QString::fromLatin1(line.mid(7));
            else if (line.startsWith("pid = "))
                lockPid = line.mid(6).toLongLong();
        }
        file.close();
        // A lock without our lines was written by another kind of station: never
        // ours.
        if (lockHost != host || lockPid <= 0)
            continue;
        if (lockPid != self && processIsRunning(lockPid))
            continue;
        if (QFile::remove(entry.filePath())) {
            ++removed;
            consoleLog(kClass, "removeLocksLeftByThisStation",
                       QStringLiteral("Removed leftover lock: [%1]").arg(entry.filePath()));
        }
    }
    return removed;
}

} // namespace kivo
