#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of the preferences and the catalogue editor: "kivo.admin". QT_LOGGING_RULES (or a
// qtlogging.ini) turns them off or on by category, e.g. "kivo.admin.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcAdmin)

} // namespace kivo
