#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of settings, files, locks, the log itself and the start-up checks: "kivo.core".
// QT_LOGGING_RULES (or a qtlogging.ini) turns them off or on by category, e.g.
// "kivo.core.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcCore)

} // namespace kivo
