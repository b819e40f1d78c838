#include "OrdersTestSupport.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "orders/OrderPricing.h"
#include "orders/SessionOrderAssembly.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

// A site with a print, a second print, a USB drive (reduced price), a promo, and first-item
// records for the print and the drive.
class Assembly : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::loadCatalogue(root, catalogue,
                            {test::packageRecord("P810", "8x10 Print", 10.00, "Print", "P810F"),
                             test::packageRecord("P810F", "First 8x10", 25.00, "Print"),
                             test::packageRecord("P57", "5x7 Print", 8.00, "Print", "P57F"),
                             test::packageRecord("P57F", "First 5x7", 20.00, "Print"),
                             test::packageRecord("P11021", "USB Drive", 20.00, "Flash", "P11022"),
                             test::packageRecord("P11022", "First USB", 40.00, "Flash"),
                             test::packageRecord("PROMO", "Ornament", 15.00, "promo"),
                             test::packageRecord("NOFIRST", "Calendar", 9.00, "Print")},
                            {"P810", "P57", "P11021", "PROMO", "NOFIRST"});
    }

    // An order for one photo with the given quantities by display name.
    ImageOrder order(const QList<QPair<QString, int>>& quantities)
    {
        ImageOrder o;
        o.copyDefaultsToOrder(catalogue.displayPackageList());
        for (const auto& [name, qty] : quantities) {
            for (int i = 0; i < o.lineCount(); ++i) {
                if (o.line(i).pkgDisplayName() == name)
                    o.line(i).setPkgQty(qty);
            }
        }
        return o;
    }

    static QStringList describe(const ImageOrder& order)
    {
        QStringList out;
        for (const LineItem& line : order.lines())
            out << QString("%1 %2x%3=%4")
                       .arg(line.pkgPLU())
                       .arg(line.pkgQty())
                       .arg(double(line.pkgUnitPrice()), 0, 'f', 2)
                       .arg(double(line.pkgTotal()), 0, 'f', 2);
        return out;
    }

    static QStringList describe(const QList<SessionOrderEntry>& entries)
    {
        QStringList out;
        for (const SessionOrderEntry& entry : entries)
            out << QString("%1:%2x%3").arg(entry.name, entry.pkgPLU()).arg(entry.pkgQty());
        return out;
    }

    test::TestRoot root;
    Settings& settings = Settings::standardUserDefaults();
    PackageCatalogue catalogue{settings};
};

} // namespace

TEST_F(Assembly, WorkedExampleFirstItemAndReducedUsb)
{
    settings.setInteger(5, sPrefMinPrintsForReducedUsbPrice);
    const ImageOrder photo = order({{"8x10 Print", 3}, {"USB Drive", 1}});
    QObject view;
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"/p/a.jpg", &photo, &view}});

    EXPECT_EQ(assembly.fItemsWithPrints(), 1);
    EXPECT_EQ(assembly.fTotalPrintSheets(), 3);
    EXPECT_EQ(assembly.fItemsWithUsbDrive(), 1);
    EXPECT_EQ(assembly.fItemsWithPromos(), 0);
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.first().view, &view);
    EXPECT_EQ(result.first().translatedImageOrder.view(), nullptr);
    EXPECT_EQ(describe(result.first().translatedImageOrder),
              QStringList({"P810F 1x25.00=25.00", "P810 2x10.00=20.00", "P11022 1x40.00=40.00"}));
    const LineItem& unit = result.first().translatedImageOrder.line(0);
    EXPECT_EQ(unit.pkgDisplayName(), "First 8x10");
    EXPECT_EQ(unit.pkgKivoPkgName(), "First 8x10 host");
    EXPECT_EQ(unit.pkgAltQty(), 1);
    EXPECT_EQ(result.first().translatedImageOrder.line(2).pkgDisplayName(), "USB Drive");

    // Sorted by PLU within the photo; the dictionary forms carry the extra keys.
    EXPECT_EQ(describe(assembly.orderList()),
              QStringList({"/p/a.jpg:P11022x1", "/p/a.jpg:P810x2", "/p/a.jpg:P810Fx1"}));
    const QVariantMap drive = assembly.orderList().at(0).toVariantMap();
    EXPECT_DOUBLE_EQ(drive.value("pkgUnitPrice").toDouble(), 40.0);
    EXPECT_FALSE(drive.contains("pkgDisplayName"));
    const QVariantMap first = assembly.orderList().at(2).toVariantMap();
    EXPECT_EQ(first.value("pkgDisplayName").toString(), "First 8x10");
    EXPECT_FALSE(first.contains("pkgUnitPrice"));

    OrderPricing pricing{settings};
    pricing.setRowsFromSessionOrder(result);
    pricing.set_mOrderlist(assembly.orderList());
    pricing.set_fTotalPrintSheets(assembly.fTotalPrintSheets());
    pricing.doGetGrandTotal();
    EXPECT_FLOAT_EQ(pricing.totals().subTotal, 85.00f);

    // The photo's own order keeps the customer's quantities.
    EXPECT_EQ(photo.line(0).pkgQty(), 3);
    EXPECT_FLOAT_EQ(photo.line(2).pkgUnitPrice(), 20.0f);
}

