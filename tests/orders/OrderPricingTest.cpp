#include "OrdersTestSupport.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "orders/OrderConstants.h"
#include "orders/OrderPricing.h"
#include "orders/PricedSession.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QString pitch1(int more)
{
    return QString(keyUpsellPitchFormat1).replace("%i", QString::number(more));
}

class Pricing : public ::testing::Test
{
protected:
    // One photo holding LINES, handed over both as its summary row and as the order list.
    void price(const QList<LineItem>& lines, qint16 printSheets = 0)
    {
        QList<SessionOrderEntry> entries;
        for (const LineItem& line : lines)
            entries.append({"/p/a.jpg", line});
        pricing.setRows({{"/p/a.jpg", lines}});
        pricing.set_mOrderlist(entries);
        pricing.set_fTotalPrintSheets(printSheets);
        pricing.doGetGrandTotal();
    }

    static double cents(float amount) { return PricedSession::toCents(amount); }

    test::TestRoot root;
    Settings& settings = Settings::standardUserDefaults();
    OrderPricing pricing{settings};
};

} // namespace

TEST_F(Pricing, BuyNGetOneFreeTable)
{
    struct Row
    {
        int buy;
        int count;
        int free;
        QString message;
    };
    const QString good = keyUpsellPitch2;
    const QList<Row> table = {
        {2, 1, 0, pitch1(1)}, {2, 2, 0, good}, {2, 3, 1, ""},        {2, 4, 1, pitch1(1)},
        {2, 5, 1, good},      {2, 6, 2, ""},   {2, 7, 2, pitch1(1)}, {1, 1, 0, good},
        {1, 2, 1, ""},        {1, 3, 1, good}, {1, 4, 2, ""},        {1, 5, 2, good},
        {1, 6, 3, ""},        {1, 7, 3, good},
    };
    for (const Row& row : table) {
        settings.setInteger(row.buy, sPrefBuyNGet1FreeAmt);
        price({test::makeLine("P", "Print", row.count, 10.0f)});
        const std::string label = QString("P=%1 C=%2").arg(row.buy).arg(row.count).toStdString();
        EXPECT_EQ(pricing.itemCount(), row.count) << label;
        EXPECT_EQ(pricing.freeSheetCount(), row.free) << label;
        EXPECT_EQ(pricing.message(), row.message) << label;
    }
}

TEST_F(Pricing, FreeSheetsValueIsTheDiscountOnlyWithoutThePercentageStep)
{
    settings.setInteger(2, sPrefBuyNGet1FreeAmt);
    const LineItem six = test::makeLine("P", "Print", 6, 10.0f);

    // No order list handed over: the free sheets' value stands (2 x 2.00, then 2 x 1.50).
    pricing.setRows({{"a", {six}}});
    pricing.clear_mOrderlist();
    pricing.doGetGrandTotal();
    EXPECT_FLOAT_EQ(pricing.fDiscount(), 4.0f);
    settings.setDouble(1.5, sPrefFreebieAmount);
    pricing.doGetGrandTotal();
    EXPECT_FLOAT_EQ(pricing.totals().discount, 3.0f);
    EXPECT_FLOAT_EQ(pricing.totals().total, 57.0f);

    // The station's layout: the percentage rule decides the discount, F is still reported.
    price({six}, 6);
    EXPECT_EQ(pricing.freeSheetCount(), 2);
    EXPECT_FLOAT_EQ(pricing.fDiscount(), 15.0f);

    // Rule off: the message line keeps what it had.
    settings.setInteger(0, sPrefBuyNGet1FreeAmt);
    price({test::makeLine("P", "Print", 1, 10.0f)});
    EXPECT_EQ(pricing.freeSheetCount(), 0);
    EXPECT_TRUE(pricing.message().isEmpty());
    settings.setInteger(2, sPrefBuyNGet1FreeAmt);
    price({test::makeLine("P", "Print", 1, 10.0f)});
    settings.setInteger(0, sPrefBuyNGet1FreeAmt);
    price({test::makeLine("P", "Print", 3, 10.0f)});
    EXPECT_EQ(pricing.message(), pitch1(1));

    // A negative count is no rule at all (and must not divide by zero).
    settings.setInteger(-1, sPrefBuyNGet1FreeAmt);
    price({test::makeLine("P", "Print", 3, 10.0f)});
    EXPECT_EQ(pricing.freeSheetCount(), 0);
}

