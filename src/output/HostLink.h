#pragma once

#include "output/HostEvent.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// The station's side of the link to the print host: the distributed notification and the
// new-order event, sent one after the other. Nothing here waits for the host longer than the
// event's reply limit, and nothing depends on its answer: a missing bus, a missing host or a
// late answer only make log lines.
namespace kivo {

class Settings;

inline constexpr const char* kKivoSalesStationNotification = "kivoSalesStationNotification";
inline constexpr const char* kNewOrderFirstItem = "TestHarborOrder";

// The outcome of one event send, for callers that want more than the logged status.
struct EventSendResult
{
    int status = kNoErr; // 0, or one of the error codes of HostEvent.h
    QString errorName;   // the D-Bus error name when status is not 0
    QString errorMessage;
    QStringList reply; // the peer's reply items on success
    qint64 elapsedMs = 0;
};

// Sends EVENT to the program with signature TARGET_SIGNATURE and waits at most TIMEOUT_MS.
EventSendResult sendEvent(quint32 targetSignature, const HostEvent& event, int timeoutMs);

// The station's event send: PARAMETER is a list of strings (the direct object), one string, or
// nothing (an invalid QVariant: no direct object); anything else becomes "noDataPassed??".
// Waits at most TIMEOUT_TICKS (1/60 s each), logs the outcome and always answers 0.
int sendHostEvent(quint32 signature, quint32 eventClass, quint32 eventID, const QVariant& parameter,
                  int timeoutTicks, EventSendResult* result = nullptr);

// "%@.app" with the application's name, "Kivo-SalesStation.app" when it has none.
QString senderAppName();

// Posts "kivoSalesStationNotification" with USER_INFO plus "senderApp" on the session bus. The
// post runs on the application's main thread; a caller on another thread waits for it. False
// when there was no bus to post on.
bool sendOrderNotification(const QVariantMap& userInfo);

// The print-job path the host is told about: "<folder>//<id>_order.plist" (the doubled slash
// names the same file), or "/<id>_order.plist" without a local server folder. When the host has
// not yet taken an earlier job of the ID, the newest job beside it ("<id>-2_order.plist", ...).
QString announcedOrderFilePath(const QString& localServerPath, const QString& customerId);

// Announces the print job of CUSTOMER_ID from the folder in prefLocalServerPath: the
// notification, then the new-order event. Nothing is announced when there is no print job (an
// order left with nothing to print), for a customer ID that cannot name a file, or without a
// session bus that answers (RESULT's status is then kConnectionInvalid). True when the
// notification and the event went out, whatever the host answered.
bool notifyHostOfNewOrder(Settings& settings, const QString& customerId,
                          EventSendResult* result = nullptr);

// Announces a given file. INFO must be a dictionary with "orderFilePath" and "customerID" and
// the file must exist; otherwise logged and false. The notification's "customerid" is
// SESSION_CUSTOMER_ID (the session's identity), the event carries the dictionary's ID.
bool sendNewOrderEvent(const QVariant& info, const QString& sessionCustomerId,
                       EventSendResult* result = nullptr);

} // namespace kivo
