#pragma once

#include "output/HostEvent.h"

#include <QObject>

#include <functional>

namespace kivo {

class EventServer;
class EventResponder;

// The station's registered event handlers, installed by the application controller at launch:
//
//     auto* handlers = new kivo::StationEventHandlers(this);
//     handlers->setQuitHandler([this] { salesWindow->onHostQuit(); qApp->quit(); });
//     handlers->registerEventHandlers();
//
// 'KIVO'/'AAAA' goes to handleTilboxEvent; 'kivo'/'upnw', 'paus', '1234' and
// 'aevt'/'quit' go to handleTestEvent. Any other pair gets an error reply and changes
// nothing. Every handled event gets an empty reply; the quit handler runs after that reply has
// been sent, on this object's thread, so the sender is not left waiting while the station ends.
class StationEventHandlers : public QObject
{
    Q_OBJECT
public:
    explicit StationEventHandlers(QObject* parent = nullptr);
    ~StationEventHandlers() override;

    // Called for the quit event: the application controller ends the open sheets
    // (onHostQuit) and terminates. Without one, the quit is only logged.
    void setQuitHandler(std::function<void()> handler) { m_quitHandler = std::move(handler); }

    // Registers the handlers and owns "org.kivo.app.KVSS". False (logged "UNABLE
    // setupForAppleEventsForThisApp") when there is no session bus or the name is taken; the
    // station runs on without incoming events then.
    bool registerEventHandlers();
    bool isRegistered() const;

    // Events one caller may have handled in a window: far more than a print host sends (one an
    // order); a flood past it is refused and counted in the log.
    static constexpr int kMaxEventsPerCaller = 20;
    static constexpr qint64 kEventWindowMs = 10000;
    // Items of an event's direct object written to the log, each cut to the log's line limit.
    static constexpr qsizetype kMaxLoggedItems = 8;

    // Whether CLASS/ID is one of the registered pairs.
    static bool isRegisteredEvent(quint32 eventClass, quint32 eventID);

    // The two handlers, public so that they can be driven without a bus.
    void handleTilboxEvent(const HostEvent* event);
    void handleTestEvent(const HostEvent* event);

signals:
    // Emitted for every event a handler accepted (after its log lines), for observers and tests.
    void eventHandled(quint32 eventClass, quint32 eventID, const QStringList& directObject);

private:
    void dispatch(const HostEvent& event, const EventResponder& responder);

    EventServer* m_server = nullptr;
    std::function<void()> m_quitHandler;
};

} // namespace kivo
