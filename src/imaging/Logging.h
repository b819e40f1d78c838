#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of reading, fitting and cropping photos: "kivo.imaging". QT_LOGGING_RULES (or a
// qtlogging.ini) turns them off or on by category, e.g. "kivo.imaging.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcImaging)

} // namespace kivo
