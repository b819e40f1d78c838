#include "OrdersTestSupport.h"

#include "core/Settings.h"
#include "orders/OrderConstants.h"
#include "orders/OrderPricing.h"
#include "orders/PricedSession.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kivo;

namespace {

QString pitch1(int more)
{
    return QString(keyUpsellPitchFormat1).replace("%i", QString::number(more));
}

void setOrRemove(Settings& settings, const QVariant& value, Setting key)
{
    if (value.isValid())
        settings.setValue(key, value);
    else
        settings.remove(key);
}

class Pricing : public ::testing::Test
{
protected:
    // One photo holding LINES, handed over both as its summary row and as the order list; the
    // print sheets are the lines of type print.
    void price(const QList<LineItem>& lines)
    {
        QList<SessionOrderEntry> entries;
        int printSheets = 0;
        for (const LineItem& line : lines) {
            entries.append({"/p/a.jpg", line});
            if (line.pkgType().compare("print", Qt::CaseInsensitive) == 0)
                printSheets += line.pkgQty();
        }
        inputs.rows = {{"/p/a.jpg", lines}};
        inputs.orderList = entries;
        inputs.totalPrintSheets = printSheets;
        pricing.price(inputs);
    }
    void pricePrints(int count, float unit) { price({test::makeLine("P", "Print", count, unit)}); }

    static double cents(float amount) { return PricedSession::toCents(amount); }

    test::TestRoot root;
    Settings& settings = Settings::instance();
    OrderPricing pricing{settings};
    PricingInputs inputs;
};

} // namespace

TEST_F(Pricing, BuyNGetOneFreeCountsAndMessages)
{
    const QString good = keyUpsellPitch2;
    const QList<std::tuple<int, int, int, QString>> table = {
        {2, 1, 0, pitch1(1)}, {2, 2, 0, good}, {2, 3, 1, ""},        {2, 4, 1, pitch1(1)},
        {2, 5, 1, good},      {2, 6, 2, ""},   {1, 1, 0, good},      {1, 2, 1, ""},
        {1, 3, 1, good},      {1, 6, 3, ""},   {2, 7, 2, pitch1(1)},
    };
    for (const auto& [buy, count, free, message] : table) {
        settings.setBuyNGet1FreeAmt(buy);
        pricePrints(count, 10.0f);
        EXPECT_EQ(pricing.freeSheetCount(), free) << buy << " " << count;
        EXPECT_EQ(pricing.message(), message) << buy << " " << count;
    }
    // Rule off, or a negative count (which must not divide by zero): no free sheets, and the
    // message line keeps what it had.
    for (int off : {0, -1}) {
        settings.setBuyNGet1FreeAmt(off);
        pricePrints(3, 10.0f);
        EXPECT_EQ(pricing.freeSheetCount(), 0);
        EXPECT_FLOAT_EQ(pricing.totals().total, 30.0f);
        EXPECT_EQ(pricing.message(), pitch1(1));
    }
}

// The free sheets come off the total (and the taxed amount), so that the total is what the
// invoice's records add up to; never below 0.
TEST_F(Pricing, FreeSheetsComeOffTheTotalAndNeverBelowZero)
{
    const struct
    {
        const char* what;
        int buy;
        QVariant amount;
        int prints;
        float unit;
        int tax; // 0 off, 1 before discounts, 2 after
        double discount, freeValue, freeUnit, total;
    } table[] = {
        {"promised print", 2, {}, 3, 15.0f, 0, 0.00, 2.00, -2.00, 43.00},
        {"tax after", 2, {}, 3, 15.0f, 2, 0.00, 2.00, -2.00, 47.30},
        {"tax before", 2, {}, 3, 15.0f, 1, 0.00, 2.00, -2.00, 47.50},
        {"and the percentage", 2, 2.0, 6, 10.0f, 0, 15.00, 4.00, -2.00, 41.00},
        {"capped", 1, 50.0, 2, 10.0f, 2, 0.00, 20.00, -20.00, 0.00},
        {"capped, shared", 2, 50.0, 6, 10.0f, 1, 15.00, 45.00, -22.50, 6.00},
        {"negative amount", 2, -1.0, 3, 15.0f, 0, 0.00, 0.00, 0.00, 45.00},
        {"NaN amount", 2, std::nan(""), 3, 15.0f, 0, 0.00, 0.00, 0.00, 45.00},
    };
    settings.setTaxRate(0.10);
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        settings.setBuyNGet1FreeAmt(row.buy);
        setOrRemove(settings, row.amount, Setting::freebieAmount);
        settings.setComputeSalesTax(row.tax != 0);
        settings.setComputeTaxAfterDiscounts(row.tax == 2);
        pricePrints(row.prints, row.unit);
        const OrderTotals& t = pricing.totals();
        EXPECT_EQ(cents(t.discount), row.discount);
        EXPECT_EQ(cents(t.freeSheetValue), row.freeValue);
        EXPECT_EQ(cents(pricing.freeSheetUnitPrice()), row.freeUnit);
        EXPECT_EQ(cents(t.total), row.total);
    }
    // The file's totals record keeps its four keys.
    EXPECT_EQ(pricing.totals().toVariantMap().keys(),
              QStringList({"discount", "subTotal", "tax", "total"}));
}

