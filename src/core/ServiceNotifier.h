#pragma once

#include <QByteArray>
#include <QObject>

class QTimer;

namespace kivo {

// Tells the service manager how the station is doing, over the datagram socket it names in
// NOTIFY_SOCKET: "READY=1" once the station serves its first customer, "STATUS=..." lines, and
// "WATCHDOG=1" from the main loop at half the interval the manager asks for in WATCHDOG_USEC,
// so a main loop that stops turning gets the station restarted. Without NOTIFY_SOCKET (started
// by hand, by a test) every call does nothing.
class ServiceNotifier : public QObject
{
    Q_OBJECT

public:
    explicit ServiceNotifier(QObject* parent = nullptr);

    // Sends STATE (newline-separated assignments) to the socket in NOTIFY_SOCKET; true when the
    // datagram went out. An abstract socket is named with a leading '@'.
    static bool notify(const QByteArray& state);

    // The watchdog interval the manager asked for, in milliseconds; 0 when there is none or when
    // WATCHDOG_PID names another process (a child that inherited the environment).
    static qint64 watchdogIntervalMs();

    // Starts the pings from this thread's event loop when a watchdog interval is set; answers
    // whether it did.
    bool startWatchdog();
    bool watchdogRunning() const;

    // "READY=1" with STATUS, the first time only; later calls send STATUS alone.
    void ready(const QString& status);
    bool isReady() const { return m_ready; }

private:
    QTimer* m_watchdog = nullptr;
    bool m_ready = false;
};

} // namespace kivo
