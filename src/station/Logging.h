#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of the station's start, windows and wiring: "kivo.station". QT_LOGGING_RULES (or a
// qtlogging.ini) turns them off or on by category, e.g. "kivo.station.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcStation)

} // namespace kivo
