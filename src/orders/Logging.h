#pragma once

#include <QLoggingCategory>

namespace kivo {

// The log lines of baskets, the catalogue and pricing: "kivo.orders". QT_LOGGING_RULES (or a
// qtlogging.ini) turns them off or on by category, e.g. "kivo.orders.info=false".
Q_DECLARE_LOGGING_CATEGORY(lcOrders)

} // namespace kivo
