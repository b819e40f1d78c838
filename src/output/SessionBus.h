#pragma once

#include <QDBusConnection>

// The session bus, reached only when it answers. Connecting to a bus that accepts the connection
// but never speaks would block the caller without limit (the wait for an event's reply has its
// own limit, the connection does not), so the bus address is first asked, with a time limit,
// whether anything answers there.
namespace kivo {

inline constexpr int kSessionBusProbeTimeoutMs = 1000;

// Whether the session bus answers within TIMEOUT_MS. A bus that answered once is used from then
// on; one that did not is asked again only after some seconds, so that a dead bus costs at most
// one wait now and then. Thread-safe.
bool sessionBusAvailable(int timeoutMs = kSessionBusProbeTimeoutMs);

// The session bus when it answers, otherwise a connection that is not connected.
QDBusConnection sessionBus();

} // namespace kivo
