#pragma once

#include <QLoggingCategory>
#include <QString>

#include <functional>

// The station's leveled log: one line per message to the log file (nothing before it opens),
// rolling into an "_old" file at 1 MiB. Class methods only; safe from any thread (a line is
// never torn and never lost between threads).
namespace kivo {

class Log
{
public:
    Log() = delete;

    static constexpr qint64 kRollSize = 1048576;      // 1 MiB
    static constexpr qint64 kOldFileLimit = 10485760; // 10 MiB
    // What one message may write: a longer one is cut with a mark saying how much was left out,
    // and a message of many lines keeps its first lines only. A caller handing over a whole file
    // or a peer's oversized event must not roll the day's history out of the log.
    static constexpr qsizetype kMaxMessageBytes = 4096;
    static constexpr int kMaxMessageLines = 64;

    // Opens the log file; true only when this call opened it.
    static bool setLogFile(const QString& path);
    static void rollLogFileIfNecessary(const QString& path);
    static void rollLogFile(const QString& path, const QString& oldPath, qint64 atSize);

    // LEVEL: 0 info, 1 and 2 debug, 3 error, 4 warning. Under the service manager every line
    // goes to the journal as well, at the matching priority.
    static void logLevel(int level, const QString& message);
    // A line that an operator filters on: in the journal with KIVO_EVENT = EVENT and, when ORDER
    // is set, KIVO_ORDER = ORDER (the identity that names the order's files).
    static void event(int level, const QString& event, const QString& order,
                      const QString& message);
    static void debug(const QString& message);
    static void err(const QString& message);
    // The same, as a line of CATEGORY's library: nothing is written while the category's debug
    // (or, for err, critical) messages are turned off.
    static void debug(const QLoggingCategory& category, const QString& message);
    static void err(const QLoggingCategory& category, const QString& message);
    static QString logDateString();

    // MESSAGE as the log writes it: at most kMaxMessageBytes of UTF-8; a longer one is cut at a
    // character boundary and ended by "… [cut, N bytes]" naming the bytes left out.
    static QString boundedMessage(const QString& message);

    // Empty while the log file takes every line; otherwise what keeps it from doing so (a full
    // disk, say). Lines that cannot be written are counted, and once the file takes lines again
    // its first line says how many were lost.
    static QString writeProblem();
    // Called on the logging thread whenever writeProblem() changes, with its new value. It may
    // log, but must not wait for another thread that logs (it can run inside a multi-line
    // message, which holds the facility).
    static void setWriteProblemHandler(std::function<void(const QString&)> handler);

    // What the facility holds, for tests and diagnostics.
    static QString logFilePath();

    // Closes the file and returns the facility to its first state (standard error is not
    // restored). For tests.
    static void resetForTesting();

private:
    static void writeLine(int level, const QString& message, const QString& event,
                          const QString& order);
};

} // namespace kivo
