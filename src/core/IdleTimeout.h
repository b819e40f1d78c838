#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace kivo {

// Ends a visit that the customer walked away from, so the next customer never sees someone
// else's photos. While a visit is on, input keeps it alive (activity()); after the timeout
// without input the customer is asked "Still there?" (promptShown), and when nothing answers
// within the prompt's time the visit is over (expired). Input during the prompt withdraws it
// and the watch starts again. Off when the timeout is 0 or less.
class IdleTimeout : public QObject
{
    Q_OBJECT

public:
    enum class Phase
    {
        Off,
        Watching,
        Prompting,
    };
    Q_ENUM(Phase)

    static constexpr int kDefaultPromptMs = 20000;

    explicit IdleTimeout(QObject* parent = nullptr);

    // Takes effect at the next start of a watch (a visit beginning, or input after a prompt).
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    void setPromptDuration(int milliseconds) { m_promptMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }

    // A visit began or ended; a prompt on show at the end is withdrawn.
    void setVisitActive(bool active);
    // A touch, key or mouse event.
    void activity();

    Phase phase() const { return m_phase; }
    // Whole seconds left before the visit ends while prompting (rounded up), else 0.
    int promptSecondsLeft() const;

signals:
    void promptShown();
    void promptWithdrawn();
    void expired();

private:
    void startWatching();
    void timerFired();

    int m_timeoutMs = 0;
    int m_promptMs = kDefaultPromptMs;
    bool m_visitActive = false;
    Phase m_phase = Phase::Off;
    QTimer m_timer;
    // Since the last input while watching, since the prompt came up while prompting. Input only
    // restarts this clock; the timer, when it fires early, is armed again for the rest.
    QElapsedTimer m_since;
};

} // namespace kivo
