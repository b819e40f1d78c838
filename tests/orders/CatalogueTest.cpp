#include "OrdersTestSupport.h"

#include "core/Paths.h"
#include "core/Settings.h"
#include "orders/PackageCatalogue.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QStringList plusOf(const QVariantList& records)
{
    QStringList plus;
    for (const QVariant& record : records)
        plus << record.toMap().value("pkgPLU").toString();
    return plus;
}

} // namespace

// The display list names PLUs of the master list (unknown ones skipped, a twice-listed one
// offered twice); without a usable master list its old record form is used instead.
TEST(Catalogue, DisplayListFromTheMasterListOrItsRecords)
{
    test::TestRoot root;
    const QString display = root.file("display.plist");
    const QString master = root.file("master.plist");
    ASSERT_TRUE(plist::writeFile(
        display,
        QVariantMap{
            {"UIDisplayPackageList", QVariantList{test::packageRecord("Z", "Z", 1, "Print"),
                                                  test::packageRecord("Y", "Y", 2, "Flash")}},
            {"UIDisplayPackageListNew", QVariantList{"A", "X", "B", "A"}},
        }));
    const QList<std::pair<QVariant, QStringList>> table = {
        {QVariant(), {"Z", "Y"}}, // no master file
        {QVariantMap(), {"Z", "Y"}},
        {QVariantMap{{"A", test::packageRecord("A", "A", 5, "Print")},
                     {"B", test::packageRecord("B", "B", 7, "Print")}},
         {"A", "B", "A"}},
    };
    for (const auto& [masterList, offered] : table) {
        if (masterList.isValid()) {
            ASSERT_TRUE(plist::writeFile(master, masterList));
        }
        PackageCatalogue catalogue(Settings::instance());
        ASSERT_TRUE(catalogue.loadFromFiles(display, master));
        EXPECT_EQ(plusOf(catalogue.displayPackageList()), offered);
    }
}

// A missing or unusable file, or a price or count that is not a plain number, is refused when
// the catalogue loads, naming the file and the record, instead of running on as NaN or 12 into
// every total and the invoice.
TEST(Catalogue, UnusableFilesPricesAndCountsAreRefused)
{
    test::TestRoot root;
    const QString display = root.file("display.plist");
    const QString master = root.file("master.plist");
    const struct
    {
        QVariant price;
        QVariant firstItems;
        QString error; // empty: loads
    } table[] = {
        {10.0, 4, {}},
        {"10.00", "4", {}},
        {"12abc", 4, master + ": A.pkgUnitPrice is not a number (\"12abc\")"},
        {"0x10", 4, master + ": A.pkgUnitPrice is not a number (\"0x10\")"},
        {"NaN", 4, master + ": A.pkgUnitPrice is not a number (\"NaN\")"},
        {-5.0, 4, master + ": A.pkgUnitPrice is negative (-5)"},
        {1e9, 4, master + ": A.pkgUnitPrice is too large (1e+09)"},
        {10.0, "4x", display + ": NumberOfFirstItems is not a number (\"4x\")"},
    };
    for (const auto& row : table) {
        QVariantMap record = test::packageRecord("A", "A", 1, "Print");
        record.insert("pkgUnitPrice", row.price);
        ASSERT_TRUE(plist::writeFile(master, QVariantMap{{"A", record}}));
        ASSERT_TRUE(
            plist::writeFile(display, QVariantMap{{"UIDisplayPackageListNew", QVariantList{"A"}},
                                                  {"NumberOfFirstItems", row.firstItems}}));
        PackageCatalogue catalogue(Settings::instance());
        EXPECT_EQ(catalogue.loadFromFiles(display, master), row.error.isEmpty());
        EXPECT_EQ(catalogue.loadError(), row.error);
        EXPECT_EQ(catalogue.displayPackageList().size(), row.error.isEmpty() ? 1 : 0);
    }

    PackageCatalogue catalogue(Settings::instance());
    const QString missing = root.file("nothing.plist");
    EXPECT_FALSE(catalogue.loadFromFiles(missing, master));
    EXPECT_EQ(catalogue.loadError(),
              QString("Unable to find dictionary at path [%1]").arg(missing));
    EXPECT_TRUE(catalogue.masterItemList().isEmpty());
    ASSERT_TRUE(plist::writeFile(root.file("array.plist"), QVariantList{"A"}));
    EXPECT_FALSE(catalogue.loadFromFiles(root.file("array.plist"), master));
}

