#include "output/HostLink.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "output/Logging.h"
#include "output/OrderFields.h"
#include "output/SessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "HostLink", method, text);
    kivo::Log::debug(lcOutput(),
                     QStringLiteral("HostLink %1: %2").arg(QLatin1String(method), text));
}

int statusForError(const QDBusError& error)
{
    switch (error.type()) {
    case QDBusError::NoError:
        return kNoErr;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return kErrEventTimeout;
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
        return kProcNotFound;
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
        return kConnectionInvalid;
    default:
        return kErrEventNotHandled;
    }
}

} // namespace

EventSendResult sendEvent(quint32 targetSignature, const HostEvent& event, int timeoutMs)
{
    EventSendResult result;
    QElapsedTimer clock;
    clock.start();
    QDBusConnection bus = sessionBus();
    if (!bus.isConnected()) {
        result.status = kConnectionInvalid;
        result.errorName = QStringLiteral("org.freedesktop.DBus.Error.Disconnected");
        result.errorMessage = QStringLiteral("no session bus");
        result.elapsedMs = clock.elapsed();
        return result;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        busNameForSignature(targetSignature), QLatin1String(kEventObjectPath),
        QLatin1String(kEventInterface), QLatin1String(kEventMethod));
    call << event.eventClass << event.eventID << event.target << event.directObject;
    // Calls whose answer does not come in time give NoReply; the peer's own slowness never holds
    // the caller past the limit. The call goes out through the connection's queue, as the
    // notification posted just before it does: a blocking call() could overtake that signal,
    // and the host would hear of the order before its notification.
    QDBusPendingCall pending = bus.asyncCall(call, timeoutMs);
    pending.waitForFinished();
    const QDBusMessage answer = pending.reply();
    result.elapsedMs = clock.elapsed();
    if (answer.type() == QDBusMessage::ReplyMessage) {
        if (!answer.arguments().isEmpty())
            result.reply = answer.arguments().constFirst().toStringList();
        return result;
    }
    const QDBusError error(answer);
    result.status = statusForError(error);
    result.errorName = error.name();
    result.errorMessage = error.message();
    return result;
}

int sendHostEvent(quint32 signature, quint32 eventClass, quint32 eventID, const QVariant& parameter,
                  int timeoutTicks, EventSendResult* out)
{
    const char* method = "sendHostEvent";
    HostEvent event;
    event.eventClass = eventClass;
    event.eventID = eventID;
    event.target = fourCharString(signature);
    if (parameter.isValid()) {
        if (parameter.typeId() == QMetaType::QStringList) {
            event.directObject = parameter.toStringList();
        } else if (parameter.typeId() == QMetaType::QVariantList) {
            const QVariantList items = parameter.toList();
            bool allText = true;
            for (const QVariant& item : items)
                allText = allText && item.typeId() == QMetaType::QString;
            if (allText)
                event.directObject = parameter.toStringList();
            else
                event.directObject = {QStringLiteral("noDataPassed??")};
        } else if (parameter.typeId() == QMetaType::QString) {
            event.directObject = {parameter.toString()};
        } else {
            event.directObject = {QStringLiteral("noDataPassed??")};
        }
    }
    log(method, QStringLiteral("sending [%1]/[%2] to [%3] with [%4] items, timeout [%5] ticks")
                    .arg(fourCharString(eventClass), fourCharString(eventID), event.target)
                    .arg(event.directObject.size())
                    .arg(timeoutTicks));

    const EventSendResult result = sendEvent(signature, event, ticksToMilliseconds(timeoutTicks));
    if (result.status != kNoErr) {
        log(method, QStringLiteral("AESendMessage returned anErr = [%1] = [0x%2] (%3: %4)")
                        .arg(result.status)
                        .arg(quint32(result.status), 4, 16, QLatin1Char('0'))
                        .arg(result.errorName, result.errorMessage));
        if (result.status == kErrEventTimeout) {
            const QString rule(40, QLatin1Char('='));
            log(method, rule);
            log(method, QStringLiteral("AESendMessage returned anErr = errAETimeout\n"));
            log(method, rule);
        }
    } else {
        // The reply is only looked at for the log; nothing is taken from it.
        log(method, QStringLiteral("reply has [%1] items").arg(result.reply.size()));
        for (qsizetype i = 0; i < result.reply.size(); ++i)
            log(method, QStringLiteral("reply item [%1] = [%2]").arg(i + 1).arg(result.reply[i]));
    }
    if (out)
        *out = result;
    return 0;
}

QString senderAppName()
{
    const QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        return QStringLiteral("Kivo-SalesStation.app");
    return name + QStringLiteral(".app");
}

