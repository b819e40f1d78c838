#include "search/KeypadBeeper.h"

#include <QThread>
#include <QTimer>

namespace kivo {

KeypadBeeper::KeypadBeeper(std::function<void()> beep, QObject* parent)
    : QObject(parent), m_beep(std::move(beep)), m_timer(new QTimer(this))
{
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &KeypadBeeper::beepOnce);
}

void KeypadBeeper::playBeeps(int count)
{
    if (count < 1)
        count = 1;
    if (QThread::currentThread() == thread())
        addBeeps(count);
    else
        QMetaObject::invokeMethod(
            this, [this, count] { addBeeps(count); }, Qt::QueuedConnection);
}

void KeypadBeeper::addBeeps(int count)
{
    const bool idle = m_pending == 0;
    m_pending += count;
    if (idle) {
        beepOnce();
    }
}

void KeypadBeeper::beepOnce()
{
    if (m_pending <= 0) {
        m_timer->stop();
        return;
    }
    --m_pending;
    if (m_beep)
        m_beep();
    if (m_pending > 0) {
        if (!m_timer->isActive())
            m_timer->start();
    } else {
        m_timer->stop();
    }
}

} // namespace kivo
