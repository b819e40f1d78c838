#include "output/StationEventHandlers.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "output/EventServer.h"
#include "output/Logging.h"

#include <QTimer>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "StationApp", method, text);
    kivo::Log::debug(lcOutput(),
                     QStringLiteral("StationApp %1: %2").arg(QLatin1String(method), text));
}

} // namespace

StationEventHandlers::StationEventHandlers(QObject* parent) : QObject(parent) {}

StationEventHandlers::~StationEventHandlers() = default;

bool StationEventHandlers::isRegisteredEvent(quint32 eventClass, quint32 eventID)
{
    if (eventClass == kKivoEventClass)
        return eventID == kNewOrderEventID;
    if (eventClass == kTestEventClass)
        return eventID == kTestEventUpnw || eventID == kTestEventPaus || eventID == kTestEvent1234;
    if (eventClass == kCoreEventClass)
        return eventID == kQuitEventID;
    return false;
}

bool StationEventHandlers::registerEventHandlers()
{
    if (!m_server) {
        m_server =
            new EventServer([this](const HostEvent& event,
                                   const EventResponder& responder) { dispatch(event, responder); },
                            this);
        m_server->setRateLimit(kMaxEventsPerCaller, kEventWindowMs);
    }
    if (m_server->isRunning())
        return true;
    QString error;
    if (!m_server->start(kStationSignature, &error)) {
        log("registerEventHandlers",
            QStringLiteral("UNABLE setupForAppleEventsForThisApp\n (%1)").arg(error));
        return false;
    }
    log("registerEventHandlers",
        QStringLiteral("handlers registered as [%1]").arg(busNameForSignature(kStationSignature)));
    return true;
}

bool StationEventHandlers::isRegistered() const
{
    return m_server && m_server->isRunning();
}

void StationEventHandlers::dispatch(const HostEvent& event, const EventResponder& responder)
{
    if (!isRegisteredEvent(event.eventClass, event.eventID)) {
        log("dispatch", QStringLiteral("no handler for [%1]/[%2]")
                            .arg(fourCharString(event.eventClass), fourCharString(event.eventID)));
        responder.error(QLatin1String(kEventNotHandledError),
                        QStringLiteral("no handler for %1/%2")
                            .arg(fourCharString(event.eventClass), fourCharString(event.eventID)));
        return;
    }
    responder.reply({});
    if (event.eventClass == kKivoEventClass)
        handleTilboxEvent(&event);
    else
        handleTestEvent(&event);
}

void StationEventHandlers::handleTilboxEvent(const HostEvent* event)
{
    const char* method = "handleTilboxEvent";
    if (!event)
        return;
    log(method, QStringLiteral("eventClass = [%1] eventID = [%2]")
                    .arg(fourCharString(event->eventClass), fourCharString(event->eventID)));
    if (event->eventID == kNewOrderEventID) {
        if (event->directObject.isEmpty()) {
            log(method, QStringLiteral("Unable to decipher the parameter field (if any "
                                       "existed...)????\n"));
        } else {
            // The new-order event carries three items; a peer sending thousands gets the first
            // few into the log and a count of the rest.
            const qsizetype count = event->directObject.size();
            for (qsizetype i = 0; i < count && i < kMaxLoggedItems; ++i)
                log(method,
                    QStringLiteral("item [%1] = [%2]").arg(i + 1).arg(event->directObject[i]));
            if (count > kMaxLoggedItems)
                log(method,
                    QStringLiteral("\u2026 [cut, %1 more items]").arg(count - kMaxLoggedItems));
        }
    } else if (event->eventID == kQuitEventID) {
        log(method, QStringLiteral("quit"));
    } else {
        log(method, QStringLiteral("UNKnown EventID????"));
        log(method, QStringLiteral("Got the eventID = [%1]").arg(fourCharString(event->eventID)));
    }
    emit eventHandled(event->eventClass, event->eventID, event->directObject);
}

void StationEventHandlers::handleTestEvent(const HostEvent* event)
{
    const char* method = "handleTestEvent";
    if (!event)
        return;
    log(method, QStringLiteral("eventClass = [%1] eventID = [%2]")
                    .arg(fourCharString(event->eventClass), fourCharString(event->eventID)));
    emit eventHandled(event->eventClass, event->eventID, event->directObject);
    if (event->eventID != kQuitEventID)
        return;
    log(method, QStringLiteral("\n\nReceived kAEQuitApplication...\n\n"));
    // After the reply is on its way: the quit handler may end the event loop.
    QTimer::singleShot(0, this, [this] {
        if (m_quitHandler)
            m_quitHandler();
    });
}

} // namespace kivo
