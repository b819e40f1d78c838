#include "OrdersTestSupport.h"

#include "core/Settings.h"
#include "orders/SessionOrderAssembly.h"

#include <gtest/gtest.h>

#include <optional>

using namespace kivo;

namespace {

// A site with two prints, a USB drive (reduced price), a promo and a print without a first-item
// record; the first prints and the drive have first-item records.
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

    // "PLU quantity x unit price; ..."; every line's total is its quantity times its price.
    static QString describe(const ImageOrder& order)
    {
        QStringList out;
        for (const LineItem& line : order.lines()) {
            out << QString("%1 %2x%3")
                       .arg(line.pkgPLU())
                       .arg(line.pkgQty())
                       .arg(double(line.pkgUnitPrice()));
            EXPECT_FLOAT_EQ(line.pkgTotal(), line.extendedPrice()) << line.pkgPLU().toStdString();
        }
        return out.join("; ");
    }

    static QStringList describe(const QList<SessionOrderEntry>& entries)
    {
        QStringList out;
        for (const SessionOrderEntry& entry : entries)
            out << QString("%1:%2x%3").arg(entry.name, entry.pkgPLU()).arg(entry.pkgQty());
        return out;
    }

    test::TestRoot root;
    Settings& settings = Settings::instance();
    PackageCatalogue catalogue{settings};
};

} // namespace

// One photo's order through the first-item and reduced-USB rules: its translated lines and the
// session's counters (prints, print sheets, drives, promos).
TEST_F(Assembly, FirstItemAndReducedUsbRules)
{
    const LineItem drivePLUAsPrint = test::makeLine("P11021", "Print", 1, 20.0f, "Odd Drive");
    const LineItem otherDrive = test::makeLine("USBX", "Flash", 1, 22.0f, "Other Drive");
    const struct
    {
        QVariant usbMinimum;
        const char* quantities; // "display name:quantity,..."
        std::optional<LineItem> line7;
        const char* translated; // "PLU quantity x unit price; ..."
        const char* counters;
    } table[] = {
        {5, "8x10 Print:3,USB Drive:1", {}, "P810F 1x25; P810 2x10; P11022 1x40", "1 3 1 0"},
        // The first print line in line order; a single unit is replaced whole.
        {{}, "5x7 Print:1,8x10 Print:2", {}, "P810F 1x25; P810 1x10; P57 1x8", "2 3 0 0"},
        {{}, "5x7 Print:1", {}, "P57F 1x20", "1 1 0 0"},
        // Drives only: the first drive is translated, the reduced rule does not apply.
        {5, "USB Drive:2", {}, "P11022 1x40; P11021 1x20", "0 0 1 0"},
        {{}, "Ornament:3", {}, "PROMO 3x15", "0 0 0 3"},
        {{}, "8x10 Print:2,USB Drive:1", {}, "P810F 1x25; P810 1x10; P11021 1x20", "1 2 1 0"},
        {1, "8x10 Print:2,USB Drive:1", {}, "P810F 1x25; P810 1x10; P11021 1x20", "1 2 1 0"},
        {3, "8x10 Print:2,USB Drive:1", {}, "P810F 1x25; P810 1x10; P11022 1x40", "1 2 1 0"},
        {2, "8x10 Print:2,USB Drive:1", {}, "P810F 1x25; P810 1x10; P11021 1x20", "1 2 1 0"},
        // The drive's PLU typed as a print counts as a drive and is not re-priced.
        {5, "8x10 Print:2", drivePLUAsPrint, "P810F 1x25; P810 1x10; P11021 1x20", "1 2 1 0"},
        // Without first-item records the lines keep their own prices.
        {5, "Calendar:2", otherDrive, "NOFIRST 2x9; USBX 1x22", "1 2 1 0"},
        {{}, "", {}, "", "0 0 0 0"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.quantities);
        if (row.usbMinimum.isValid())
            settings.setValue(Setting::minPrintsForReducedUsbPrice, row.usbMinimum);
        else
            settings.remove(Setting::minPrintsForReducedUsbPrice);
        QList<QPair<QString, int>> quantities;
        for (const QString& item : QString(row.quantities).split(',', Qt::SkipEmptyParts))
            quantities.append({item.section(':', 0, 0), item.section(':', 1).toInt()});
        ImageOrder photo = order(quantities);
        if (row.line7)
            photo.line(7) = *row.line7;
        SessionOrderAssembly assembly(catalogue, settings);
        const auto& result = assembly.buildSessionOrder({{"/p/a.jpg", &photo, nullptr}});
        EXPECT_EQ(result.isEmpty() ? "" : describe(result.first().translatedImageOrder),
                  row.translated);
        EXPECT_EQ(QString("%1 %2 %3 %4")
                      .arg(assembly.itemsWithPrints())
                      .arg(assembly.fTotalPrintSheets())
                      .arg(assembly.itemsWithUsbDrive())
                      .arg(assembly.itemsWithPromos()),
                  row.counters);
    }
}

