#pragma once

#include "orders/LineItem.h"

#include <QString>
#include <QVariantMap>

namespace kivo {

// One ordered line of the session order: the photo it belongs to and its line. The dictionary
// form (toVariantMap) carries "name", "orderedItem", "pkgPLU", "pkgQty", "pkgKivoPkgName",
// "pkgPrePrintQty", "pkgType", plus "pkgDisplayName" on a first-item unit and "pkgUnitPrice"
// on a drive re-priced by the reduced-USB rule; those values always mirror the line.
struct SessionOrderEntry
{
    QString name; // the photo's file path
    LineItem orderedItem;
    bool isFirstItemUnit = false; // made by the first-item translation
    bool isRepricedDrive = false; // re-priced by the reduced-USB rule

    const QString& pkgPLU() const { return orderedItem.pkgPLU(); }
    int pkgQty() const { return orderedItem.pkgQty(); }
    const QString& pkgType() const { return orderedItem.pkgType(); }
    int pkgPrePrintQty() const { return orderedItem.pkgPrePrintQty(); }

    QVariantMap toVariantMap() const;
};

} // namespace kivo
