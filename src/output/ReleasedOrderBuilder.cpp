#include "output/ReleasedOrderBuilder.h"

#include "core/Settings.h"
#include "orders/OrderPricing.h"
#include "orders/OrientationTranslation.h"
#include "orders/PackageCatalogue.h"
#include "orders/PricedSession.h"
#include "orders/SessionOrderAssembly.h"

namespace kivo {

ReleasedOrder ReleasedOrderBuilder::build(const QString& customerId,
                                          const QStringList& photosOnShow,
                                          const QList<TranslatedPhoto>& sessionOrderList,
                                          const OrderPricing& pricing,
                                          const PackageCatalogue& catalogue, Settings& settings)
{
    ReleasedOrder order;
    order.customerId = customerId;
    order.listOfImages = photosOnShow;
    for (const TranslatedPhoto& photo : sessionOrderList) {
        OrderPhoto out;
        out.name = photo.name;
        for (const LineItem& line : photo.translatedImageOrder.lines())
            out.lines.append(OrderLine::fromLineItem(line));
        order.photos.append(out);
    }
    order.upsellCount = pricing.upsellCount();
    order.freeSheets = pricing.freeSheetCount();
    order.discount = pricing.fDiscount();
    order.freeSheetValue = pricing.freeSheetValue();
    if (pricing.isPriced())
        order.totals = pricing.totals();
    order.taxDescription = pricing.taxDescription();
    order.freeSheetPackageInfo = catalogue.freeSheetPackageInfo();
    // The invoice bills the free sheets at the value the total took off, which may be capped
    // below the catalogue's amount; it splits that value into whole cents per sheet.
    order.freeSheetPackageInfo.unitPrice = pricing.freeSheetUnitPrice();
    order.freeSheetPackageInfo.total = -pricing.freeSheetValue();
    order.discountAmounts = catalogue.discountAmounts();
    Settings* store = &settings;
    order.orientationTranslation = [store](PackageEntry& entry) {
        applyOrientationTranslation(entry, *store);
    };
    return order;
}

ReleasedOrder ReleasedOrderBuilder::build(const PricedSession& session,
                                          const PackageCatalogue& catalogue, Settings& settings)
{
    return build(session.basket().customerID, session.photosOnShow(),
                 session.assembly().sessionOrderList(), session.pricing(), catalogue, settings);
}

} // namespace kivo
