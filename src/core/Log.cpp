#include "core/Log.h"

#include "core/AtomicFile.h"
#include "core/DateFormat.h"
#include "core/Journal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct LogState
{
    QString logFilePath;
    int fd = -1;
    // The open file's size as far as this facility wrote it, so that the roll is checked
    // without a stat per line (others writing through standard error only make it larger).
    qint64 fileSize = 0;
    qint64 rollAt = kivo::Log::kRollSize;
    bool rolling = false;
    // Lines the file did not take since it last took one, and why.
    qint64 lostLines = 0;
    QString lostReason;
    std::function<void(const QString&)> writeProblemHandler;
};

// A recursive mutex: the facility logs its own steps (rolling) while holding it.
QRecursiveMutex& logMutex()
{
    static QRecursiveMutex mutex;
    return mutex;
}

LogState& state()
{
    static LogState s;
    return s;
}

const char* levelLetter(int level)
{
    switch (level) {
    case 0:
        return "I";
    case 2:
        return "D2";
    case 3:
        return "E";
    case 4:
        return "W";
    default:
        return "D";
    }
}

// The open file's real size, and the size at which to try the next roll: a file that could not
// be rolled (say, moved away by someone else) is tried again a mebibyte later, not every line.
void measureOpenFile(LogState& s)
{
    struct stat st;
    s.fileSize = ::fstat(s.fd, &st) == 0 ? qint64(st.st_size) : 0;
    s.rollAt = s.fileSize < kivo::Log::kRollSize ? kivo::Log::kRollSize
                                                 : s.fileSize + kivo::Log::kRollSize;
}

// A station runs for weeks: the open file rolls as it passes the limit, not only at start. The
// caller holds the log mutex; the file is truncated in place, so the open descriptor (and
// standard error, when it points there) goes on appending to the fresh file.
void rollOpenFile(LogState& s)
{
    s.rolling = true;
    kivo::Log::rollLogFileIfNecessary(s.logFilePath);
    measureOpenFile(s);
    s.rolling = false;
}

QString fileLine(const char* letter, const QString& message)
{
    return QStringLiteral("%1 %2 %3\n")
        .arg(QLatin1String(letter), kivo::Log::logDateString(), message);
}

QString writeProblemText(const LogState& s)
{
    if (s.lostLines == 0)
        return {};
    // Shown to the staff, not written to the log.
    return QCoreApplication::translate(
               "Log", "The log file cannot be written (%1): log lines are being lost.")
        .arg(s.lostReason);
}

// Appends BYTES to the open file. A file that did not take the lines before is first given the
// count of what was lost, so that a reader of the log sees the gap. Returns whether the set of
// problems changed.
bool appendToFile(LogState& s, const QByteArray& bytes)
{
    const qint64 lostBefore = s.lostLines;
    if (s.lostLines > 0) {
        const QByteArray note =
            fileLine("W",
                     QStringLiteral("%1 log lines were lost: the log file could not be written "
                                    "(%2)")
                         .arg(s.lostLines)
                         .arg(s.lostReason))
                .toUtf8();
        if (kivo::writeAllToDescriptor(s.fd, note)) {
            s.fileSize += note.size();
            s.lostLines = 0;
            s.lostReason.clear();
        }
    }
    if (s.lostLines == 0 && kivo::writeAllToDescriptor(s.fd, bytes)) {
        s.fileSize += bytes.size();
    } else {
        if (s.lostLines == 0)
            s.lostReason = QString::fromLocal8Bit(std::strerror(errno));
        ++s.lostLines;
    }
    return (lostBefore == 0) != (s.lostLines == 0);
}

} // namespace

QString kivo::Log::boundedMessage(const QString& message)
{
    // Three UTF-8 bytes at most per UTF-16 unit: short messages need no encoding.
    if (message.size() * 3 <= kMaxMessageBytes)
        return message;
    const QByteArray bytes = message.toUtf8();
    if (bytes.size() <= kMaxMessageBytes)
        return message;
    // Room for the mark, so that a cut message is within the limit and is not cut again.
    qsizetype keep = kMaxMessageBytes - 40;
    while (keep > 0 && (quint8(bytes.at(keep)) & 0xC0) == 0x80)
        --keep; // not inside a character
    return QString::fromUtf8(bytes.constData(), keep) +
           QStringLiteral("\u2026 [cut, %1 bytes]").arg(bytes.size() - keep);
}

QString kivo::Log::logDateString()
{
    return kivo::formatDate(QDateTime::currentDateTime(),
                            QStringLiteral("[YYYY/MM/dd HH:mm:ss.SSS Z]"));
}

namespace {

kivo::journal::Priority journalPriority(int level)
{
    switch (level) {
    case 3:
        return kivo::journal::Error;
    case 4:
        return kivo::journal::Warning;
    case 2:
        return kivo::journal::Debug;
    default:
        return kivo::journal::Info;
    }
}

} // namespace

void kivo::Log::event(int level, const QString& event, const QString& order, const QString& message)
{
    writeLine(level, message, event, order);
}

void kivo::Log::logLevel(int level, const QString& fullMessage)
{
    writeLine(level, fullMessage, QString(), QString());
}