TEST_F(Pricing, UpsellCount)
{
    const QList<std::tuple<QVariant, int, int>> table = {{QVariant(), 5, 4}, {0, 5, 4}, {2, 1, 0},
                                                         {3, 3, 1},          {3, 2, 0}, {1, 4, 4}};
    for (const auto& [level, count, upsell] : table) {
        setOrRemove(settings, level, Setting::upsellMinLevel);
        price({test::makeLine("P", "promo", count, 1.0f)});
        EXPECT_EQ(pricing.upsellCount(), upsell) << level.toInt() << " " << count;
    }
}

TEST_F(Pricing, PercentageDiscountCountsOnlyPrintsFromTheMinimum)
{
    // A fixed amount for two sheets is set throughout: the percentage step replaces it.
    settings.setDiscountAmtForFirstTwo(5.0);
    const QList<std::tuple<QVariant, QList<LineItem>, float>> table = {
        {QVariant(), {test::makeLine("A", "Print", 4, 21.0f)}, 0.0f},
        {QVariant(), {test::makeLine("A", "Print", 6, 14.0f)}, 21.0f},
        {3, {test::makeLine("A", "Print", 2, 10.0f)}, 0.0f},
        {3, {test::makeLine("A", "print", 3, 10.0f)}, 7.5f},
        {0, {test::makeLine("A", "Print", 4, 10.0f)}, 0.0f}, // 0 or less: the default of 5
        {-2, {test::makeLine("A", "Print", 4, 10.0f)}, 0.0f},
        {QVariant(),
         {test::makeLine("A", "Print", 4, 10.0f), test::makeLine("U", "Flash", 3, 20.0f),
          test::makeLine("O", "promo", 3, 5.0f)},
         0.0f},
        {QVariant(), {test::makeLine("U", "Flash", 6, 20.0f)}, 0.0f},
    };
    for (const auto& [minimum, lines, discount] : table) {
        setOrRemove(settings, minimum, Setting::minPrintsForSantaDiscountPercentage);
        price(lines);
        EXPECT_FLOAT_EQ(pricing.fDiscount(), discount) << minimum.toInt() << " " << lines.size();
    }
}

// A percentage that is not a fraction (25 meant as 25 %, "25%", 1.5) gives no discount: read as
// a fraction it would give every print away.
TEST_F(Pricing, PercentageOutsideAFractionGivesNoDiscountAndIsRoundedToCents)
{
    const QList<std::tuple<QVariant, float, float>> table = {
        {QVariant(), 84.00f, 21.00f}, {1.7, 84.00f, 0.00f},   {-0.2, 84.00f, 0.00f},
        {25, 84.00f, 0.00f},          {"25%", 84.00f, 0.00f}, {1.5, 84.00f, 0.00f},
        {1.0, 84.00f, 84.00f},        {0.25, 10.10f, 2.53f},  {0.1, 33.33f, 3.33f},
        {0.15, 19.99f, 3.0f},
    };
    for (const auto& [percentage, printTotal, discount] : table) {
        setOrRemove(settings, percentage, Setting::santaDiscountPercentage);
        LineItem line = test::makeLine("A", "Print", 5, 1.0f);
        line.setPkgTotal(printTotal); // the total as the order carries it
        EXPECT_EQ(OrderPricing::percentageDiscount({{"a", line}}, settings), discount)
            << percentage.toDouble() << " of " << printTotal;
    }
}

