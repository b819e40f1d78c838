#include "output/ReleaseJournal.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "output/HostLink.h"
#include "output/Logging.h"
#include "output/SessionBus.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QSysInfo>
#include <QThread>
#include <QVariantList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "ReleaseJournal", method, text);
    kivo::Log::debug(lcOutput(),
                     QStringLiteral("ReleaseJournal %1: %2").arg(QLatin1String(method), text));
}

QString systemError(const QString& what, const QString& path)
{
    return QStringLiteral("%1 %2: %3")
        .arg(what, path, QString::fromLocal8Bit(std::strerror(errno)));
}

// Tests spread the moments at which a release can be killed by slowing its steps down.
void stepPause()
{
    static const int ms = qEnvironmentVariableIntValue("KIVO_RELEASE_STEP_DELAY_MS");
    if (ms > 0)
        QThread::msleep(ms);
}

QByteArray hashOf(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}

bool fileHasHash(const QString& path, const QByteArray& hash)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && hashOf(file.readAll()) == hash;
}

void syncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::function<void(const QString&)>& beforeRename()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

bool renameFile(const QString& from, const QString& to)
{
    if (beforeRename())
        beforeRename()(to);
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// The commits of this process that stopped at a rename (a folder went away between two), by
// journal entry: the final path of the release's first file, and how many of its files had
// taken their names. A retry of the release takes its entry up (takeUpEarlierAttempt).
struct UnfinishedCommit
{
    QString firstFinal;
    qsizetype renamed = 0;
};

struct UnfinishedCommits
{
    QMutex mutex;
    QHash<QString, UnfinishedCommit> byEntry;
};

UnfinishedCommits& unfinishedCommits()
{
    static UnfinishedCommits commits;
    return commits;
}

void rememberUnfinished(const QString& entry, const UnfinishedCommit& commit)
{
    UnfinishedCommits& all = unfinishedCommits();
    const QMutexLocker lock(&all.mutex);
    all.byEntry.insert(entry, commit);
}

void forgetUnfinished(const QString& entry)
{
    UnfinishedCommits& all = unfinishedCommits();
    const QMutexLocker lock(&all.mutex);
    all.byEntry.remove(entry);
}

// The temporary/final pairs a journal entry names, in staging order.
struct JournalFile
{
    QString temp, final;
    QByteArray hash;
};

QList<JournalFile> journalFiles(const QVariantMap& entry)
{
    QList<JournalFile> files;
    for (const QVariant& item : entry.value(QStringLiteral("files")).toList()) {
        const QVariantMap f = item.toMap();
        files.append({f.value(QStringLiteral("temp")).toString(),
                      f.value(QStringLiteral("final")).toString(),
                      f.value(QStringLiteral("sha256")).toByteArray()});
    }
    return files;
}

// Rolls back the attempt of ENTRY_PATH, whose first RENAMED FILES took their names: its
// temporaries go, and so do its files in place while they are still its own (the point of sale
// has not taken the invoice).
void rollBackAttempt(const QString& entryPath, const QList<JournalFile>& files, qsizetype renamed)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (i >= renamed)
            QFile::remove(files[i].temp);
        if (fileHasHash(files[i].final, files[i].hash))
            QFile::remove(files[i].final);
    }
    QFile::remove(entryPath);
    forgetUnfinished(entryPath);
}

// The journal's lock, held by a release from its first temporary to its journal entry's renames
// and by a recovery throughout. Released by the kernel when the holder dies.
int lockJournal()
{
    const QString folder = ReleaseJournal::folder();
    QDir().mkpath(folder);
    const int fd = ::open(QFile::encodeName(folder + QStringLiteral("/.lock")).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        log("lock", systemError(QStringLiteral("cannot open the journal lock in"), folder));
        return -1;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd);
            return -1;
        }
    }
    return fd;
}

void unlockJournal(int fd)
{
    if (fd >= 0)
        ::close(fd); // closing the only descriptor releases the lock
}

QString announcementName(ReleaseAnnouncement announcement)
{
    switch (announcement) {
    case ReleaseAnnouncement::PrintJob:
        return QStringLiteral("printJob");
    case ReleaseAnnouncement::PrePrint:
        return QStringLiteral("prePrint");
    case ReleaseAnnouncement::None:
        break;
    }
    return QStringLiteral("none");
}

