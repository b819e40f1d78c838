#pragma once

#include <QDateTime>

namespace kivo {

// The timing of a hold-down button: a press counts as held once it has lasted
// longer than the hold time (3 s for the Enter key). Times are passed in so
// that the rule is tested without waiting.
class KeypadHoldTimer
{
public:
    explicit KeypadHoldTimer(int holdMilliseconds = 3000) : m_holdMs(holdMilliseconds) {}

    void mouseDown(const QDateTime& now) { m_endDate = now.addMSecs(m_holdMs); }
    // True when the release should beep (the press was held long enough).
    bool mouseUp(const QDateTime& now) const { return m_endDate.isValid() && now > m_endDate; }

    // Whether the press was held long enough. The moment is used up by the check,
    // so one hold triggers once: a continuous button clears it only on YES, any
    // other after every check.
    bool didHoldDownLongEnough(const QDateTime& now, bool continuous);

    QDateTime endDate() const { return m_endDate; }
    int holdMilliseconds() const { return m_holdMs; }

private:
    int m_holdMs;
    QDateTime m_endDate;
};

} // namespace kivo
