#include "search/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcSearch, "kivo.search")

} // namespace kivo
