#pragma once

#include "orders/OrderLine.h"
#include "orders/OrderPricing.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kivo {

// One photo of the session order: its name (the image's name, else its file path) and the lines
// of its translated order.
struct OrderPhoto
{
    QString name;
    QList<OrderLine> lines;
};

// Everything the order files of one released order are made from, handed over whole so that the
// worker writing them never touches the session's live objects.
struct ReleasedOrder
{
    QString customerId;       // the session identity; names every file
    QStringList listOfImages; // names of the photos on show, in grid order
    QList<OrderPhoto> photos; // photos with an ordered unit, in grid order
    int upsellCount = 0;
    int freeSheets = 0;
    float discount = 0.0f;
    std::optional<OrderTotals> totals; // none: the order was never priced
    // The free sheets' value the total took off beside the discount; the invoice bills it as
    // its own record and the receipt shows it as its own line.
    float freeSheetValue = 0.0f;
    QString taxDescription;             // the sales-tax text the summary showed
    PseudoPackage freeSheetPackageInfo; // the free-sheets record, at the value taken off
    PseudoPackage discountAmounts;      // the discount-amount record
    // Applied to every package entry of the print job: appends the orientation suffix to the
    // PLU and keeps the old one as the original. None: PLUs stay as they are.
    std::function<void(PackageEntry& entry)> orientationTranslation;
};

} // namespace kivo
