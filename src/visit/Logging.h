#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of a customer's visit, from the first ID to the start-over: "kivo.visit".
// QT_LOGGING_RULES (or a qtlogging.ini) turns them off or on, e.g. "kivo.visit.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcVisit)

} // namespace kivo