// A catalogue past the station's size (offered packages, master items, file bytes) is refused
// with the reason before it is used; one at the limits loads.
TEST(Catalogue, OversizedCataloguesAreRefused)
{
    test::TestRoot root;
    const QString display = root.file("display.plist");
    const QString master = root.file("master.plist");
    auto records = [](qsizetype count) {
        QVariantMap map;
        for (qsizetype i = 0; i < count; ++i)
            map.insert(QString("P%1").arg(i),
                       test::packageRecord(QString("P%1").arg(i), "x", 1, "Print"));
        return map;
    };
    auto plus = [](qsizetype count) {
        QVariantList list;
        for (qsizetype i = 0; i < count; ++i)
            list << QString("P%1").arg(i);
        return list;
    };
    const qsizetype offered = PackageCatalogue::kMaxOfferedPackages;
    const qsizetype items = PackageCatalogue::kMaxMasterItems;
    const struct
    {
        qsizetype masterItems;
        qsizetype offeredPLUs;
        qsizetype offeredRecords;
        qsizetype padding; // bytes of an unused key in the display file
        QString error;     // empty: loads
    } table[] = {
        {items, offered, 0, 0, {}},
        {items + 1, offered, 0, 0,
         master + ": 1001 packages in MasterItemList; the station takes at most 1000"},
        {items, offered + 1, 0, 0,
         display + ": 51 packages in UIDisplayPackageListNew; the station takes at most 50"},
        {0, 0, offered + 1, 0,
         display + ": 51 packages in UIDisplayPackageList; the station takes at most 50"},
        {items, offered, 0, PackageCatalogue::kMaxFileBytes,
         "bytes; a catalogue file may have at most 1048576"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.error.toStdString());
        ASSERT_TRUE(plist::writeFile(master, records(row.masterItems)));
        QVariantList recordForm;
        for (qsizetype i = 0; i < row.offeredRecords; ++i)
            recordForm << test::packageRecord("R", "R", 1, "Print");
        ASSERT_TRUE(plist::writeFile(display,
                                     QVariantMap{{"UIDisplayPackageListNew", plus(row.offeredPLUs)},
                                                 {"UIDisplayPackageList", recordForm},
                                                 {"Notes", QString(row.padding, 'n')}}));
        PackageCatalogue catalogue(Settings::instance());
        EXPECT_EQ(catalogue.loadFromFiles(display, master), row.error.isEmpty());
        EXPECT_TRUE(catalogue.loadError().endsWith(row.error))
            << catalogue.loadError().toStdString();
        EXPECT_EQ(catalogue.displayPackageList().size(), row.error.isEmpty() ? offered : 0);
    }
}

// The invoice's pseudo-packages are built even without a catalogue; the free-sheet amount and
// the discount's name and PLUs come from the settings.
TEST(Catalogue, PseudoPackagesAndFirstItemRecords)
{
    test::TestRoot root;
    Settings& settings = Settings::instance();
    PackageCatalogue plain(Settings::instance());
    plain.loadFromFiles(root.file("none.plist"), QString());
    EXPECT_FLOAT_EQ(plain.freeSheetPackageInfo().unitPrice, -2.0f);
    EXPECT_TRUE(plain.freeSheetPackageInfo().plu.isNull());
    settings.setFreebieAmount(1.5);
    settings.setUpcForFreebie("FS1");
    settings.setDescriptionForDiscountAmtItem("Coupon");

    PackageCatalogue catalogue(Settings::instance());
    test::loadCatalogue(root, catalogue,
                        {test::packageRecord("P100", "8x10", 10, "Print", "P101"),
                         test::packageRecord("P101", "First 8x10", 25, "Print"),
                         test::packageRecord("P200", "5x7", 8, "Print", "P999")},
                        {"P100", "P200"});
    EXPECT_FLOAT_EQ(catalogue.freeSheetPackageInfo().unitPrice, -1.5f);
    EXPECT_EQ(catalogue.freeSheetPackageInfo().plu, "FS1");
    EXPECT_EQ(catalogue.discountAmounts().displayName, "Coupon");
    // PLUs are compared without regard to case; a first-item record named but missing, no
    // first-item key and an unknown PLU give none.
    EXPECT_EQ(catalogue.translatedFirstItemInfo("p100").value_or(PackageRecord()).plu, "P101");
    for (const char* plu : {"P200", "P101", "NOPE"})
        EXPECT_FALSE(catalogue.translatedFirstItemInfo(plu)) << plu;
}

TEST(Catalogue, ShippedDemoCatalogueLoadsThroughTheResources)
{
    test::TestRoot root;
    PackageCatalogue catalogue(Settings::instance());
    ASSERT_TRUE(catalogue.load()) << catalogue.loadError().toStdString();
    const QVariantList& display = catalogue.displayPackageList();
    ASSERT_FALSE(display.isEmpty());
    EXPECT_LE(display.size(), 8);
    EXPECT_TRUE(plusOf(display).contains("P11021"));
    EXPECT_TRUE(catalogue.recordForPLU("P10021"));
    for (const QVariant& entry : display) {
        const QVariantMap record = entry.toMap();
        const QString plu = record.value("pkgPLU").toString();
        // Every offered print or drive can be sold as a session's first item.
        const QString type = record.value("pkgType").toString().toLower();
        if (type == "print" || type == "flash") {
            EXPECT_TRUE(catalogue.translatedFirstItemInfo(plu)) << plu.toStdString();
        }
        EXPECT_FALSE(
            paths::resourcePath("icons/" + record.value("pkgIconName").toString(), "png").isEmpty())
            << plu.toStdString();
    }
}
