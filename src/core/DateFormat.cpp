#include "core/DateFormat.h"

#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace kivo {

QString formatDate(const QDateTime& time, const QString& pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString icuPattern(reinterpret_cast<const char16_t*>(pattern.utf16()),
                                        static_cast<int32_t>(pattern.size()));
    icu::SimpleDateFormat format(icuPattern, icu::Locale("en_US_POSIX"), status);
    if (U_FAILURE(status))
        return {};
    // Follow the process's time zone as it is now (tests set TZ).
    format.adoptTimeZone(icu::TimeZone::detectHostTimeZone());
    icu::UnicodeString out;
    format.format(static_cast<UDate>(time.toMSecsSinceEpoch()), out);
    return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
}

} // namespace kivo
