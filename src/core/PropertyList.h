#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Property lists as the station and its peers exchange them. Values map to QVariant as:
// dictionary QVariantMap, array QVariantList, string QString, boolean bool, integer qint64,
// real double, data QByteArray, date QDateTime. Written as XML; read from XML or binary.
namespace kivo::plist {

// Limits every reader holds to, whoever wrote the file: containers nested deeper than
// kMaxNesting, more than kMaxBytes of input or (binary form) more than kMaxValues values once
// shared objects are expanded are refused before the parser sees them, because the parser
// recurses once a level and copies shared objects.
inline constexpr int kMaxNesting = 64;
inline constexpr qint64 kMaxBytes = qint64(16) * 1024 * 1024;
inline constexpr qint64 kMaxValues = 1'000'000;

// Parses XML or binary property-list bytes. Returns an invalid QVariant (and sets ERROR) when the
// bytes are not a property list or break a rule every reader relies on: nesting or size beyond
// the limits above, a NUL byte in a string or key, an <integer> or <real> whose text is not a
// plain decimal number (such as "12abc", "0x10", "NaN"), a binary object that refers to itself.
// Safe on any bytes: this is what a fuzz target calls.
QVariant fromData(const QByteArray& data, QString* error = nullptr);

// The XML form of VALUE. Values that have no property-list form (an invalid QVariant, a NaN or
// an infinite number) are left out of their dictionary or array.
QByteArray toXml(const QVariant& value);

// Reads the property list at PATH; an invalid QVariant (and ERROR, naming PATH) when it cannot be
// read, is not a regular file (a FIFO or a device is never waited on or read), is larger than
// kMaxBytes, or fromData refuses its bytes.
QVariant readFile(const QString& path, QString* error = nullptr);

// Writes VALUE as an XML property list to PATH atomically.
bool writeFile(const QString& path, const QVariant& value, QString* error = nullptr);

} // namespace kivo::plist