TEST_F(Pricing, UpsellCount)
{
    const QList<std::tuple<QVariant, int, int>> table = {{QVariant(), 5, 4}, {0, 5, 4}, {2, 1, 0},
                                                         {3, 3, 1},          {3, 2, 0}, {1, 4, 4}};
    for (const auto& [level, count, upsell] : table) {
        settings.setObject(level, sPrefUpsellMinLevel);
        if (!level.isValid())
            settings.removeObjectForKey(sPrefUpsellMinLevel);
        price({test::makeLine("P", "promo", count, 1.0f)});
        EXPECT_EQ(pricing.upsellCount(), upsell) << level.toInt() << " " << count;
    }
}

TEST_F(Pricing, PercentageDiscountBoundaries)
{
    // Q = M - 1: nothing, even with a fixed amount for two sheets; Q = M: 25 %.
    settings.setDouble(5.0, sPrefDiscountAmtForFirstTwo);
    price({test::makeLine("A", "Print", 4, 21.0f)}, 4);
    EXPECT_FLOAT_EQ(pricing.fDiscount(), 0.0f);
    price({test::makeLine("A", "Print", 6, 14.0f)}, 6);
    EXPECT_EQ(cents(pricing.fDiscount()), 21.00);

    settings.setInteger(3, "prefMinPrintsForSantaDiscountPercentage");
    price({test::makeLine("A", "Print", 2, 10.0f)}, 2);
    EXPECT_FLOAT_EQ(pricing.fDiscount(), 0.0f);
    price({test::makeLine("A", "print", 3, 10.0f)}, 3);
    EXPECT_FLOAT_EQ(pricing.fDiscount(), 7.5f);
    // 0 or negative means the default of 5.
    for (int unusable : {0, -2}) {
        settings.setInteger(unusable, "prefMinPrintsForSantaDiscountPercentage");
        price({test::makeLine("A", "Print", 4, 10.0f)}, 4);
        EXPECT_FLOAT_EQ(pricing.fDiscount(), 0.0f) << unusable;
    }
    settings.removeObjectForKey("prefMinPrintsForSantaDiscountPercentage");

    // Only prints count: drives and promos neither add to Q nor to T.
    price({test::makeLine("A", "Print", 4, 10.0f), test::makeLine("U", "Flash", 3, 20.0f),
           test::makeLine("O", "promo", 3, 5.0f)},
          4);
    EXPECT_FLOAT_EQ(pricing.fDiscount(), 0.0f);
    EXPECT_EQ(pricing.itemCount(), 10);
    price({test::makeLine("U", "Flash", 6, 20.0f)}, 0);
    EXPECT_FLOAT_EQ(pricing.fDiscount(), 0.0f);
}

TEST_F(Pricing, PercentageIsClampedAndRoundedToCents)
{
    const struct
    {
        QVariant percentage;
        float printTotal;
        float discount;
    } table[] = {
        {QVariant(), 84.00f, 21.00f}, {1.7, 84.00f, 84.00f}, {-0.2, 84.00f, 0.00f},
        {0.25, 10.10f, 2.53f},        {0.1, 33.33f, 3.33f},  {0.15, 19.99f, 3.0f},
    };
    for (const auto& row : table) {
        if (row.percentage.isValid())
            settings.setObject(row.percentage, "prefSantaDiscountPercentage");
        else
            settings.removeObjectForKey("prefSantaDiscountPercentage");
        LineItem line = test::makeLine("A", "Print", 5, 1.0f);
        line.setPkgTotal(row.printTotal); // the total as the order carries it
        QList<SessionOrderEntry> entries{{"a", line}};
        pricing.setRows({{"a", {line}}});
        pricing.set_mOrderlist(entries);
        pricing.computePrintTotalTest();
        EXPECT_EQ(pricing.fDiscount(), row.discount)
            << row.percentage.toDouble() << " of " << row.printTotal;
    }
}

