#include "admin/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcAdmin, "kivo.admin")

} // namespace kivo