// Names the station whose journal this is: its host and its journal's folder. Its temporaries
// carry it, because the folders written to (often the point-of-sale folder) may be shared with
// other stations, whose temporaries of releases in progress are none of this station's business.
QString stationTag()
{
    const QByteArray who = QSysInfo::machineHostName().toUtf8() + '\n' +
                           QFile::encodeName(QDir(ReleaseJournal::folder()).absolutePath());
    return QString::fromLatin1(
        QCryptographicHash::hash(who, QCryptographicHash::Sha256).toHex().left(12));
}

// A temporary of a release of this station.
bool isOwnTemporaryName(const QString& name)
{
    return name.startsWith(QLatin1Char('.')) &&
           name.contains(QLatin1String(ReleaseJournal::kTemporaryMarker) + stationTag() +
                         QLatin1Char('-'));
}

} // namespace

ReleaseTransaction::ReleaseTransaction(const QString& customerId, ReleaseAnnouncement announcement)
    : m_customerId(customerId), m_announcement(announcement),
      m_token(QStringLiteral("%1-%2-%3")
                  .arg(stationTag())
                  .arg(QDateTime::currentMSecsSinceEpoch())
                  .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))),
      m_lockFd(lockJournal())
{}

ReleaseTransaction::~ReleaseTransaction()
{
    if (!m_committed)
        rollback();
    unlockJournal(m_lockFd);
}

void ReleaseTransaction::rollback()
{
    for (const Staged& staged : std::as_const(m_staged))
        QFile::remove(staged.temp);
    m_staged.clear();
}

QString ReleaseTransaction::stage(const QString& finalPath, const QByteArray& data, QString* error)
{
    const QFileInfo info(finalPath);
    const QString temp = info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                         QLatin1String(ReleaseJournal::kTemporaryMarker) + m_token;
    // Not created yet, so that a failed write leaves nothing behind under the temporary's name
    // either.
    QString why;
    if (!createFileExclusively(temp, data, &why)) {
        if (error)
            *error = why;
        QFile::remove(temp);
        return {};
    }
    // A replaced file keeps its permissions, as the single-file writes do.
    const QFileInfo old(finalPath);
    if (old.isFile())
        QFile::setPermissions(temp, old.permissions());
    m_staged.append({temp, info.absoluteFilePath(), hashOf(data)});
    stepPause();
    return temp;
}

bool ReleaseTransaction::commit(QString* error)
{
    const char* method = "commit";
    QVariantList files;
    for (const Staged& staged : std::as_const(m_staged))
        files.append(QVariantMap{{QStringLiteral("temp"), staged.temp},
                                 {QStringLiteral("final"), staged.final},
                                 {QStringLiteral("sha256"), staged.hash}});
    const QVariantMap entry{{QStringLiteral("customerID"), m_customerId},
                            {QStringLiteral("announce"), announcementName(m_announcement)},
                            {QStringLiteral("files"), files}};
    const QString entryPath =
        ReleaseJournal::folder() + QLatin1Char('/') + m_token + QStringLiteral(".plist");
    QString why;
    if (!plist::writeFile(entryPath, entry, &why)) {
        log(method, QStringLiteral("cannot write the journal entry: %1").arg(why));
        if (error)
            *error = QStringLiteral("cannot write the journal entry %1: %2").arg(entryPath, why);
        rollback();
        return false;
    }
    stepPause();

    QSet<QString> folders;
    qsizetype renamedCount = 0;
    for (const Staged& staged : std::as_const(m_staged)) {
        if (!renameFile(staged.temp, staged.final)) {
            const QString reason = systemError(QStringLiteral("cannot rename onto"), staged.final);
            m_failedFile = staged.final;
            rememberUnfinished(entryPath, {m_staged.constFirst().final, renamedCount});
            log(method, reason + QStringLiteral("; the release waits for its retry"));
            if (error)
                *error = reason;
            m_committed = true; // the journal owns the temporaries now
            return false;
        }
        ++renamedCount;
        folders.insert(QFileInfo(staged.final).absolutePath());
        stepPause();
    }
    for (const QString& folder : std::as_const(folders))
        syncFolder(folder);
    m_committed = true;
    if (m_announcement == ReleaseAnnouncement::None)
        QFile::remove(entryPath);
    else
        m_pendingEntry = entryPath;
    return true;
}

