#pragma once

#include <QLoggingCategory>
#include <QString>

namespace kivo {

// The station's console trace: "Inside CLASS => METHOD...TEXT" on standard error, which the
// log facility redirects into the log file once it is open. Logs never change behaviour.
// It is a line of CATEGORY's library: nothing is written while the category's info messages are
// turned off (QT_LOGGING_RULES="kivo.search.info=false", say).
void consoleLog(const QLoggingCategory& category, const char* className, const char* method,
                const QString& text = QString());

} // namespace kivo
