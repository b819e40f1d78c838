// kivo-event: the operators' and tests' end of the station's event protocol.
//
//   kivo-event host [--never-reply] [--reply-after MS]
//       owns org.kivo.app.KVXq like the print host and prints one line for every event it
//       receives and every "kivoSalesStationNotification" it sees, until it is terminated.
//   kivo-event send [--timeout MS] SIGNATURE CLASS ID [TEXT...]
//       sends an event and prints the reply or the error.
//   kivo-event quit [--timeout MS]
//       sends the quit event to the station.
#include "output/EventServer.h"
#include "output/HostEvent.h"
#include "output/HostLink.h"
#include "output/SessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void printLine(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void printError(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// Quoted so that a line can be split back into its texts: backslash and quote are escaped,
// line breaks written as \n.
QString quoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

int usage()
{
    printError(QStringLiteral("usage: kivo-event host [--never-reply] [--reply-after MS]\n"
                              "       kivo-event send [--timeout MS] SIGNATURE CLASS ID [TEXT...]\n"
                              "       kivo-event quit [--timeout MS]"));
    return 2;
}

// Ends the host cleanly on SIGTERM/SIGINT so that its bus name is released at once.
int signalPipe[2];
void onSignal(int)
{
    const char c = 1;
    (void)!::write(signalPipe[1], &c, 1);
}

class NotificationPrinter : public QObject
{
    Q_OBJECT
public slots:
    void posted(const QString& name, const QVariantMap& userInfo)
    {
        QString line = QStringLiteral("notification ") + name;
        QStringList keys{QStringLiteral("customerid"), QStringLiteral("pathToOrderFile"),
                         QStringLiteral("senderApp")};
        QStringList rest = userInfo.keys();
        rest.sort();
        for (const QString& k : rest)
            if (!keys.contains(k))
                keys.append(k);
        for (const QString& k : keys)
            if (userInfo.contains(k))
                line += QStringLiteral(" %1=%2").arg(k, quoted(userInfo.value(k).toString()));
        printLine(line);
    }
};

int runHost(const QStringList& args)
{
    bool neverReply = false;
    int replyAfter = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--never-reply"))
            neverReply = true;
        else if (args[i] == QLatin1String("--reply-after") && i + 1 < args.size())
            replyAfter = args[++i].toInt();
        else
            return usage();
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return 1;
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, qApp, [] { qApp->quit(); });

    NotificationPrinter printer;
    QDBusConnection bus = kivo::sessionBus();
    if (!bus.isConnected()) {
        printError(QStringLiteral("kivo-event: no session bus that answers"));
        return 1;
    }
    bus.connect(QString(), QLatin1String(kivo::kNotificationObjectPath),
                QLatin1String(kivo::kNotificationInterface),
                QLatin1String(kivo::kNotificationSignal), &printer,
                SLOT(posted(QString, QVariantMap)));

    kivo::EventServer server([&](const kivo::HostEvent& event,
                                 const kivo::EventResponder& responder) {
        QString line = QStringLiteral("event %1 %2 %3")
                           .arg(kivo::fourCharString(event.eventClass),
                                kivo::fourCharString(event.eventID), quoted(event.target));
        for (const QString& item : event.directObject)
            line += QLatin1Char(' ') + quoted(item);
        printLine(line);
        if (neverReply)
            return; // the sender runs into its own timeout
        const QStringList reply{QStringLiteral("OK")};
        if (replyAfter > 0)
            QTimer::singleShot(replyAfter, qApp, [responder, reply] { responder.reply(reply); });
        else
            responder.reply(reply);
    });
    QString error;
    if (!server.start(kivo::kHostSignature, &error)) {
        printError(QStringLiteral("kivo-event: %1").arg(error));
        return 1;
    }
    printLine(QStringLiteral("host %1 ready").arg(kivo::busNameForSignature(kivo::kHostSignature)));
    return QCoreApplication::exec();
}

int runSend(quint32 signature, quint32 eventClass, quint32 eventID, const QStringList& texts,
            int timeoutMs)
{
    kivo::HostEvent event;
    event.eventClass = eventClass;
    event.eventID = eventID;
    event.target = kivo::fourCharString(signature);
    event.directObject = texts;
    const kivo::EventSendResult result = kivo::sendEvent(signature, event, timeoutMs);
    if (result.status != kivo::kNoErr) {
        printLine(QStringLiteral("error %1 %2 %3")
                      .arg(result.status)
                      .arg(result.errorName, quoted(result.errorMessage)));
        return 1;
    }
    QString line = QStringLiteral("reply");
    for (const QString& item : result.reply)
        line += QLatin1Char(' ') + quoted(item);
    printLine(line);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("host"))
        return runHost(args);

    int timeoutMs = 2000;
    if (args.size() >= 2 && args[0] == QLatin1String("--timeout")) {
        timeoutMs = args[1].toInt();
        args = args.mid(2);
    }
    if (command == QLatin1String("quit")) {
        if (!args.isEmpty())
            return usage();
        return runSend(kivo::kStationSignature, kivo::kCoreEventClass, kivo::kQuitEventID, {},
                       timeoutMs);
    }
    if (command == QLatin1String("send")) {
        quint32 signature = 0, eventClass = 0, eventID = 0;
        if (args.size() < 3 || !kivo::parseFourCharCode(args[0], &signature) ||
            !kivo::parseFourCharCode(args[1], &eventClass) ||
            !kivo::parseFourCharCode(args[2], &eventID))
            return usage();
        return runSend(signature, eventClass, eventID, args.mid(3), timeoutMs);
    }
    return usage();
}

#include "main.moc"
