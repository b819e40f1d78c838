#include "output/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcOutput, "kivo.output")

} // namespace kivo
