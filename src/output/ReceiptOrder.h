#pragma once

#include "orders/OrderLine.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace kivo {

struct ReleasedOrder;

// One package line of a receipt, as the full-order file bills it.
struct ReceiptPackage
{
    QString photoName;   // the photo's path
    QString plu;         // "pkgPLU"
    QString originalPlu; // "pkgPLU_original", when an orientation suffix was added
    QString displayName; // empty: the line's description cannot be formed
    qint64 qty = 0;
    float unitPrice = 0.0f;
    float total = 0.0f;
};

// The order's totals record ("subTotal", "tax", "total", "discount").
struct ReceiptTotals
{
    float subTotal = 0.0f;
    float tax = 0.0f;
    float total = 0.0f;
    float discount = 0.0f;
};

// What a receipt bills: the package lines in order and, when the order was priced, its totals.
struct ReceiptOrder
{
    QList<ReceiptPackage> packages;
    std::optional<ReceiptTotals> totals;
    QString taxDescription;      // the summary's sales-tax text; empty: "Tax"
    float freeSheetValue = 0.0f; // what the free sheets took off the total

    // From an order dictionary as the order files hold it ("listOfPackages" and, optionally,
    // "curOrderTotalsInfo").
    static ReceiptOrder fromOrderMap(const QVariantMap& order);
    // What the customer paid for: the full order's entries (pre-printed units included) with
    // the order's totals.
    static ReceiptOrder fromReleasedOrder(const ReleasedOrder& order,
                                          const QList<PackageEntry>& fullOrder);
};

} // namespace kivo
