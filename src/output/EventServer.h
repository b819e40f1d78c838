#pragma once

#include "output/AppleEvent.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <functional>
#include <memory>

namespace kivo {

// Answers one incoming event, now or later (at most once). A responder that is dropped without
// answering leaves the caller to its own timeout, which is how a test host "never answers".
class EventResponder
{
public:
    EventResponder(QDBusConnection connection, QDBusMessage call);
    void reply(const QStringList& items) const;
    void error(const QString& name, const QString& text) const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

// The receiving side of the event protocol for one program: owns "org.kivo.app.SIGNATURE" on
// the session bus and serves HandleEvent on /org/kivo/Event. Events are handed to the handler on
// the thread this object lives in (the main thread in the station).
class EventServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(const AppleEvent&, const EventResponder&)>;

    explicit EventServer(Handler handler, QObject* parent = nullptr);
    ~EventServer() override;

    // Registers the object and asks for the bus name. False (with ERROR) when there is no session
    // bus, the object path is taken, or another program owns the name.
    bool start(quint32 signature, QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_running; }

private:
    class Adaptor;
    Handler m_handler;
    Adaptor* m_adaptor = nullptr;
    QString m_busName;
    bool m_running = false;
};

} // namespace kivo
