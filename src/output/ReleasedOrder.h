#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace kivo {

// One photo of the session order: its name (the image's name, else its file path) and the lines
// of its translated order, each a dictionary with "pkgDisplayName", "pkgKivoPkgName", "pkgPLU",
// "pkgUnitPrice", "pkgQty", "pkgTotal" and "pkgPrePrintQty".
struct OrderPhoto
{
    QString name;
    QList<QVariantMap> lines;
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
    std::optional<QVariantMap> totals; // {"subTotal", "tax", "total", "discount"}
    // The free sheets' value the total took off beside the discount; the invoice bills it as
    // its own record and the receipt shows it as its own line.
    float freeSheetValue = 0.0f;
    QString taxDescription;            // the sales-tax text the summary showed
    QVariantMap freeSheetPackageInfo;  // the free-sheets pseudo-package record
    QVariantMap discountAmtDictionary; // the discount-amount pseudo-package record
    // Applied to every package entry of the print job: appends the orientation suffix to
    // "pkgPLU" and keeps the old PLU under "pkgPLU_original". None: PLUs stay as they are.
    std::function<void(QVariantMap& entry)> orientationTranslation;
};

} // namespace kivo
