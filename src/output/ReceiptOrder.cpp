#include "output/ReceiptOrder.h"

#include "core/Settings.h"
#include "output/ReleasedOrder.h"

namespace kivo {

namespace {

float floatValue(const QVariant& value)
{
    return float(Settings::toDouble(value));
}

ReceiptTotals totalsFrom(const QVariantMap& t)
{
    return {floatValue(t.value(QStringLiteral("subTotal"))),
            floatValue(t.value(QStringLiteral("tax"))),
            floatValue(t.value(QStringLiteral("total"))),
            floatValue(t.value(QStringLiteral("discount")))};
}

} // namespace

ReceiptOrder ReceiptOrder::fromOrderMap(const QVariantMap& order)
{
    ReceiptOrder out;
    for (const QVariant& item : order.value(QStringLiteral("listOfPackages")).toList()) {
        const QVariantMap entry = item.toMap();
        ReceiptPackage package;
        package.photoName = entry.value(QStringLiteral("name")).toString();
        package.plu = entry.value(QStringLiteral("pkgPLU")).toString();
        package.originalPlu = entry.value(QStringLiteral("pkgPLU_original")).toString();
        // A line without a quantity or a unit price has no description either.
        const QVariant display = entry.value(QStringLiteral("pkgDisplayName"));
        if (display.typeId() == QMetaType::QString && entry.contains(QStringLiteral("pkgQty")) &&
            entry.contains(QStringLiteral("pkgUnitPrice")))
            package.displayName = display.toString();
        package.qty = Settings::toInteger(entry.value(QStringLiteral("pkgQty")));
        package.unitPrice = floatValue(entry.value(QStringLiteral("pkgUnitPrice")));
        package.total = floatValue(entry.value(QStringLiteral("pkgTotal")));
        out.packages.append(package);
    }
    const QVariant totals = order.value(QStringLiteral("curOrderTotalsInfo"));
    if (totals.typeId() == QMetaType::QVariantMap)
        out.totals = totalsFrom(totals.toMap());
    return out;
}

ReceiptOrder ReceiptOrder::fromReleasedOrder(const ReleasedOrder& order,
                                             const QList<PackageEntry>& fullOrder)
{
    ReceiptOrder out;
    for (const PackageEntry& entry : fullOrder)
        out.packages.append({entry.photoName, entry.line.plu, entry.originalPlu.value_or(QString()),
                             entry.line.displayName, entry.line.qty, entry.line.unitPrice,
                             entry.line.total});
    if (order.totals) {
        const OrderTotals& t = *order.totals;
        out.totals = ReceiptTotals{t.subTotal, t.tax, t.total, t.discount};
    }
    out.taxDescription = order.taxDescription;
    out.freeSheetValue = order.freeSheetValue;
    return out;
}

} // namespace kivo
