#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The station's events as they travel over D-Bus: four-character codes packed into 32-bit
// values, the addressee's signature and the direct object as a list of texts.
namespace kivo {

// 'KIVO' -> 0x4B49564F: the four characters' bytes in order, first character highest.
constexpr quint32 fourCharCode(const char (&code)[5])
{
    return (quint32(quint8(code[0])) << 24) | (quint32(quint8(code[1])) << 16) |
           (quint32(quint8(code[2])) << 8) | quint32(quint8(code[3]));
}

// The four characters of CODE ("KIVO"); bytes outside printable ASCII come out as '?'.
QString fourCharString(quint32 code);

// Parses a four-character text into its code; false when TEXT is not four Latin-1 characters.
bool parseFourCharCode(const QString& text, quint32* code);

inline constexpr quint32 kHostSignature = fourCharCode("KVXq");
inline constexpr quint32 kStationSignature = fourCharCode("KVSS");
inline constexpr quint32 kKivoEventClass = fourCharCode("KIVO");
inline constexpr quint32 kNewOrderEventID = fourCharCode("AAAA");
inline constexpr quint32 kTestEventClass = fourCharCode("kivo");
inline constexpr quint32 kTestEventUpnw = fourCharCode("upnw");
inline constexpr quint32 kTestEventPaus = fourCharCode("paus");
inline constexpr quint32 kTestEvent1234 = fourCharCode("1234");
inline constexpr quint32 kCoreEventClass = fourCharCode("aevt");
inline constexpr quint32 kQuitEventID = fourCharCode("quit");

// Reply limit of the new-order event: 3 ticks of 1/60 second.
inline constexpr int kNewOrderTimeoutTicks = 3;
inline constexpr int ticksToMilliseconds(int ticks)
{
    return (ticks * 1000 + 59) / 60;
}

// Status codes of a send, with the values peers and operators know from the original protocol.
inline constexpr int kNoErr = 0;
inline constexpr int kErrEventTimeout = -1712;
inline constexpr int kErrEventNotHandled = -1708;
inline constexpr int kProcNotFound = -600;
inline constexpr int kConnectionInvalid = -609;

// D-Bus names of the protocol.
inline constexpr const char* kEventObjectPath = "/org/kivo/Event";
inline constexpr const char* kEventInterface = "org.kivo.Event1";
inline constexpr const char* kEventMethod = "HandleEvent";
inline constexpr const char* kNotificationObjectPath = "/org/kivo/DistributedNotification";
inline constexpr const char* kNotificationInterface = "org.kivo.DistributedNotification1";
inline constexpr const char* kNotificationSignal = "Posted";
inline constexpr const char* kEventNotHandledError = "org.kivo.Error.EventNotHandled";

// "org.kivo.app.KVXq" for the signature 'KVXq'.
QString busNameForSignature(quint32 signature);

struct HostEvent
{
    quint32 eventClass = 0;
    quint32 eventID = 0;
    QString target;           // the addressee's signature as text
    QStringList directObject; // empty: the event has no direct object
};

} // namespace kivo
