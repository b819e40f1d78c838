#pragma once

#include <QDateTime>
#include <QString>

namespace kivo {

// The identity of a visit with several photo IDs: the first ID joined by "_" to
// the local time as "yyyyMMddHHmmss". The day of the month is part of it, so
// that two visits of the same first ID on different days never name the same
// order files.
QString formCustomerUniqueID(const QString& photoId,
                             const QDateTime& when = QDateTime::currentDateTime());

// The pattern of the time part of a unique identity.
inline constexpr const char* kCustomerUniqueIDTimePattern = "yyyyMMddHHmmss";

// True when TEXT is a photo ID: exactly six decimal digits.
bool isPhotoID(const QString& text);

} // namespace kivo