bool sendOrderNotification(const QVariantMap& given)
{
    QVariantMap userInfo = given;
    userInfo.insert(QStringLiteral("senderApp"), senderAppName());
    log("sendOrderNotification",
        QStringLiteral("posting [%1] customerid=[%2] pathToOrderFile=[%3]")
            .arg(QLatin1String(kKivoSalesStationNotification),
                 userInfo.value(QStringLiteral("customerid")).toString(),
                 userInfo.value(QStringLiteral("pathToOrderFile")).toString()));

    bool posted = false;
    auto post = [&posted, userInfo] {
        QDBusConnection bus = sessionBus();
        if (!bus.isConnected())
            return;
        QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(kNotificationObjectPath),
                                                         QLatin1String(kNotificationInterface),
                                                         QLatin1String(kNotificationSignal));
        signal << QString::fromLatin1(kKivoSalesStationNotification) << userInfo;
        posted = bus.send(signal);
        // send() hands the signal to the bus connection's own thread, while a blocking call
        // may go out at once from the caller: wait until that thread has taken the signal, so
        // the host always sees the notification before the event.
        QObject* connectionThreadObject = bus.interface();
        if (posted && connectionThreadObject &&
            connectionThreadObject->thread() != QThread::currentThread())
            QMetaObject::invokeMethod(
                connectionThreadObject, [] {}, Qt::BlockingQueuedConnection);
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread())
        QMetaObject::invokeMethod(app, post, Qt::BlockingQueuedConnection);
    else
        post();
    if (!posted)
        log("sendOrderNotification", QStringLiteral("UNABLE to post (no session bus)"));
    return posted;
}

QString announcedOrderFilePath(const QString& localServerPath, const QString& customerId)
{
    const QString newest =
        localServerPath.isEmpty()
            ? QString()
            : newestOrderFilePath(localServerPath, customerId, QStringLiteral("_order.plist"));
    const QString name = newest.isEmpty() ? QStringLiteral("/%1_order.plist").arg(customerId)
                                          : QLatin1Char('/') + QFileInfo(newest).fileName();
    if (localServerPath.isEmpty())
        return name;
    return QStringLiteral("%1/%2").arg(localServerPath, name);
}

bool notifyHostOfNewOrder(Settings& settings, const QString& customerId, EventSendResult* result)
{
    const char* method = "notifyHostOfNewOrder";
    if (!isValidCustomerId(customerId)) {
        log(method, QStringLiteral("refused customer ID [%1]").arg(xmlSafeText(customerId)));
        return false;
    }
    const QString folder = settings.localServerPath();
    const QString path = announcedOrderFilePath(folder, customerId);
    if (!QFileInfo(path).isFile()) {
        log(method, QStringLiteral("... No Order File to send... [%1]").arg(path));
        return false;
    }
    if (!sessionBusAvailable()) {
        log(method, QStringLiteral("not announced [%1]: no session bus").arg(path));
        if (result) {
            *result = EventSendResult();
            result->status = kConnectionInvalid;
            result->errorName = QStringLiteral("org.freedesktop.DBus.Error.Disconnected");
            result->errorMessage = QStringLiteral("no session bus");
        }
        return false;
    }
    const QStringList items{QLatin1String(kNewOrderFirstItem), customerId, path};
    sendOrderNotification(
        {{QStringLiteral("customerid"), customerId}, {QStringLiteral("pathToOrderFile"), path}});
    const int status = sendHostEvent(kHostSignature, kKivoEventClass, kNewOrderEventID,
                                     QVariant(items), kNewOrderTimeoutTicks, result);
    if (status != 0)
        log(method, QStringLiteral("send status = [%1]").arg(status));
    return true;
}

bool sendNewOrderEvent(const QVariant& info, const QString& sessionCustomerId,
                       EventSendResult* result)
{
    const char* method = "sendNewOrderEvent";
    if (info.typeId() != QMetaType::QVariantMap) {
        log(method, QStringLiteral("Inside %1 => %2...param is NOT NSDictionary class type = %3")
                        .arg(QStringLiteral("HostLink"), QLatin1String(method),
                             QLatin1String(info.isValid() ? info.typeName() : "nil")));
        return false;
    }
    const QVariantMap dict = info.toMap();
    const QString path = dict.value(QStringLiteral("orderFilePath")).toString();
    if (!dict.contains(QStringLiteral("orderFilePath"))) {
        log(method, QStringLiteral("missing key [orderFilePath]"));
        return false;
    }
    if (!dict.contains(QStringLiteral("customerID"))) {
        log(method, QStringLiteral("missing key [customerID]"));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        log(method, QStringLiteral("no file at orderFilePath [%1]").arg(path));
        return false;
    }
    const QString customerId = dict.value(QStringLiteral("customerID")).toString();
    const QStringList items{QLatin1String(kNewOrderFirstItem), customerId, path};
    sendOrderNotification({{QStringLiteral("customerid"), sessionCustomerId},
                           {QStringLiteral("pathToOrderFile"), path}});
    sendHostEvent(kHostSignature, kKivoEventClass, kNewOrderEventID, QVariant(items),
                  kNewOrderTimeoutTicks, result);
    return true;
}

} // namespace kivo
