#pragma once

#include "output/HostEvent.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>

#include <functional>

class QTimer;
#include <memory>

namespace kivo {

// Answers one incoming event, now or later (at most once). A responder that is dropped without
// answering leaves the caller to its own timeout, which is how a test host "never answers".
class EventResponder
{
public:
    EventResponder(QDBusConnection connection, const QDBusMessage& call);
    void reply(const QStringList& items) const;
    void error(const QString& name, const QString& text) const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

// The error an event gets when its caller has sent too many in a short time.
inline constexpr const char* kTooManyEventsError = "org.kivo.Error.TooManyEvents";

// How many events one caller (one bus connection) may have handled in a window of time. A peer
// that floods the station is refused past that, and what was refused is counted, so that one
// misbehaving program costs a line in the log instead of the log itself.
class CallerRateLimit
{
public:
    CallerRateLimit(int maxEvents, qint64 windowMs) : m_max(maxEvents), m_windowMs(windowMs) {}

    int maxEvents() const { return m_max; }
    qint64 windowMs() const { return m_windowMs; }

    // Whether an event from CALLER at NOW_MS (any steady clock) is let through.
    bool admit(const QString& caller, qint64 nowMs);

    struct Refused
    {
        QString caller;
        qint64 count = 0;
    };
    // The callers whose window has ended by NOW_MS with events refused, and how many; every
    // ended window is forgotten. With EVERYTHING, open windows are taken as well.
    QList<Refused> takeEnded(qint64 nowMs, bool everything = false);
    // Whether any window holds refused events not yet taken.
    bool hasRefused() const;

private:
    struct Window
    {
        qint64 start = 0;
        int admitted = 0;
        qint64 refused = 0;
    };
    int m_max;
    qint64 m_windowMs;
    QHash<QString, Window> m_windows;
    QList<Refused> m_ended; // windows replaced by admit() before they were taken
};

// The receiving side of the event protocol for one program: owns "org.kivo.app.SIGNATURE" on
// the session bus and serves HandleEvent on /org/kivo/Event. Events are handed to the handler on
// the thread this object lives in (the main thread in the station).
class EventServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(const HostEvent&, const EventResponder&)>;

    explicit EventServer(Handler handler, QObject* parent = nullptr);
    ~EventServer() override;

    // Registers the object and asks for the bus name. False (with ERROR) when there is no session
    // bus, the object path is taken, or another program owns the name.
    bool start(quint32 signature, QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_running; }

    // At most MAX_EVENTS events per caller in WINDOW_MS; the events past that get
    // kTooManyEventsError, and the log is told how many once the caller's window ends. Without
    // a limit (the default, and with MAX_EVENTS 0) every event is handled.
    void setRateLimit(int maxEvents, qint64 windowMs);

private:
    class Adaptor;
    bool admit(const QString& caller);
    void logRefused(bool everything);

    Handler m_handler;
    CallerRateLimit m_limit{0, 0};
    QElapsedTimer m_clock;
    QTimer* m_refusedTimer = nullptr;
    Adaptor* m_adaptor = nullptr;
    QString m_busName;
    bool m_running = false;
};

} // namespace kivo
