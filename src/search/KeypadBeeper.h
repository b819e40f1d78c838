#pragma once

#include <QObject>

#include <functional>

class QTimer;

namespace kivo {

// The keypad's beeps: COUNT beeps a quarter second apart. The system beep
// belongs to the main thread, so the beeps are spaced by a timer of the thread
// that owns the beeper instead of a sleeping worker; a request from any other
// thread is passed to it. The interface never waits.
class KeypadBeeper : public QObject
{
    Q_OBJECT

public:
    explicit KeypadBeeper(std::function<void()> beep, QObject* parent = nullptr);

    // doBeepInThread: with {"beepCount": COUNT}; safe to call from any thread.
    void playBeeps(int count = 1);
    // Beeps still to come.
    int pending() const { return m_pending; }
    static constexpr int kIntervalMs = 250;

private:
    void addBeeps(int count);
    void beepOnce();

    std::function<void()> m_beep;
    QTimer* m_timer;
    int m_pending = 0;
};

} // namespace kivo
