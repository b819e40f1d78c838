#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of the photo index and the search for an ID: "kivo.search". QT_LOGGING_RULES (or a
// qtlogging.ini) turns them off or on by category, e.g. "kivo.search.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcSearch)

} // namespace kivo