TEST_F(Pricing, WithoutTheOrderListOrThePercentageStepTheFixedDiscountStands)
{
    settings.setDiscountAmtForFirstTwo(3.0);
    inputs.rows = {{"a", {test::makeLine("A", "Print", 2, 10.0f)}}};
    for (const auto& [sheets, discount] : {std::pair{2, 3.0f}, std::pair{1, 0.0f}}) {
        inputs.totalPrintSheets = sheets;
        pricing.price(inputs);
        EXPECT_FLOAT_EQ(pricing.totals().discount, discount) << sheets;
        EXPECT_FLOAT_EQ(pricing.totals().total, 20.0f - discount) << sheets;
    }
    // Free sheets there are taken off once, as their own value, not as the discount too.
    settings.setBuyNGet1FreeAmt(2);
    settings.setFreebieAmount(1.5);
    inputs.rows = {{"a", {test::makeLine("A", "Print", 6, 10.0f)}}};
    inputs.totalPrintSheets = 6;
    pricing.price(inputs);
    EXPECT_FLOAT_EQ(pricing.totals().discount, 3.0f);
    EXPECT_FLOAT_EQ(pricing.totals().total, 54.0f);
    // The older layout without the scrolling list never runs the percentage step.
    settings.setBuyNGet1FreeAmt(0);
    inputs.hasScrollView = false;
    price({test::makeLine("A", "Print", 6, 10.0f)});
    EXPECT_FLOAT_EQ(pricing.totals().discount, 3.0f);
}

TEST_F(Pricing, TaxBeforeAndAfterDiscountsAndTheRateFallback)
{
    // S = 100.00 (84.00 of prints and a 16.00 drive), D = 21.00.
    const QList<LineItem> lines{test::makeLine("A", "Print", 6, 14.0f),
                                test::makeLine("U", "Flash", 1, 16.0f)};
    settings.setTaxRate(0.08);
    const QList<std::tuple<bool, bool, double, double>> table = {
        {false, false, 0.00, 79.00}, // tax off by default
        {true, false, 8.00, 87.00},
        {true, true, 6.32, 85.32},
    };
    for (const auto& [taxOn, after, tax, total] : table) {
        settings.setComputeSalesTax(taxOn);
        settings.setComputeTaxAfterDiscounts(after);
        price(lines);
        EXPECT_EQ(cents(pricing.totals().tax), tax);
        EXPECT_EQ(cents(pricing.totals().total), total);
    }
    EXPECT_FLOAT_EQ(pricing.totals().tax, 0.08f * 79.0f); // unrounded float

    // A rate of 0, a negative one, none, or one that is no rate at all taxes at 8.75 %.
    settings.setComputeTaxAfterDiscounts(false);
    for (const QVariant& rate : {QVariant(0), QVariant(-0.05), QVariant(), QVariant(1e308),
                                 QVariant(QStringLiteral("0.5abc")), QVariant(QVariantList{0.5})}) {
        setOrRemove(settings, rate, Setting::taxRate);
        price(lines);
        EXPECT_FLOAT_EQ(pricing.totals().tax, 0.0875f * 100.0f) << rate.toDouble();
    }
}

// Pricing runs on the release worker: it reads the settings store and never writes it.
TEST_F(Pricing, TaxDescriptionFormatsWithoutWritingTheSettings)
{
    settings.setSalesTaxDescription("Kept");
    const QList<std::tuple<QString, QVariant, QString>> table = {
        {QString(), QVariant(), "Kept"},        {"Sales Tax %@", QVariant(), "Sales Tax 8.750"},
        {"Tax (%@%)", 0.05, "Tax (5.000%)"},    {"Tax:", 0.05, "Tax:"},
        {"%@ and %@", 0.05, "Your Sales Tax:"},
    };
    for (const auto& [format, rate, expected] : table) {
        if (!format.isNull())
            settings.setSalesTaxTextFormatString(format);
        if (rate.isValid())
            settings.setValue(Setting::taxRate, rate);
        const QVariantMap before = settings.storedValues();
        pricePrints(1, 1.0f);
        EXPECT_EQ(pricing.taxDescription(), expected);
        EXPECT_EQ(settings.storedValues(), before) << format.toStdString();
    }
}
