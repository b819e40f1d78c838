#include "OrdersTestSupport.h"

#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "orders/PackageCatalogue.h"
#include "support/TestRoot.h"

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

TEST(CatalogueLoad, DisplayListNamesPLUsFromMasterAndSkipsUnknownOnes)
{
    test::TestRoot root;
    PackageCatalogue catalogue;
    const QVariantMap a = test::packageRecord("A", "Package A", 5.0, "Print");
    const QVariantMap b = test::packageRecord("B", "Package B", 7.0, "Print");
    QVariantMap master{{"A", a}, {"B", b}};
    ASSERT_TRUE(plist::writeFile(root.file("master.plist"), master));
    // The record array is ignored entirely once a master list exists; a PLU listed twice is
    // offered twice.
    ASSERT_TRUE(plist::writeFile(
        root.file("display.plist"),
        QVariantMap{
            {"UIDisplayPackageList", QVariantList{test::packageRecord("Z", "Old Z", 1.0, "Print")}},
            {"UIDisplayPackageListNew", QVariantList{"A", "X", "B", "A"}},
            {"NumberOfFirstItems", 3}}));
    ASSERT_TRUE(catalogue.loadFromFiles(root.file("display.plist"), root.file("master.plist")));
    EXPECT_EQ(plusOf(catalogue.displayPackageList()), QStringList({"A", "B", "A"}));
    EXPECT_EQ(catalogue.numberOfFirstItems(), 3);
    EXPECT_EQ(catalogue.masterItemList().size(), 2);
}

TEST(CatalogueLoad, RecordFormIsUsedWithoutAMasterList)
{
    test::TestRoot root;
    ASSERT_TRUE(plist::writeFile(
        root.file("display.plist"),
        QVariantMap{
            {"UIDisplayPackageList", QVariantList{test::packageRecord("Z", "Old Z", 1.0, "Print"),
                                                  test::packageRecord("Y", "Old Y", 2.0, "Flash")}},
            {"UIDisplayPackageListNew", QVariantList{"A"}}}));
    // Master list missing, then present but empty: both fall back to the records.
    for (const bool writeEmptyMaster : {false, true}) {
        if (writeEmptyMaster) {
            ASSERT_TRUE(plist::writeFile(root.file("master.plist"), QVariantMap()));
        }
        PackageCatalogue catalogue;
        ASSERT_TRUE(catalogue.loadFromFiles(root.file("display.plist"), root.file("master.plist")));
        EXPECT_EQ(plusOf(catalogue.displayPackageList()), QStringList({"Z", "Y"}));
        EXPECT_EQ(catalogue.numberOfFirstItems(), 0);
        EXPECT_FALSE(catalogue.getTranslatedFirstItemInfo("Z"));
    }
}

TEST(CatalogueLoad, MissingDisplayFileLeavesAnEmptyCatalogueWithTheMessage)
{
    test::TestRoot root;
    ASSERT_TRUE(plist::writeFile(root.file("master.plist"),
                                 QVariantMap{{"A", test::packageRecord("A", "A", 1, "Print")}}));
    PackageCatalogue catalogue;
    const QString missing = root.file("nothing.plist");
    EXPECT_FALSE(catalogue.loadFromFiles(missing, root.file("master.plist")));
    EXPECT_EQ(catalogue.loadError(),
              QString("Unable to find dictionary at path [%1]").arg(missing));
    EXPECT_TRUE(catalogue.displayPackageList().isEmpty());
    EXPECT_TRUE(catalogue.masterItemList().isEmpty());
    // A file that is a property list but not a dictionary is just as unusable.
    ASSERT_TRUE(plist::writeFile(root.file("array.plist"), QVariantList{"A"}));
    EXPECT_FALSE(catalogue.loadFromFiles(root.file("array.plist"), root.file("master.plist")));
    // The pseudo-packages are built even so: the invoice needs them.
    EXPECT_EQ(catalogue.freeSheetPackageInfo().value("name").toString(), "freeSheet");
}