TEST_F(Assembly, FirstPrintOfOneUnitIsReplacedWhole)
{
    const ImageOrder a = order({{"5x7 Print", 1}, {"8x10 Print", 2}});
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
    ASSERT_EQ(result.size(), 1);
    // The 8x10 line comes first in line order, so it is the first print.
    EXPECT_EQ(describe(result.first().translatedImageOrder),
              QStringList({"P810F 1x25.00=25.00", "P810 1x10.00=10.00", "P57 1x8.00=8.00"}));

    const ImageOrder b = order({{"5x7 Print", 1}});
    assembly.buildSessionOrder({{"b", &b, nullptr}});
    EXPECT_EQ(describe(assembly.sessionOrderList().first().translatedImageOrder),
              QStringList({"P57F 1x20.00=20.00"}));
}

TEST_F(Assembly, UsbOnlySessionTranslatesFirstDriveWithoutReducedRule)
{
    settings.setInteger(5, sPrefMinPrintsForReducedUsbPrice);
    const ImageOrder a = order({{"USB Drive", 2}});
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
    EXPECT_EQ(assembly.fItemsWithPrints(), 0);
    EXPECT_EQ(assembly.fItemsWithUsbDrive(), 1);
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(describe(result.first().translatedImageOrder),
              QStringList({"P11022 1x40.00=40.00", "P11021 1x20.00=20.00"}));
}

TEST_F(Assembly, PromoOnlySessionIsNotTranslated)
{
    const ImageOrder a = order({{"Ornament", 3}});
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
    EXPECT_EQ(assembly.fItemsWithPrints(), 0);
    EXPECT_EQ(assembly.fItemsWithUsbDrive(), 0);
    EXPECT_EQ(assembly.fItemsWithPromos(), 3);
    EXPECT_EQ(describe(result.first().translatedImageOrder), QStringList({"PROMO 3x15.00=45.00"}));
}

TEST_F(Assembly, DrivePLUTypedAsPrintCountsAsUsbButIsNotRepriced)
{
    settings.setInteger(5, sPrefMinPrintsForReducedUsbPrice);
    ImageOrder a = order({{"8x10 Print", 2}});
    a.line(7) = test::makeLine("P11021", "Print", 1, 20.0f, "Odd Drive");
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
    EXPECT_EQ(assembly.fItemsWithUsbDrive(), 1);
    EXPECT_EQ(assembly.fItemsWithPrints(), 1);
    EXPECT_EQ(assembly.fTotalPrintSheets(), 2);
    EXPECT_EQ(describe(result.first().translatedImageOrder),
              QStringList({"P810F 1x25.00=25.00", "P810 1x10.00=10.00", "P11021 1x20.00=20.00"}));
}

TEST_F(Assembly, ReducedUsbRuleFollowsTheMinimum)
{
    const ImageOrder a = order({{"8x10 Print", 2}, {"USB Drive", 1}});
    SessionOrderAssembly assembly(catalogue, settings);
    struct Case
    {
        QVariant minimum;
        const char* drivePLU;
    };
    // Absent or 1: drives keep the reduced price; 3 with 2 sheets: re-priced; 2 with 2: kept.
    for (const Case& c :
         {Case{QVariant(), "P11021"}, Case{1, "P11021"}, Case{3, "P11022"}, Case{2, "P11021"}}) {
        if (c.minimum.isValid())
            settings.setObject(c.minimum, sPrefMinPrintsForReducedUsbPrice);
        else
            settings.removeObjectForKey(sPrefMinPrintsForReducedUsbPrice);
        const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
        EXPECT_EQ(result.first().translatedImageOrder.line(2).pkgPLU(), c.drivePLU)
            << c.minimum.toString().toStdString();
    }
}

TEST_F(Assembly, TwoPhotosSortByNameIgnoringCaseThenPLU)
{
    const ImageOrder a = order({{"8x10 Print", 2}, {"5x7 Print", 1}});
    const ImageOrder b = order({{"Ornament", 1}, {"5x7 Print", 2}});
    const ImageOrder none = order({});
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder(
        {{"/p/B.jpg", &a, nullptr}, {"/p/z.jpg", &none, nullptr}, {"/p/a.jpg", &b, nullptr}});
    // Photos without units are left out; the result keeps grid order.
    ASSERT_EQ(result.size(), 2);
    EXPECT_EQ(result.at(0).name, "/p/B.jpg");
    EXPECT_EQ(result.at(0).gridIndex, 0);
    EXPECT_EQ(result.at(1).gridIndex, 2);
    EXPECT_EQ(describe(assembly.orderList()),
              QStringList({"/p/a.jpg:P57x2", "/p/a.jpg:PROMOx1", "/p/B.jpg:P57x1",
                           "/p/B.jpg:P810x1", "/p/B.jpg:P810Fx1"}));
    const SessionOrderEntry upper{"/P/A.JPG", test::makeLine("p1", "Print", 1, 1.0f)};
    const SessionOrderEntry lower{"/p/a.jpg", test::makeLine("P2", "Print", 1, 1.0f)};
    EXPECT_LT(SessionOrderAssembly::mySortByImageAndPlu(upper, lower), 0);
    EXPECT_GT(SessionOrderAssembly::mySortByImageAndPlu(lower, upper), 0);
    EXPECT_EQ(SessionOrderAssembly::mySortByImageAndPlu(upper, upper), 0);
    EXPECT_EQ(describe(result.at(1).translatedImageOrder),
              QStringList({"P57 2x8.00=16.00", "PROMO 1x15.00=15.00"}));
}

