#include "station/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcStation, "kivo.station")

} // namespace kivo
