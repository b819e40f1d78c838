// Baskets replayed by kivo-order: read, built against the shipped catalogue and priced. Whatever
// the basket holds, a priced order has finite amounts that are never below zero.
#include "FuzzSupport.h"

#include "core/FactoryDefaults.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "orders/Basket.h"
#include "orders/PackageCatalogue.h"
#include "orders/PricedSession.h"

#include <cmath>

namespace {

bool sound(float amount)
{
    return std::isfinite(amount) && amount >= 0.0f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kivo;
    static Settings settings(fuzz::writeInput(QStringLiteral("settings.plist"), QByteArray()));
    static PackageCatalogue catalogue = [] {
        setupFactoryDefaults(settings, paths::resourcePath(QStringLiteral("FactoryDefaults"),
                                                           QStringLiteral("plist")));
        PackageCatalogue loaded(settings);
        if (!loaded.load())
            fuzz::fail("the shipped catalogue does not load");
        return loaded;
    }();

    QString error;
    const std::optional<Basket> basket = Basket::fromBytes(fuzz::bytes(data, size), &error);
    if (!basket) {
        if (error.isEmpty())
            fuzz::fail("a refused basket without a reason");
        return 0;
    }
    for (const BasketPhoto& photo : basket->photos) {
        for (const BasketLine& line : photo.lines) {
            if (line.pkgQty < 0 || line.pkgQty > 32767 || line.pkgPrePrintQty < 0 ||
                line.pkgPrePrintQty > line.pkgQty)
                fuzz::fail("a basket line with a count the order files cannot hold");
        }
    }
    PricedSession session(catalogue, settings);
    if (!session.price(*basket, &error))
        return 0;
    const OrderTotals& totals = session.pricing().totals();
    if (!sound(totals.subTotal) || !sound(totals.tax) || !sound(totals.total) ||
        !sound(totals.discount) || totals.discount > totals.subTotal)
        fuzz::fail("a priced basket with an amount below zero or not a number");
    (void)session.toJson();
    return 0;
}
