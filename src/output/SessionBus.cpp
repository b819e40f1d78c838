#include "output/SessionBus.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "output/Logging.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kivo {

namespace {

void log(const QString& text)
{
    consoleLog(lcOutput(), "SessionBus", "sessionBusAvailable", text);
    kivo::Log::debug(lcOutput(), QStringLiteral("SessionBus: ") + text);
}

// How long a bus that did not answer is taken as gone before it is asked again.
constexpr qint64 kRetryAfterMs = 30000;

struct Address
{
    QByteArray path;
    bool abstract = false;
};

// The Unix socket addresses of a D-Bus address list ("unix:path=...,guid=...;unix:abstract=...").
// OTHER_KIND is set when the list names a transport that is not a Unix socket.
QList<Address> unixAddresses(const QByteArray& list, bool* otherKind)
{
    QList<Address> out;
    for (const QByteArray& one : list.split(';')) {
        if (one.isEmpty())
            continue;
        if (!one.startsWith("unix:")) {
            *otherKind = true;
            continue;
        }
        for (const QByteArray& pair : one.mid(5).split(',')) {
            const qsizetype eq = pair.indexOf('=');
            if (eq < 0)
                continue;
            const QByteArray key = pair.left(eq);
            const QByteArray value = QByteArray::fromPercentEncoding(pair.mid(eq + 1));
            if (key == "path")
                out.append({value, false});
            else if (key == "abstract")
                out.append({value, true});
            else if (key == "tmpdir" || key == "dir" || key == "runtime")
                *otherKind = true;
        }
    }
    return out;
}

// Connects to ADDRESS and starts the authentication a D-Bus client starts with; true when the
// peer answers with a line within the deadline. The connection is closed again either way.
bool answers(const Address& address, const QDeadlineTimer& deadline, QString* why)
{
    sockaddr_un sa{};
    sa.sun_family = AF_UNIX;
    const qsizetype offset = address.abstract ? 1 : 0;
    if (address.path.size() + offset >= qsizetype(sizeof sa.sun_path)) {
        *why = QStringLiteral("address too long");
        return false;
    }
    std::memcpy(sa.sun_path + offset, address.path.constData(), size_t(address.path.size()));
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + offset +
                                       address.path.size() + (address.abstract ? 0 : 1));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    auto waitFor = [&](short events) {
        for (;;) {
            pollfd p{fd, events, 0};
            const int left = int(qMax<qint64>(0, deadline.remainingTime()));
            const int n = ::poll(&p, 1, left);
            if (n > 0)
                return true;
            if (n == 0 || errno != EINTR)
                return false;
        }
    };
    bool ok = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&sa), length) != 0 &&
        !(errno == EINPROGRESS || errno == EAGAIN)) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
    } else if (!waitFor(POLLOUT)) {
        *why = QStringLiteral("the connection was not accepted in time");
    } else {
        const QByteArray uid = QByteArray::number(::getuid()).toHex();
        const QByteArray hello = QByteArray(1, '\0') + "AUTH EXTERNAL " + uid + "\r\n";
        if (::send(fd, hello.constData(), size_t(hello.size()), MSG_NOSIGNAL) !=
            ssize_t(hello.size())) {
            *why = QString::fromLocal8Bit(std::strerror(errno));
        } else {
            QByteArray answer;
            while (!answer.contains('\n') && waitFor(POLLIN)) {
                char buffer[256];
                const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0 && !(n < 0 && (errno == EINTR || errno == EAGAIN)))
                    break;
                if (n > 0)
                    answer.append(buffer, n);
            }
            ok = answer.contains('\n');
            if (!ok)
                *why = answer.isEmpty() ? QStringLiteral("no answer in time")
                                        : QStringLiteral("an incomplete answer");
        }
    }
    ::close(fd);
    return ok;
}

bool probe(int timeoutMs)
{
    QByteArray list = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (list.isEmpty()) {
        // Where the session bus lives when nobody names it.
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (!runtime.isEmpty() && QFileInfo::exists(QFile::decodeName(runtime + "/bus")))
            list = "unix:path=" + runtime + "/bus";
    }
    if (list.isEmpty()) {
        log(QStringLiteral("no session bus address"));
        return false;
    }
    bool otherKind = false;
    const QList<Address> addresses = unixAddresses(list, &otherKind);
    const QDeadlineTimer deadline(timeoutMs);
    QStringList reasons;
    for (const Address& address : addresses) {
        QString why;
        if (answers(address, deadline, &why))
            return true;
        reasons.append(QStringLiteral("%1: %2").arg(QFile::decodeName(address.path), why));
    }
    if (otherKind) {
        // Transports that cannot be asked this way are left to the bus library.
        return true;
    }
    log(QStringLiteral("the session bus does not answer (%1)")
            .arg(reasons.join(QStringLiteral("; "))));
    return false;
}

} // namespace

bool sessionBusAvailable(int timeoutMs)
{
    static QMutex mutex;
    static bool answered = false;
    static QDeadlineTimer askAgain(0);
    const QMutexLocker locker(&mutex);
    if (answered)
        return true;
    if (!askAgain.hasExpired())
        return false;
    answered = probe(timeoutMs) && QDBusConnection::sessionBus().isConnected();
    if (!answered)
        askAgain.setRemainingTime(kRetryAfterMs);
    return answered;
}

QDBusConnection sessionBus()
{
    if (sessionBusAvailable())
        return QDBusConnection::sessionBus();
    // A connection of that name is never opened: it reports itself as not connected.
    return QDBusConnection(QStringLiteral("kivo-no-session-bus"));
}

} // namespace kivo
