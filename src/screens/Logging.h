#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of the customer screens: "kivo.screens". QT_LOGGING_RULES (or a qtlogging.ini)
// turns them off or on by category, e.g. "kivo.screens.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcScreens)

} // namespace kivo