TEST_F(Assembly, FirstPrePrintedUnitMovesToTheFirstItem)
{
    ImageOrder a = order({{"8x10 Print", 3}});
    a.line(0).setPkgPrePrintQty(2);
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
    const ImageOrder& translated = result.first().translatedImageOrder;
    ASSERT_EQ(translated.lineCount(), 2);
    EXPECT_EQ(translated.line(0).pkgQty(), 1);
    EXPECT_EQ(translated.line(0).pkgPrePrintQty(), 1);
    EXPECT_EQ(translated.line(1).pkgQty(), 2);
    EXPECT_EQ(translated.line(1).pkgPrePrintQty(), 1);
    EXPECT_EQ(assembly.unsortedOrderList().at(1).toVariantMap().value("pkgPrePrintQty"), 1);
}

TEST_F(Assembly, MissingFirstItemRecordLeavesTheLineAtItsOwnPrice)
{
    settings.setInteger(5, sPrefMinPrintsForReducedUsbPrice);
    ImageOrder a = order({{"Calendar", 2}});
    a.line(6) = test::makeLine("USBX", "Flash", 1, 22.0f, "Other Drive");
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
    EXPECT_EQ(describe(result.first().translatedImageOrder),
              QStringList({"NOFIRST 2x9.00=18.00", "USBX 1x22.00=22.00"}));
}

TEST_F(Assembly, EqualKeysKeepListOrderAndStaleTotalsAreRefreshed)
{
    // A first-item record whose PLU equals its own package's PLU sorts equal to the rest of the
    // line: the translated unit stays first.
    PackageCatalogue selfFirst;
    test::loadCatalogue(root, selfFirst, {test::packageRecord("S1", "Self", 4.00, "Print", "S1")},
                        {"S1"});
    ImageOrder a;
    a.copyDefaultsToOrder(selfFirst.displayPackageList());
    a.line(0).setPkgQty(3);
    a.line(0).setPkgTotal(99.0f); // left over from an earlier visit
    SessionOrderAssembly assembly(selfFirst, settings);
    assembly.buildSessionOrder({{"a", &a, nullptr}});
    ASSERT_EQ(assembly.orderList().size(), 2);
    EXPECT_TRUE(assembly.orderList().at(0).isFirstItemUnit);
    EXPECT_FALSE(assembly.orderList().at(1).isFirstItemUnit);
    EXPECT_FLOAT_EQ(assembly.orderList().at(1).orderedItem.pkgTotal(), 8.0f);
}

TEST_F(Assembly, FullPhotoKeepsAllNineTranslatedLines)
{
    ImageOrder a;
    QVariantList eight;
    for (int i = 0; i < 8; ++i)
        eight << test::packageRecord(QString("P%1").arg(i), QString("N%1").arg(i), 2.0, "Print",
                                     "P810F");
    a.copyDefaultsToOrder(eight);
    for (int i = 0; i < 8; ++i)
        a.line(i).setPkgQty(2);
    // The catalogue knows P0's first-item record through its own master list.
    PackageCatalogue full;
    QList<QVariantMap> recs;
    for (const QVariant& r : eight)
        recs << r.toMap();
    recs << test::packageRecord("P810F", "First 8x10", 25.00, "Print");
    test::loadCatalogue(root, full, recs, {"P0"});
    SessionOrderAssembly assembly(full, settings);
    const auto& result = assembly.buildSessionOrder({{"a", &a, nullptr}});
    const ImageOrder& translated = result.first().translatedImageOrder;
    ASSERT_EQ(translated.lineCount(), 9);
    EXPECT_EQ(translated.computeTotalSheets(), 16);
    EXPECT_NE(translated.lineForKey("Line8"), nullptr);
    ImageOrder copy = translated;
    EXPECT_FLOAT_EQ(copy.computeSubTotal(), 25.0f + 2.0f + 14 * 2.0f);
}

TEST_F(Assembly, EmptySessionGivesEmptyResults)
{
    const ImageOrder a = order({});
    SessionOrderAssembly assembly(catalogue, settings);
    EXPECT_TRUE(assembly.buildSessionOrder({{"a", &a, nullptr}}).isEmpty());
    EXPECT_TRUE(assembly.orderList().isEmpty());
    EXPECT_EQ(assembly.fTotalPrintSheets(), 0);
}
