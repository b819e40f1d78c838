#include "orders/Logging.h"

namespace kivo {

Q_LOGGING_CATEGORY(lcOrders, "kivo.orders")

} // namespace kivo
