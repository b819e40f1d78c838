// The service manager's side of the notifications, played by a datagram socket of the test's
// own: what the station sends when it is ready, and that its watchdog pings keep coming from the
// event loop at half the interval asked for.
#include "core/ServiceNotifier.h"
#include "support/TestRoot.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace kivo;

namespace {

// A bound datagram socket named NAME (a path, or "@name" for the abstract namespace), set as
// NOTIFY_SOCKET for its life.
class Manager
{
public:
    explicit Manager(const QByteArray& name)
    {
        m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        if (name.startsWith('@'))
            address.sun_path[0] = '\0';
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size()));
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length), 0);
        qputenv("NOTIFY_SOCKET", name);
    }
    ~Manager()
    {
        ::close(m_fd);
        qunsetenv("NOTIFY_SOCKET");
        qunsetenv("WATCHDOG_USEC");
        qunsetenv("WATCHDOG_PID");
    }
    // The next datagram within TIMEOUTMS, serving the event loop meanwhile; empty when none.
    QByteArray next(int timeoutMs = 2000)
    {
        QByteArray message;
        test::waitUntil(
            [&] {
                pollfd p{m_fd, POLLIN, 0};
                if (::poll(&p, 1, 0) != 1)
                    return false;
                char buffer[512];
                const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
                message = QByteArray(buffer, int(qMax<ssize_t>(0, n)));
                return true;
            },
            timeoutMs);
        return message;
    }

private:
    int m_fd = -1;
};

} // namespace

TEST(ServiceNotifier, ReadyOnceThenStatusOnly)
{
    test::TestRoot root;
    const QByteArray names[] = {QFile::encodeName(root.file("notify")),
                                "@kivo-notify-test-" + QByteArray::number(::getpid())};
    for (const QByteArray& name : names) {
        SCOPED_TRACE(name.constData());
        Manager manager(name);
        ServiceNotifier notifier;
        notifier.ready("Waiting for a customer");
        EXPECT_EQ(manager.next(), "READY=1\nSTATUS=Waiting for a customer");
        notifier.ready("Out of service");
        EXPECT_EQ(manager.next(), "STATUS=Out of service");
    }
    // No manager: nothing to tell, and nothing fails.
    EXPECT_FALSE(ServiceNotifier::notify("READY=1"));
}

TEST(ServiceNotifier, WatchdogPingsFromTheEventLoopAtHalfTheInterval)
{
    test::TestRoot root;
    Manager manager(QFile::encodeName(root.file("notify")));
    // A watchdog meant for another process (the variables were inherited) is not ours.
    qputenv("WATCHDOG_USEC", "400000");
    qputenv("WATCHDOG_PID", QByteArray::number(::getpid() + 1));
    ServiceNotifier other;
    EXPECT_FALSE(other.startWatchdog());

    qputenv("WATCHDOG_PID", QByteArray::number(::getpid()));
    ServiceNotifier notifier;
    ASSERT_TRUE(notifier.startWatchdog());
    EXPECT_EQ(manager.next(), "WATCHDOG=1"); // at once
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(manager.next(), "WATCHDOG=1");
    // Three more at 200 ms each: well inside the 400 ms the manager allows between two.
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_LT(clock.elapsed(), 1200);
}
