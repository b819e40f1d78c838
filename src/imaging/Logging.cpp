#include "imaging/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcImaging, "kivo.imaging")

} // namespace kivo
