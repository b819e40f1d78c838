#pragma once

#include <QMutex>
#include <QString>

#include <functional>

namespace kivo {

// Limits guessing at the keypad: after kFreeTries wrong codes in a row every code is refused for
// a while (kFirstLockMs, doubling with each lock that follows without a right code in between,
// at most kLongestLockMs), the right one included, so that trying the codes one by one takes
// days instead of minutes. Release codes and command codes count alike; photo IDs are not codes
// and are never refused here, so a passer-by cannot lock the next customer out. The log says
// when a lock starts. Safe from any thread.
class CodeGuard
{
public:
    // Milliseconds of a clock that only goes forward.
    using Clock = std::function<qint64()>;

    static constexpr int kFreeTries = 5;
    static constexpr qint64 kFirstLockMs = qint64(30) * 1000;
    static constexpr qint64 kLongestLockMs = qint64(15) * 60 * 1000;

    // CLOCK: the system's monotonic clock when not given.
    explicit CodeGuard(Clock clock = Clock());

    // The station's guard: the keypad and the release check share it.
    static CodeGuard& station();

    // Codes are refused now.
    bool isLocked() const;
    // How long they still are (0 when not).
    qint64 remainingMs() const;
    // A code that matched: the count and the doubling start again.
    void recordRight();
    // A wrong code (WHAT says which prompt, for the log); true when it started a lock.
    bool recordWrong(const QString& what);
    int wrongInARow() const;

    // What the keypad shows while codes are refused.
    QString refusalText() const;

private:
    qint64 remainingLocked() const;

    mutable QMutex m_mutex;
    Clock m_clock;
    int m_wrong = 0;
    int m_locks = 0;
    qint64 m_lockedUntil = 0;
    bool m_lockSet = false;
};

} // namespace kivo