TEST_F(Pricing, MissingOrderListKeepsTheFixedDiscount)
{
    settings.setDouble(3.0, sPrefDiscountAmtForFirstTwo);
    pricing.setRows({{"a", {test::makeLine("A", "Print", 2, 10.0f)}}});
    pricing.set_fTotalPrintSheets(2);
    pricing.clear_mOrderlist();
    pricing.doGetGrandTotal();
    EXPECT_FLOAT_EQ(pricing.totals().discount, 3.0f);
    EXPECT_FLOAT_EQ(pricing.totals().total, 17.0f);
    // One sheet: no fixed discount.
    pricing.set_fTotalPrintSheets(1);
    pricing.doGetGrandTotal();
    EXPECT_FLOAT_EQ(pricing.totals().discount, 0.0f);
    // The older layout without the scrolling list never runs the percentage step.
    pricing.setHasScrollView(false);
    pricing.set_fTotalPrintSheets(6);
    price({test::makeLine("A", "Print", 6, 10.0f)}, 6);
    EXPECT_FLOAT_EQ(pricing.totals().discount, 3.0f);
}

TEST_F(Pricing, TaxBeforeAndAfterDiscountsAndTheRateFallback)
{
    // S = 100.00 (84.00 of prints and a 16.00 drive), D = 21.00.
    const QList<LineItem> lines{test::makeLine("A", "Print", 6, 14.0f),
                                test::makeLine("U", "Flash", 1, 16.0f)};
    settings.setDouble(0.08, sPrefTaxRate);

    price(lines, 6); // tax off by default
    EXPECT_FLOAT_EQ(pricing.totals().tax, 0.0f);
    EXPECT_EQ(cents(pricing.totals().total), 79.00);

    settings.setBool(true, sPrefComputeSalesTax);
    price(lines, 6);
    EXPECT_EQ(cents(pricing.totals().tax), 8.00);
    EXPECT_EQ(cents(pricing.totals().total), 87.00);

    settings.setBool(true, sPrefComputeTaxAfterDiscounts);
    price(lines, 6);
    EXPECT_EQ(cents(pricing.totals().subTotal), 100.00);
    EXPECT_EQ(cents(pricing.totals().discount), 21.00);
    EXPECT_EQ(cents(pricing.totals().tax), 6.32);
    EXPECT_FLOAT_EQ(pricing.totals().tax, 0.08f * 79.0f); // unrounded float
    EXPECT_EQ(cents(pricing.totals().total), 85.32);
    EXPECT_EQ(pricing.curOrderTotalsInfo().value("total").toDouble(),
              double(pricing.totals().total));
    EXPECT_EQ(pricing.curOrderTotalsInfo().size(), 4);

    // A rate of 0, a negative one or none taxes at 8.75 %.
    settings.setBool(false, sPrefComputeTaxAfterDiscounts);
    for (const QVariant& rate : {QVariant(0), QVariant(-0.05), QVariant()}) {
        if (rate.isValid())
            settings.setObject(rate, sPrefTaxRate);
        else
            settings.removeObjectForKey(sPrefTaxRate);
        price(lines, 6);
        EXPECT_FLOAT_EQ(pricing.totals().tax, 0.0875f * 100.0f) << rate.toDouble();
    }
}

// Pricing runs on the release worker: it reads the settings store and never writes it.
TEST_F(Pricing, TaxDescriptionFormatsWithoutWritingTheSettings)
{
    const LineItem line = test::makeLine("A", "Print", 1, 1.0f);
    // No format string: the stored description is the one shown.
    settings.setString("Kept", sPrefSalesTaxDescription);
    const QList<std::tuple<QString, QVariant, QString>> table = {
        {QString(), QVariant(), "Kept"},        {"Sales Tax %@", QVariant(), "Sales Tax 8.750"},
        {"Tax (%@%)", 0.05, "Tax (5.000%)"},    {"Tax:", 0.05, "Tax:"},
        {"%@ and %@", 0.05, "Your Sales Tax:"},
    };
    for (const auto& [format, rate, expected] : table) {
        if (!format.isNull())
            settings.setString(format, sPrefSalesTaxTextFormatString);
        if (rate.isValid())
            settings.setObject(rate, sPrefTaxRate);
        const QVariantMap before = settings.storedValues();
        price({line});
        EXPECT_EQ(pricing.taxDescription(), expected);
        EXPECT_EQ(OrderPricing::salesTaxDescription(settings), expected);
        EXPECT_EQ(settings.storedValues(), before) << format.toStdString();
    }
}