ReleaseTransaction::EarlierAttempt
ReleaseTransaction::takeUpEarlierAttempt(const QString& firstFinal, const QByteArray& firstData,
                                         QStringList* finals, QString* error)
{
    const char* method = "takeUpEarlierAttempt";
    const QString first = QFileInfo(firstFinal).absoluteFilePath();
    QList<std::pair<QString, qsizetype>> attempts; // entry, files renamed
    {
        UnfinishedCommits& all = unfinishedCommits();
        const QMutexLocker lock(&all.mutex);
        for (auto it = all.byEntry.cbegin(); it != all.byEntry.cend(); ++it)
            if (it.value().firstFinal == first)
                attempts.append({it.key(), it.value().renamed});
    }
    for (const auto& [entryPath, renamed] : std::as_const(attempts)) {
        const QVariantMap entry = plist::readFile(entryPath).toMap();
        const QList<JournalFile> files = journalFiles(entry);
        if (files.isEmpty()) { // a recovery of another process finished it meanwhile
            forgetUnfinished(entryPath);
            continue;
        }
        if (finals) {
            finals->clear();
            for (const JournalFile& f : files)
                finals->append(f.final);
        }
        const QString name = QFileInfo(entryPath).fileName();
        // The files still to take their names: each waits whole under its temporary, holds its
        // name already (a rename that went through though the share answered with an error), or
        // is lost. One in a folder that does not answer is not lost: its rename fails below, and
        // the attempt waits for the folder.
        bool lost = false;
        for (qsizetype i = renamed; i < files.size(); ++i) {
            if (!fileHasHash(files[i].temp, files[i].hash) &&
                !fileHasHash(files[i].final, files[i].hash) &&
                QFileInfo(QFileInfo(files[i].final).absolutePath()).isDir())
                lost = true;
        }
        const bool sameOrder = files.constFirst().hash == hashOf(firstData);
        if (!sameOrder || lost) {
            // The release that follows replaces it.
            rollBackAttempt(entryPath, files, renamed);
            if (finals)
                finals->clear();
            log(method, QStringLiteral("release [%1] of [%2] rolled back: %3")
                            .arg(name, m_customerId,
                                 sameOrder ? QStringLiteral("a file of it is lost")
                                           : QStringLiteral("the order was changed")));
            continue;
        }

        QSet<QString> folders;
        for (qsizetype i = renamed; i < files.size(); ++i) {
            if (!QFileInfo::exists(files[i].temp) && fileHasHash(files[i].final, files[i].hash))
                continue;
            if (!renameFile(files[i].temp, files[i].final)) {
                const QString reason =
                    systemError(QStringLiteral("cannot rename onto"), files[i].final);
                log(method, reason);
                m_failedFile = files[i].final;
                if (error)
                    *error = reason;
                rememberUnfinished(entryPath, {first, i});
                for (const QString& folder : std::as_const(folders))
                    syncFolder(folder);
                return EarlierAttempt::Unfinished;
            }
            folders.insert(QFileInfo(files[i].final).absolutePath());
        }
        for (const QString& folder : std::as_const(folders))
            syncFolder(folder);
        forgetUnfinished(entryPath);
        log(method, QStringLiteral("release [%1] of [%2] finished").arg(name, m_customerId));
        if (entry.value(QStringLiteral("announce")).toString() == QLatin1String("none"))
            QFile::remove(entryPath);
        else
            m_pendingEntry = entryPath;
        return EarlierAttempt::Completed;
    }
    return EarlierAttempt::None;
}

void ReleaseTransaction::setBeforeRenameForTests(std::function<void(const QString&)> hook)
{
    beforeRename() = std::move(hook);
}

int ReleaseJournal::rollBackUnfinishedAttempts()
{
    UnfinishedCommits& all = unfinishedCommits();
    {
        const QMutexLocker lock(&all.mutex);
        if (all.byEntry.isEmpty())
            return 0;
    }
    // Under the journal's lock, so that no retry takes an attempt up meanwhile.
    const int lock = lockJournal();
    QList<std::pair<QString, qsizetype>> attempts; // entry, files renamed
    {
        const QMutexLocker registry(&all.mutex);
        for (auto it = all.byEntry.cbegin(); it != all.byEntry.cend(); ++it)
            attempts.append({it.key(), it.value().renamed});
    }
    for (const auto& [entryPath, renamed] : std::as_const(attempts)) {
        const QList<JournalFile> files = journalFiles(plist::readFile(entryPath).toMap());
        rollBackAttempt(entryPath, files, renamed);
        log("rollBackUnfinishedAttempts",
            QStringLiteral("release [%1] rolled back: its visit ended without it")
                .arg(QFileInfo(entryPath).fileName()));
    }
    unlockJournal(lock);
    return int(attempts.size());
}

QString ReleaseJournal::folder()
{
    return paths::sharedOrderFolder() + QStringLiteral("/.journal");
}

void ReleaseJournal::markAnnounced(const QString& entry)
{
    if (!entry.isEmpty())
        QFile::remove(entry);
}

