#include "core/ServiceNotifier.h"

#include <QTimer>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <limits>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kivo {

ServiceNotifier::ServiceNotifier(QObject* parent) : QObject(parent) {}

bool ServiceNotifier::notify(const QByteArray& state)
{
    const QByteArray name = qgetenv("NOTIFY_SOCKET");
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof(address.sun_path)) ||
        (name[0] != '/' && name[0] != '@'))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    if (name[0] == '@')
        address.sun_path[0] = '\0';
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size()));

    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ssize_t sent = -1;
    do {
        sent = ::sendto(fd, state.constData(), size_t(state.size()), MSG_NOSIGNAL,
                        reinterpret_cast<const sockaddr*>(&address), length);
    } while (sent < 0 && errno == EINTR);
    ::close(fd);
    return sent == state.size();
}

qint64 ServiceNotifier::watchdogIntervalMs()
{
    bool ok = false;
    const qint64 usec = qgetenv("WATCHDOG_USEC").toLongLong(&ok);
    if (!ok || usec <= 0)
        return 0;
    const QByteArray pid = qgetenv("WATCHDOG_PID");
    if (!pid.isEmpty() && pid.toLongLong() != qint64(::getpid()))
        return 0;
    return qMax<qint64>(1, usec / 1000);
}

bool ServiceNotifier::startWatchdog()
{
    const qint64 interval = watchdogIntervalMs();
    if (interval <= 0)
        return false;
    if (!m_watchdog) {
        m_watchdog = new QTimer(this);
        connect(m_watchdog, &QTimer::timeout, this,
                [] { notify(QByteArrayLiteral("WATCHDOG=1")); });
    }
    // Half the interval leaves a whole half for a ping delayed by a busy moment.
    m_watchdog->start(
        int(qBound<qint64>(1, interval / 2, qint64(std::numeric_limits<int>::max()))));
    notify(QByteArrayLiteral("WATCHDOG=1"));
    return true;
}

bool ServiceNotifier::watchdogRunning() const
{
    return m_watchdog && m_watchdog->isActive();
}

void ServiceNotifier::ready(const QString& status)
{
    QByteArray state = "STATUS=" + status.toUtf8();
    if (!m_ready)
        state.prepend("READY=1\n");
    m_ready = true;
    notify(state);
}

} // namespace kivo
