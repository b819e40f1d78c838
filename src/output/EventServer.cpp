#include "output/EventServer.h"

#include "core/Log.h"
#include "output/Logging.h"
#include "output/SessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusError>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <utility>

namespace kivo {

bool CallerRateLimit::admit(const QString& caller, qint64 nowMs)
{
    auto it = m_windows.find(caller);
    if (it == m_windows.end() || nowMs - it->start >= m_windowMs) {
        if (it != m_windows.end() && it->refused > 0)
            m_ended.append({caller, it->refused});
        it = m_windows.insert(caller, Window{nowMs, 0, 0});
    }
    if (it->admitted >= m_max) {
        ++it->refused;
        return false;
    }
    ++it->admitted;
    return true;
}

QList<CallerRateLimit::Refused> CallerRateLimit::takeEnded(qint64 nowMs, bool everything)
{
    QList<Refused> out = std::exchange(m_ended, {});
    for (auto it = m_windows.begin(); it != m_windows.end();) {
        if (!everything && nowMs - it->start < m_windowMs) {
            ++it;
            continue;
        }
        if (it->refused > 0)
            out.append({it.key(), it->refused});
        it = m_windows.erase(it);
    }
    return out;
}

bool CallerRateLimit::hasRefused() const
{
    return !m_ended.isEmpty() || std::any_of(m_windows.cbegin(), m_windows.cend(),
                                             [](const Window& w) { return w.refused > 0; });
}

struct EventResponder::State
{
    QDBusConnection connection;
    QDBusMessage call;
    std::atomic_bool answered{false};
    State(QDBusConnection c, const QDBusMessage& m) : connection(std::move(c)), call(m) {}
};

EventResponder::EventResponder(QDBusConnection connection, const QDBusMessage& call)
    : m_state(std::make_shared<State>(std::move(connection), call))
{}

void EventResponder::reply(const QStringList& items) const
{
    if (m_state->answered.exchange(true))
        return;
    m_state->connection.send(m_state->call.createReply(QVariant::fromValue(items)));
}

void EventResponder::error(const QString& name, const QString& text) const
{
    if (m_state->answered.exchange(true))
        return;
    m_state->connection.send(m_state->call.createErrorReply(name, text));
}

// The exported object. Its one slot is the D-Bus method; the reply is always sent through an
// EventResponder so that handlers can answer late, with an error, or not at all.
class EventServer::Adaptor : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kivo.Event1")
public:
    explicit Adaptor(EventServer* server) : QObject(server), m_server(server) {}

public slots:
    QStringList HandleEvent(uint eventClass, uint eventID, const QString& target,
                            const QStringList& directObject)
    {
        setDelayedReply(true);
        HostEvent event;
        event.eventClass = eventClass;
        event.eventID = eventID;
        event.target = target;
        event.directObject = directObject;
        const EventResponder responder(connection(), message());
        if (!m_server->admit(message().service()))
            responder.error(QLatin1String(kTooManyEventsError),
                            QStringLiteral("too many events; try again later"));
        else if (m_server->m_handler)
            m_server->m_handler(event, responder);
        else
            responder.error(QLatin1String(kEventNotHandledError), QStringLiteral("no handler"));
        return {};
    }

private:
    EventServer* m_server;
};

EventServer::EventServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_refusedTimer(new QTimer(this))
{
    m_clock.start();
    m_refusedTimer->setSingleShot(true);
    connect(m_refusedTimer, &QTimer::timeout, this, [this] { logRefused(false); });
}

EventServer::~EventServer()
{
    stop();
}

void EventServer::setRateLimit(int maxEvents, qint64 windowMs)
{
    logRefused(true);
    m_limit = CallerRateLimit(maxEvents, windowMs);
}

bool EventServer::admit(const QString& caller)
{
    if (m_limit.maxEvents() <= 0)
        return true;
    logRefused(false);
    const bool admitted = m_limit.admit(caller, m_clock.elapsed());
    if (!admitted && !m_refusedTimer->isActive())
        m_refusedTimer->start(int(m_limit.windowMs()));
    return admitted;
}

// One line per flooding caller and window, however many events it sent.
void EventServer::logRefused(bool everything)
{
    for (const CallerRateLimit::Refused& r : m_limit.takeEnded(m_clock.elapsed(), everything)) {
        Log::err(lcOutput(),
                 QStringLiteral("EventServer: refused %1 events from %2 (more than %3 in %4 ms)")
                     .arg(r.count)
                     .arg(r.caller)
                     .arg(m_limit.maxEvents())
                     .arg(m_limit.windowMs()));
    }
    if (m_limit.hasRefused() && !m_refusedTimer->isActive())
        m_refusedTimer->start(int(m_limit.windowMs()));
}

bool EventServer::start(quint32 signature, QString* error)
{
    stop();
    QDBusConnection bus = sessionBus();
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!bus.isConnected())
        return fail(QStringLiteral("no session bus that answers"));
    m_adaptor = new Adaptor(this);
    if (!bus.registerObject(QLatin1String(kEventObjectPath), m_adaptor,
                            QDBusConnection::ExportAllSlots)) {
        delete m_adaptor;
        m_adaptor = nullptr;
        return fail(
            QStringLiteral("the object path %1 is taken").arg(QLatin1String(kEventObjectPath)));
    }
    const QString name = busNameForSignature(signature);
    const auto reply =
        bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(QLatin1String(kEventObjectPath));
        delete m_adaptor;
        m_adaptor = nullptr;
        return fail(QStringLiteral("cannot own the bus name %1").arg(name));
    }
    m_busName = name;
    m_running = true;
    return true;
}

void EventServer::stop()
{
    logRefused(true);
    if (!m_running)
        return;
    QDBusConnection bus = sessionBus();
    bus.unregisterService(m_busName);
    bus.unregisterObject(QLatin1String(kEventObjectPath));
    delete m_adaptor;
    m_adaptor = nullptr;
    m_busName.clear();
    m_running = false;
}

} // namespace kivo

#include "EventServer.moc"