RecoveryReport ReleaseJournal::recover(Settings& settings)
{
    const char* method = "recover";
    RecoveryReport report;
    auto note = [&report, method](const QString& line) {
        report.lines.append(line);
        log(method, line);
    };
    const int lock = lockJournal();
    const QDir journal(folder());

    QSet<QString> scanned;
    for (const QString& f : {settings.localServerPath(), settings.tilboxPendingInvoiceFolder()}) {
        if (!f.isEmpty())
            scanned.insert(QDir(f).absolutePath());
    }

    QSet<QString> kept; // temporaries of a release tried again at the next start
    const QStringList entries =
        journal.entryList({QStringLiteral("*.plist")}, QDir::Files, QDir::Name);
    for (const QString& name : entries) {
        const QString entryPath = journal.filePath(name);
        const QVariantMap entry = plist::readFile(entryPath).toMap();
        const QString customerId = entry.value(QStringLiteral("customerID")).toString();
        const QVariantList files = entry.value(QStringLiteral("files")).toList();

        struct Pair
        {
            QString temp, final;
            bool tempReady = false;
        };
        QList<Pair> pairs;
        bool whole = !files.isEmpty();
        for (const QVariant& item : files) {
            const QVariantMap f = item.toMap();
            Pair pair{f.value(QStringLiteral("temp")).toString(),
                      f.value(QStringLiteral("final")).toString()};
            const QByteArray hash = f.value(QStringLiteral("sha256")).toByteArray();
            pair.tempReady = fileHasHash(pair.temp, hash);
            // Without its temporary, the pair is done only when the final file is the new one.
            if (!pair.tempReady && !fileHasHash(pair.final, hash))
                whole = false;
            scanned.insert(QFileInfo(pair.final).absolutePath());
            pairs.append(pair);
        }

        if (!whole) {
            for (const Pair& pair : std::as_const(pairs))
                QFile::remove(pair.temp);
            QFile::remove(entryPath);
            ++report.rolledBack;
            note(QStringLiteral("release [%1] of [%2] cannot be finished: its temporaries are "
                                "removed")
                     .arg(name, customerId));
            continue;
        }
        bool renamed = false;
        QSet<QString> folders;
        for (const Pair& pair : std::as_const(pairs)) {
            if (!pair.tempReady)
                continue;
            if (!renameFile(pair.temp, pair.final)) {
                whole = false;
                note(systemError(QStringLiteral("cannot rename onto"), pair.final));
                break;
            }
            renamed = true;
            folders.insert(QFileInfo(pair.final).absolutePath());
        }
        for (const QString& f : std::as_const(folders))
            syncFolder(f);
        if (!whole) {
            for (const Pair& pair : std::as_const(pairs))
                kept.insert(QFileInfo(pair.temp).absoluteFilePath());
            continue; // tried again at the next start
        }
        if (renamed) {
            ++report.completed;
            note(QStringLiteral("release [%1] of [%2] finished").arg(name, customerId));
        }

        const QString announce = entry.value(QStringLiteral("announce")).toString();
        if (announce == QLatin1String("none")) {
            QFile::remove(entryPath);
            continue;
        }
        if (!sessionBusAvailable()) {
            note(QStringLiteral("release [%1] of [%2] not announced yet: no session bus")
                     .arg(name, customerId));
            continue;
        }
        if (announce == QLatin1String("prePrint")) {
            const QString path = pairs.isEmpty() ? QString() : pairs.constFirst().final;
            sendNewOrderEvent(QVariantMap{{QStringLiteral("orderFilePath"), path},
                                          {QStringLiteral("customerID"), customerId}},
                              customerId);
        } else {
            notifyHostOfNewOrder(settings, customerId);
        }
        QFile::remove(entryPath);
        ++report.announced;
        note(QStringLiteral("release [%1] of [%2] announced").arg(name, customerId));
    }

    // This station's temporaries that no journal entry names are of releases that died before
    // their entry: the old files are whole, the temporaries go. Another station's are left to
    // it. The journal's own half-written entries go too.
    for (const QString& f : std::as_const(scanned)) {
        const QDir dir(f);
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (isOwnTemporaryName(name) && !kept.contains(dir.absoluteFilePath(name)) &&
                QFile::remove(dir.filePath(name))) {
                ++report.temporariesRemoved;
                note(QStringLiteral("leftover temporary [%1] removed").arg(dir.filePath(name)));
            }
        }
    }
    for (const QString& name : journal.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(QLatin1Char('.')) && name != QLatin1String(".lock"))
            QFile::remove(journal.filePath(name));
    }
    unlockJournal(lock);
    return report;
}

} // namespace kivo