TEST(CatalogueLoad, PseudoPackagesTakeTheirValuesFromSettings)
{
    test::TestRoot root;
    Settings& settings = Settings::standardUserDefaults();
    {
        PackageCatalogue catalogue;
        catalogue.loadFromFiles(root.file("none.plist"), QString());
        const QVariantMap free = catalogue.freeSheetPackageInfo();
        EXPECT_DOUBLE_EQ(free.value("pkgUnitPrice").toDouble(), -2.0);
        EXPECT_DOUBLE_EQ(free.value("pkgSubTotal").toDouble(), -2.0);
        EXPECT_EQ(free.value("pkgDisplayName").toString(), "Free Sheets Discount");
        EXPECT_EQ(free.value("pkgQty").toLongLong(), 1);
        // Absent settings leave the keys unset.
        EXPECT_FALSE(free.contains("pkgPLU"));
        const QVariantMap discount = catalogue.discountAmtDictionary();
        EXPECT_FALSE(discount.contains("pkgPLU"));
        EXPECT_FALSE(discount.contains("pkgDisplayName"));
        EXPECT_EQ(discount.value("name").toString(), "Discount Amt");
        EXPECT_DOUBLE_EQ(discount.value("pkgUnitPrice").toDouble(), 0.0);
    }
    settings.setDouble(1.5, sPrefFreebieAmount);
    settings.setString("FS1", sPrefUpcCodeForFreebie);
    settings.setString("DA9", sPrefUpcForDiscountAmtItem);
    settings.setString("Coupon", sPrefDescriptionForDiscountAmtItem);
    PackageCatalogue catalogue;
    catalogue.loadFromFiles(root.file("none.plist"), QString());
    EXPECT_DOUBLE_EQ(catalogue.freeSheetPackageInfo().value("pkgUnitPrice").toDouble(), -1.5);
    EXPECT_DOUBLE_EQ(catalogue.freeSheetPackageInfo().value("pkgSubTotal").toDouble(), -1.5);
    EXPECT_EQ(catalogue.freeSheetPackageInfo().value("pkgPLU").toString(), "FS1");
    EXPECT_EQ(catalogue.discountAmtDictionary().value("pkgPLU").toString(), "DA9");
    EXPECT_EQ(catalogue.discountAmtDictionary().value("pkgDisplayName").toString(), "Coupon");
}

TEST(CatalogueFirstItem, LookupFollowsFirstItemPLU)
{
    test::TestRoot root;
    PackageCatalogue catalogue;
    test::loadCatalogue(root, catalogue,
                        {test::packageRecord("P100", "8x10", 10, "Print", "P101"),
                         test::packageRecord("P101", "First 8x10", 25, "Print"),
                         test::packageRecord("P200", "5x7", 8, "Print", "P999"),
                         test::packageRecord("P300", "Mug", 12, "promo")},
                        {"P100", "P200", "P300"});
    const auto first = catalogue.getTranslatedFirstItemInfo("P100");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->value("pkgDisplayName").toString(), "First 8x10");
    // PLUs are compared without regard to case.
    EXPECT_TRUE(catalogue.getTranslatedFirstItemInfo("p100"));
    // The named first-item record is missing; no first-item key; unknown PLU.
    EXPECT_FALSE(catalogue.getTranslatedFirstItemInfo("P200"));
    EXPECT_FALSE(catalogue.getTranslatedFirstItemInfo("P300"));
    EXPECT_FALSE(catalogue.getTranslatedFirstItemInfo("NOPE"));
}

TEST(CatalogueLoad, ShippedDemoCatalogueLoadsThroughTheResources)
{
    test::TestRoot root;
    PackageCatalogue catalogue;
    ASSERT_TRUE(catalogue.load()) << catalogue.loadError().toStdString();
    const QVariantList& display = catalogue.displayPackageList();
    ASSERT_FALSE(display.isEmpty());
    EXPECT_LE(display.size(), 8);
    EXPECT_GT(catalogue.numberOfFirstItems(), 0);
    bool hasUsb = false;
    for (const QVariant& entry : display) {
        const QVariantMap record = entry.toMap();
        for (const char* key : {"pkgPLU", "pkgDisplayName", "pkgKivoName", "pkgUnitPrice",
                                "pkgType", "pkgIconName", "pkgKivoPkgName"})
            EXPECT_TRUE(record.contains(key)) << key;
        const QString plu = record.value("pkgPLU").toString();
        hasUsb = hasUsb || plu == "P11021";
        // Every offered print or drive can be sold as a session's first item.
        const QString type = record.value("pkgType").toString().toLower();
        if (type == "print" || type == "flash") {
            EXPECT_TRUE(catalogue.getTranslatedFirstItemInfo(plu)) << plu.toStdString();
        }
        EXPECT_FALSE(
            paths::resourcePath("icons/" + record.value("pkgIconName").toString(), "png").isEmpty())
            << record.value("pkgIconName").toString().toStdString();
    }
    EXPECT_TRUE(hasUsb);
    EXPECT_TRUE(catalogue.recordForPLU("P10021"));
}

// A price or count that is not a plain number is refused when the catalogue loads, naming the
// file and the record, instead of running on as NaN or 12 into every total and the invoice.
TEST(CatalogueLoad, PricesAndCountsThatAreNotNumbersAreRefused)
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
        PackageCatalogue catalogue;
        EXPECT_EQ(catalogue.loadFromFiles(display, master), row.error.isEmpty());
        EXPECT_EQ(catalogue.loadError(), row.error);
        EXPECT_EQ(catalogue.displayPackageList().size(), row.error.isEmpty() ? 1 : 0);
    }
}
