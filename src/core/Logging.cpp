#include "core/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcCore, "kivo.core")

} // namespace kivo