TEST_F(Assembly, WorkedExampleCarriesNamesViewsAndLeavesThePhotoAlone)
{
    settings.setMinPrintsForReducedUsbPrice(5);
    const ImageOrder photo = order({{"8x10 Print", 3}, {"USB Drive", 1}});
    QObject view;
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder({{"/p/a.jpg", &photo, &view}});
    ASSERT_EQ(result.size(), 1);
    EXPECT_EQ(result.first().view, &view);
    EXPECT_EQ(result.first().translatedImageOrder.view(), nullptr);
    const LineItem& unit = result.first().translatedImageOrder.line(0);
    EXPECT_EQ(unit.pkgDisplayName(), "First 8x10");
    EXPECT_EQ(unit.pkgKivoPkgName(), "First 8x10 host");
    EXPECT_EQ(unit.pkgAltQty(), 1);

    // The photo's own order keeps the customer's quantities and prices.
    EXPECT_EQ(photo.line(0).pkgQty(), 3);
    EXPECT_FLOAT_EQ(photo.line(2).pkgUnitPrice(), 20.0f);
}

TEST_F(Assembly, PhotosSortByNameIgnoringCaseThenPLUAndKeepGridOrder)
{
    const ImageOrder a = order({{"8x10 Print", 2}, {"5x7 Print", 1}});
    const ImageOrder b = order({{"Ornament", 1}, {"5x7 Print", 2}});
    const ImageOrder none = order({});
    SessionOrderAssembly assembly(catalogue, settings);
    const auto& result = assembly.buildSessionOrder(
        {{"/p/B.jpg", &a, nullptr}, {"/p/z.jpg", &none, nullptr}, {"/p/a.jpg", &b, nullptr}});
    // Photos without units are left out; the result keeps grid order.
    ASSERT_EQ(result.size(), 2);
    EXPECT_EQ(result.at(0).gridIndex, 0);
    EXPECT_EQ(result.at(1).gridIndex, 2);
    EXPECT_EQ(describe(assembly.orderList()),
              QStringList({"/p/a.jpg:P57x2", "/p/a.jpg:PROMOx1", "/p/B.jpg:P57x1",
                           "/p/B.jpg:P810x1", "/p/B.jpg:P810Fx1"}));
    EXPECT_EQ(describe(result.at(1).translatedImageOrder), "P57 2x8; PROMO 1x15");
}

TEST_F(Assembly, FirstPrePrintedUnitMovesToTheFirstItem)
{
    ImageOrder a = order({{"8x10 Print", 3}});
    a.line(0).setPkgPrePrintQty(2);
    SessionOrderAssembly assembly(catalogue, settings);
    const ImageOrder& translated =
        assembly.buildSessionOrder({{"a", &a, nullptr}}).first().translatedImageOrder;
    ASSERT_EQ(translated.lineCount(), 2);
    EXPECT_EQ(translated.line(0).pkgPrePrintQty(), 1);
    EXPECT_EQ(translated.line(1).pkgQty(), 2);
    EXPECT_EQ(translated.line(1).pkgPrePrintQty(), 1);
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
    EXPECT_FLOAT_EQ(assembly.orderList().at(1).orderedItem.pkgTotal(), 8.0f);
}

TEST_F(Assembly, FullPhotoKeepsAllNineTranslatedLines)
{
    QList<QVariantMap> records{test::packageRecord("P810F", "First 8x10", 25.00, "Print")};
    QVariantList eight;
    for (int i = 0; i < 8; ++i) {
        records << test::packageRecord(QString("P%1").arg(i), QString("N%1").arg(i), 2.0, "Print",
                                       "P810F");
        eight << records.last();
    }
    PackageCatalogue full;
    test::loadCatalogue(root, full, records, {"P0"});
    ImageOrder a;
    a.copyDefaultsToOrder(eight);
    for (int i = 0; i < 8; ++i)
        a.line(i).setPkgQty(2);
    SessionOrderAssembly assembly(full, settings);
    ImageOrder translated =
        assembly.buildSessionOrder({{"a", &a, nullptr}}).first().translatedImageOrder;
    ASSERT_EQ(translated.lineCount(), 9);
    EXPECT_EQ(translated.computeTotalSheets(), 16);
    EXPECT_FLOAT_EQ(translated.computeSubTotal(), 25.0f + 2.0f + 14 * 2.0f);
}
