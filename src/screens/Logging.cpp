#include "screens/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcScreens, "kivo.screens")

} // namespace kivo
