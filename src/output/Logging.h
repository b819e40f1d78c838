#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of order files, receipts and the print host link: "kivo.output". QT_LOGGING_RULES
// (or a qtlogging.ini) turns them off or on by category, e.g. "kivo.output.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcOutput)

} // namespace kivo
