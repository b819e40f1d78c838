#pragma once

// Helpers shared by the orders tests: catalogue files written into the test's own root, and
// lines built in one call.

#include "core/PropertyList.h"
#include "orders/LineItem.h"
#include "orders/PackageCatalogue.h"
#include "support/TestRoot.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace kivo::test {

inline QVariantMap packageRecord(const QString& plu, const QString& name, double price,
                                 const QString& type, const QString& firstPLU = QString())
{
    QVariantMap record{
        {"pkgPLU", plu},         {"pkgDisplayName", name}, {"pkgKivoName", name + " host"},
        {"pkgUnitPrice", price}, {"pkgType", type},        {"pkgIconName", "icon"},
        {"pkgKivoPkgName", type}};
    if (!firstPLU.isEmpty())
        record.insert("pkgFirstItemPLU", firstPLU);
    return record;
}

// Writes a display list naming DISPLAYPLUS and a master item list of RECORDS under ROOT, and
// loads them into CATALOGUE.
inline void loadCatalogue(const TestRoot& root, PackageCatalogue& catalogue,
                          const QList<QVariantMap>& records, const QStringList& displayPLUs,
                          int firstItems = 2)
{
    QVariantMap master;
    for (const QVariantMap& record : records)
        master.insert(record.value("pkgPLU").toString(), record);
    const QString displayPath = root.file("display.plist");
    const QString masterPath = root.file("master.plist");
    ASSERT_TRUE(plist::writeFile(masterPath, master));
    ASSERT_TRUE(plist::writeFile(displayPath,
                                 QVariantMap{{"UIDisplayPackageListNew",
                                              QVariantList(displayPLUs.begin(), displayPLUs.end())},
                                             {"NumberOfFirstItems", firstItems}}));
    ASSERT_TRUE(catalogue.loadFromFiles(displayPath, masterPath));
}

inline LineItem makeLine(const QString& plu, const QString& type, int qty, float price,
                         const QString& name = QString())
{
    LineItem line;
    line.setPkgPLU(plu);
    line.setPkgDisplayName(name.isEmpty() ? plu : name);
    line.setPkgKivoPkgName(plu + " host");
    line.setPkgType(type);
    line.setPkgQty(qty);
    line.setPkgUnitPrice(price);
    line.setPkgTotal(line.extendedPrice());
    return line;
}

} // namespace kivo::test
