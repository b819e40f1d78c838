#include "core/IdleTimeout.h"

#include <algorithm>

namespace kivo {

IdleTimeout::IdleTimeout(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &IdleTimeout::timerFired);
}

void IdleTimeout::setVisitActive(bool active)
{
    if (active == m_visitActive)
        return;
    m_visitActive = active;
    if (active) {
        startWatching();
        return;
    }
    const bool prompting = m_phase == Phase::Prompting;
    m_timer.stop();
    m_phase = Phase::Off;
    if (prompting)
        emit promptWithdrawn();
}

void IdleTimeout::activity()
{
    if (m_phase == Phase::Watching) {
        m_since.restart();
        return;
    }
    if (m_phase == Phase::Prompting) {
        startWatching();
        emit promptWithdrawn();
    }
}

int IdleTimeout::promptSecondsLeft() const
{
    if (m_phase != Phase::Prompting)
        return 0;
    const qint64 left = std::max<qint64>(0, m_promptMs - m_since.elapsed());
    return int((left + 999) / 1000);
}

void IdleTimeout::startWatching()
{
    m_timer.stop();
    if (m_timeoutMs <= 0) {
        m_phase = Phase::Off;
        return;
    }
    m_phase = Phase::Watching;
    m_since.start();
    m_timer.start(m_timeoutMs);
}

void IdleTimeout::timerFired()
{
    if (m_phase == Phase::Off)
        return;
    // A coarse timer may fire a little early: the rest is waited for.
    const qint64 rest = (m_phase == Phase::Watching ? m_timeoutMs : m_promptMs) - m_since.elapsed();
    if (rest > 0) {
        m_timer.start(int(rest));
        return;
    }
    if (m_phase == Phase::Watching) {
        m_phase = Phase::Prompting;
        m_since.start();
        m_timer.start(m_promptMs);
        emit promptShown();
        return;
    }
    // The visit is over; the next one starts its own watch.
    m_phase = Phase::Off;
    m_visitActive = false;
    emit expired();
}

} // namespace kivo
