#include "core/CodeGuard.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Logging.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

namespace kivo {

namespace {

qint64 monotonicNow()
{
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

} // namespace

CodeGuard::CodeGuard(Clock clock) : m_clock(clock ? std::move(clock) : Clock(monotonicNow)) {}

CodeGuard& CodeGuard::station()
{
    static CodeGuard guard;
    return guard;
}

qint64 CodeGuard::remainingLocked() const
{
    if (!m_lockSet)
        return 0;
    return std::max<qint64>(0, m_lockedUntil - m_clock());
}

bool CodeGuard::isLocked() const
{
    QMutexLocker lock(&m_mutex);
    return remainingLocked() > 0;
}

qint64 CodeGuard::remainingMs() const
{
    QMutexLocker lock(&m_mutex);
    return remainingLocked();
}

void CodeGuard::recordRight()
{
    QMutexLocker lock(&m_mutex);
    m_wrong = 0;
    m_locks = 0;
}

bool CodeGuard::recordWrong(const QString& what)
{
    QMutexLocker lock(&m_mutex);
    if (remainingLocked() > 0)
        return false; // refused unread: it tells the guesser nothing and does not count
    if (++m_wrong < kFreeTries)
        return false;
    // 30 s, 60 s, 120 s, ... up to the longest; the shift stops before it could overflow.
    const qint64 lockMs = std::min(kLongestLockMs, kFirstLockMs << std::min(m_locks, 10));
    ++m_locks;
    m_wrong = 0;
    m_lockSet = true;
    m_lockedUntil = m_clock() + lockMs;
    const QString line = QStringLiteral("%1 wrong codes in a row (last: %2): codes are refused "
                                        "for %3 s")
                             .arg(kFreeTries)
                             .arg(what)
                             .arg(lockMs / 1000);
    consoleLog(lcCore(), "CodeGuard", "recordWrong", line);
    Log::err(lcCore(), QStringLiteral("CodeGuard: %1").arg(line));
    return true;
}

int CodeGuard::wrongInARow() const
{
    QMutexLocker lock(&m_mutex);
    return m_wrong;
}

QString CodeGuard::refusalText() const
{
    const qint64 seconds = (remainingMs() + 999) / 1000;
    return QCoreApplication::translate("Keypad", "Too Many Wrong Codes - Try Again in %1 s...")
        .arg(seconds);
}

} // namespace kivo
