#pragma once

#include <QDateTime>
#include <QString>

namespace kivo {

// Formats TIME (in local time) with an LDML date pattern ("MM-dd-yyyy", "MM/dd/yy\tHH:mm aaa",
// "[YYYY/MM/dd HH:mm:ss.SSS Z]") as ICU does, in the en_US_POSIX locale so that the text never
// depends on the machine's language (AM/PM stay "AM"/"PM", no narrow no-break spaces).
QString formatDate(const QDateTime& time, const QString& pattern);

} // namespace kivo
