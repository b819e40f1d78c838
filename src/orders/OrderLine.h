#pragma once

#include "orders/LineItem.h"

#include <QString>
#include <QVariantMap>

#include <optional>

namespace kivo {

// One package line of a released order: what the order files, the invoice and the receipt carry
// of it.
struct OrderLine
{
    QString displayName; // "pkgDisplayName"
    QString kivoPkgName; // "pkgKivoPkgName"
    QString plu;         // "pkgPLU"
    float unitPrice = 0.0f;
    qint64 qty = 0;
    float total = 0.0f;
    qint64 prePrintQty = 0; // units the customer already holds as samples

    static OrderLine fromLineItem(const LineItem& line)
    {
        return {line.pkgDisplayName(), line.pkgKivoPkgName(), line.pkgPLU(),
                line.pkgUnitPrice(),   line.pkgQty(),         line.pkgTotal(),
                line.pkgPrePrintQty()};
    }
};

// One entry of an order file's package list: a line with the photo it prints ("name", the
// photo's file path) and, in a print job, the PLU it had before the orientation suffix was
// appended ("pkgPLU_original").
struct PackageEntry
{
    QString photoName;
    OrderLine line;
    std::optional<QString> originalPlu;
};

// One package record of the catalogue, as "MasterItemList.plist" and "UIDisplayPackageList.plist"
// hold it. A key a record lacks reads as an empty text or a price of 0.
struct PackageRecord
{
    QString plu;          // "pkgPLU"
    QString displayName;  // "pkgDisplayName"
    QString kivoName;     // "pkgKivoName": the print host's name of the package
    QString kivoPkgName;  // "pkgKivoPkgName"
    QString type;         // "pkgType"
    QString iconName;     // "pkgIconName"
    QString firstItemPlu; // "pkgFirstItemPLU": the record that prices a session's first unit
    float unitPrice = 0.0f;

    // From a record dictionary of a catalogue file (unknown keys are ignored).
    static PackageRecord fromMap(const QVariantMap& record);
};

// A package the invoice bills that no photo carries: the free sheets or the discount amount.
struct PseudoPackage
{
    QString plu; // null when its setting is not set
    QString displayName;
    QString name; // stands in the invoice's photo column
    float unitPrice = 0.0f;
    // What the record takes off in all, when that is not count x unit price (the free sheets'
    // value capped at what the order had left).
    std::optional<float> total;
};

} // namespace kivo