void kivo::Log::writeLine(int level, const QString& fullMessage, const QString& event,
                          const QString& order)
{
    // The journal gets the line whether or not the file is open (a station that cannot write
    // its log is one the operator most needs to hear from).
    if (kivo::journal::enabled())
        kivo::journal::send({journalPriority(level), boundedMessage(fullMessage), event, order});
    bool problemChanged = false;
    QString problem;
    std::function<void(const QString&)> problemHandler;
    {
        QMutexLocker lock(&logMutex());
        LogState& s = state();
        if (s.fd < 0)
            return;
        const QString line = fileLine(levelLetter(level), boundedMessage(fullMessage));
        problemChanged = appendToFile(s, line.toUtf8());
        if (problemChanged) {
            problem = writeProblemText(s);
            problemHandler = s.writeProblemHandler;
        }
        if (s.fileSize >= s.rollAt && !s.rolling)
            rollOpenFile(s);
    }
    // The handler runs outside the lock so that it may log itself.
    if (problemChanged && problemHandler)
        problemHandler(problem);
}

void kivo::Log::debug(const QString& fullMessage)
{
    const QString message = boundedMessage(fullMessage);
    if (!message.contains(QLatin1Char('\n'))) {
        logLevel(1, message);
        return;
    }
    // Several lines stay together: no other thread's line lands between them.
    QMutexLocker lock(&logMutex());
    const QStringList pieces = message.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < pieces.size() && i < kMaxMessageLines; ++i)
        logLevel(1, pieces.at(i));
    if (pieces.size() > kMaxMessageLines)
        logLevel(
            1, QStringLiteral("\u2026 [cut, %1 more lines]").arg(pieces.size() - kMaxMessageLines));
}

void kivo::Log::err(const QString& message)
{
    logLevel(3, message);
}

void kivo::Log::debug(const QLoggingCategory& category, const QString& message)
{
    if (category.isDebugEnabled())
        debug(message);
}

void kivo::Log::err(const QLoggingCategory& category, const QString& message)
{
    if (category.isCriticalEnabled())
        err(message);
}

bool kivo::Log::setLogFile(const QString& path)
{
    QMutexLocker lock(&logMutex());
    LogState& s = state();
    const QString standardized = QDir::cleanPath(path);
    s.logFilePath = standardized;
    if (standardized.isEmpty())
        return false;
    const QString folder = QFileInfo(standardized).absolutePath();
    if (!QDir().mkpath(folder))
        debug(QStringLiteral("error with createDirectoryAtPath for [%1]:\nERROR = %2")
                  .arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    rollLogFileIfNecessary(standardized);
    if (s.fd >= 0)
        return false;
    const QByteArray name = QFile::encodeName(standardized);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0664);
    if (fd < 0) {
        const int code = errno;
        debug(QStringLiteral("Failed to open log file at %1; error %2 \"%3\"")
                  .arg(standardized)
                  .arg(code)
                  .arg(QString::fromLocal8Bit(std::strerror(code))));
        return false;
    }
    ::fchmod(fd, 0664);
    s.fd = fd;
    measureOpenFile(s);
    // Console output lands in the log too.
    std::fflush(stderr);
    ::dup2(fd, STDERR_FILENO);
    return true;
}

void kivo::Log::rollLogFileIfNecessary(const QString& path)
{
    rollLogFile(path, QString(), kRollSize);
}

void kivo::Log::rollLogFile(const QString& path, const QString& oldPath, qint64 atSize)
{
    QMutexLocker lock(&logMutex());
    const QFileInfo info(path);
    if (!info.exists() || info.size() < atSize)
        return;
    debug(QStringLiteral("Rolling log file."));
    QString target = oldPath;
    if (target.isEmpty()) {
        const QString suffix = info.suffix().isEmpty() ? QStringLiteral("log") : info.suffix();
        QString base = path;
        if (!info.suffix().isEmpty())
            base.chop(info.suffix().size() + 1);
        target = base + QStringLiteral("_old.") + suffix;
    }
    QByteArray combined;
    {
        QFile old(target);
        if (old.open(QIODevice::ReadOnly))
            combined = old.readAll();
        QFile current(path);
        if (current.open(QIODevice::ReadOnly))
            combined += current.readAll();
    }
    if (combined.size() > kOldFileLimit) {
        qsizetype cut = combined.size() - (kOldFileLimit + 1);
        const qsizetype newline = combined.indexOf('\n', cut);
        cut = newline < 0 ? combined.size() : newline + 1;
        combined.remove(0, cut);
    }
    if (!kivo::writeFileAtomically(target, combined)) {
        // The current file is the only copy of these lines: it is kept, and tried again later.
        debug(QStringLiteral("Error writing old log file to %1").arg(target));
        return;
    }
    debug(QStringLiteral("Rolled previous log file into %1").arg(target));
    ::chmod(QFile::encodeName(target).constData(), 0664);
    QFile current(path);
    if (current.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        debug(QStringLiteral("Starting new log file at %1").arg(path));
        current.close();
    }
}

QString kivo::Log::writeProblem()
{
    QMutexLocker lock(&logMutex());
    return writeProblemText(state());
}

void kivo::Log::setWriteProblemHandler(std::function<void(const QString&)> handler)
{
    QMutexLocker lock(&logMutex());
    state().writeProblemHandler = std::move(handler);
}

QString kivo::Log::logFilePath()
{
    QMutexLocker lock(&logMutex());
    return state().logFilePath;
}

void kivo::Log::resetForTesting()
{
    QMutexLocker lock(&logMutex());
    LogState& s = state();
    if (s.fd >= 0)
        ::close(s.fd);
    s = LogState();
}
