#include "core/DateFormat.h"

#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <map>
#include <memory>

namespace kivo {

QString formatDate(const QDateTime& time, const QString& pattern)
{
    // Making a formatter costs far more than using one: keep one per pattern and thread.
    thread_local std::map<QString, std::unique_ptr<icu::SimpleDateFormat>> formatters;
    auto& format = formatters[pattern];
    if (!format) {
        UErrorCode status = U_ZERO_ERROR;
        const icu::UnicodeString icuPattern(reinterpret_cast<const char16_t*>(pattern.utf16()),
                                            static_cast<int32_t>(pattern.size()));
        format =
            std::make_unique<icu::SimpleDateFormat>(icuPattern, icu::Locale("en_US_POSIX"), status);
        if (U_FAILURE(status)) {
            format.reset();
            return {};
        }
    }
    // Follow the process's time zone as it is now (tests and the operator may change TZ).
    format->adoptTimeZone(icu::TimeZone::detectHostTimeZone());
    icu::UnicodeString out;
    format->format(static_cast<UDate>(time.toMSecsSinceEpoch()), out);
    return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
}

} // namespace kivo
