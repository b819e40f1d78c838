#pragma once

#include <QString>

namespace kivo {

// The station's console trace: "Inside CLASS => METHOD...TEXT" on standard error, which the
// log facility redirects into the log file once it is open. Logs never change behaviour.
void consoleLog(const char* className, const char* method, const QString& text = QString());

} // namespace kivo
