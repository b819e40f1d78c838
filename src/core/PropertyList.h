#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Property lists as the station and its peers exchange them. Values map to QVariant as:
// dictionary QVariantMap, array QVariantList, string QString, boolean bool, integer qint64,
// real double, data QByteArray, date QDateTime. Written as XML; read from XML or binary.
namespace kivo::plist {

// Parses XML or binary property-list bytes. Returns an invalid QVariant (and sets ERROR) when the
// bytes are not a property list.
QVariant fromData(const QByteArray& data, QString* error = nullptr);

// The XML form of VALUE. Values that have no property-list form (an invalid QVariant, for
// example) are left out of their dictionary or array.
QByteArray toXml(const QVariant& value);

// Reads the property list at PATH; an invalid QVariant (and ERROR) when it cannot be read.
QVariant readFile(const QString& path, QString* error = nullptr);

// Writes VALUE as an XML property list to PATH atomically.
bool writeFile(const QString& path, const QVariant& value, QString* error = nullptr);

} // namespace kivo::plist
