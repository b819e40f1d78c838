#pragma once

#include "output/ReleasedOrder.h"

#include <QList>
#include <QStringList>

namespace kivo {

class OrderPricing;
class PackageCatalogue;
class PricedSession;
class Settings;
struct TranslatedPhoto;

// Hands a priced session over to the order output as one whole value.
class ReleasedOrderBuilder
{
public:
    // PHOTOS_ON_SHOW: the names of the grid's visible photos, in grid order. SESSION_ORDER_LIST:
    // the assembled photos with their translated orders. The orientation translation reads
    // SETTINGS at the moment the print job is made.
    static ReleasedOrder build(const QString& customerId, const QStringList& photosOnShow,
                               const QList<TranslatedPhoto>& sessionOrderList,
                               const OrderPricing& pricing, const PackageCatalogue& catalogue,
                               Settings& settings);

    // The same for a session priced without the screens (kivo-order).
    static ReleasedOrder build(const PricedSession& session, const PackageCatalogue& catalogue,
                               Settings& settings);
};

} // namespace kivo
