#include "visit/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcVisit, "kivo.visit")

} // namespace kivo
