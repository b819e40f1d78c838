// kivo-status: asks the running station how it is and prints it in one screen.
//   kivo-status [--timeout MS]
// Exit status: 0 serving, 1 serving with warnings (staff notices, a receipt printer), 2 out of
// service or not running, so that any monitoring system can call it.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDateTime>
#include <QTextStream>
#include <QVariantMap>

namespace {

// The station's own name on the session bus, and its status object there.
const char* const kStationBusName = "org.kivo.app.KVSS";
const char* const kStatusPath = "/org/kivo/Status";
const char* const kStatusInterface = "org.kivo.Status1";

enum Exit
{
    Serving = 0,
    ServingWithWarnings = 1,
    NotServing = 2,
};

QString listOrNone(const QStringList& items, const QString& separator)
{
    return items.isEmpty() ? QStringLiteral("none") : items.join(separator);
}

int print(const QVariantMap& status, QTextStream& out)
{
    const QString state = status.value(QStringLiteral("State")).toString();
    const QString version = status.value(QStringLiteral("Version")).toString();
    const QStringList reasons = status.value(QStringLiteral("OutOfServiceReasons")).toStringList();
    const QStringList notices = status.value(QStringLiteral("StaffNotices")).toStringList();
    const QString printer = status.value(QStringLiteral("PrinterNotice")).toString();
    const QString last = status.value(QStringLiteral("LastRelease")).toString();
    const QString indent = QStringLiteral("\n                    ");

    out << "Kivo Sales Station " << version << ": " << QString(state).replace('-', ' ') << '\n';
    out << "  Out of service:   " << listOrNone(reasons, indent) << '\n';
    out << "  Receipt printer:  " << (printer.isEmpty() ? QStringLiteral("ready") : printer)
        << '\n';
    out << "  Staff notices:    " << listOrNone(notices, indent) << '\n';
    out << "  Orders today:     " << status.value(QStringLiteral("OrdersToday")).toLongLong()
        << QStringLiteral(" (%1)").arg(status.value(QStringLiteral("SalesToday")).toDouble(), 0,
                                       'f', 2)
        << '\n';
    out << "  Last release:     "
        << (last.isEmpty() ? QStringLiteral("none today or since start") : last) << '\n';
    out << "  Since start:      " << status.value(QStringLiteral("VisitsStarted")).toLongLong()
        << " visits, " << status.value(QStringLiteral("OrdersReleased")).toLongLong()
        << " released, " << status.value(QStringLiteral("ReleaseFailures")).toLongLong()
        << " release failures\n";
    out.flush();
    if (state == QLatin1String("serving"))
        return Serving;
    if (state == QLatin1String("serving-with-warnings"))
        return ServingWithWarnings;
    return NotServing;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    int timeoutMs = 5000;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool ok = false;
        if (args.at(i) == QLatin1String("--timeout") && i + 1 < args.size())
            timeoutMs = args.at(++i).toInt(&ok);
        if (!ok || timeoutMs <= 0) {
            err << "Usage: kivo-status [--timeout MS]\n"
                   "Exit status: 0 serving, 1 serving with warnings, 2 out of service or not "
                   "running\n";
            return NotServing;
        }
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        out << "Kivo Sales Station: not running (no session bus)\n";
        return NotServing;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(kStationBusName), QLatin1String(kStatusPath),
                                       QLatin1String(kStatusInterface), QStringLiteral("Status"));
    const QDBusReply<QVariantMap> reply = bus.call(call, QDBus::Block, timeoutMs);
    if (!reply.isValid()) {
        out << "Kivo Sales Station: not running (" << reply.error().message() << ")\n";
        return NotServing;
    }
    return print(reply.value(), out);
}
