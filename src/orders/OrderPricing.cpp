#include "orders/OrderPricing.h"

#include "core/CheckedSettings.h"
#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "orders/Logging.h"
#include "orders/OrderConstants.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

constexpr qint64 kDefaultUpsellMinLevel = 2;
constexpr qint64 kDefaultMinPrintsForPercentage = 5;
constexpr float kDefaultPercentage = 0.25f;
constexpr float kDefaultTaxRate = 0.0875f;

} // namespace

float SummaryRow::subTotal() const
{
    float sum = 0.0f;
    for (const LineItem& line : lines)
        sum += line.extendedPrice();
    return sum;
}

int SummaryRow::quantity() const
{
    int sum = 0;
    for (const LineItem& line : lines)
        sum += line.pkgQty();
    return sum;
}

QVariantMap OrderTotals::toVariantMap() const
{
    return {{QStringLiteral("subTotal"), double(subTotal)},
            {QStringLiteral("tax"), double(tax)},
            {QStringLiteral("total"), double(total)},
            {QStringLiteral("discount"), double(discount)}};
}

OrderPricing::OrderPricing(Settings& settings) : m_settings(settings) {}

SummaryRow OrderPricing::rowFromOrder(const QString& name, const ImageOrder& order)
{
    SummaryRow row{name, {}};
    for (const LineItem& line : order.lines()) {
        if (line.pkgQty() > 0)
            row.lines.append(line);
    }
    return row;
}

PricingInputs PricingInputs::fromAssembly(const SessionOrderAssembly& assembly)
{
    PricingInputs inputs;
    const QList<TranslatedPhoto>& photos = assembly.sessionOrderList();
    const int count = std::min(static_cast<int>(photos.size()), OrderPricing::kMaxRows);
    for (int i = 0; i < count; ++i)
        inputs.rows.append(
            OrderPricing::rowFromOrder(photos.at(i).name, photos.at(i).translatedImageOrder));
    inputs.orderList = assembly.orderList();
    inputs.totalPrintSheets = assembly.fTotalPrintSheets();
    return inputs;
}

void OrderPricing::price(const PricingInputs& inputs)
{
    m_rows = inputs.rows;
    m_priced = true;

    // 1. Subtotal and item count over the rows the summary shows.
    float subTotal = 0.0f;
    int itemCount = 0;
    const int rowCount = std::min(static_cast<int>(m_rows.size()), kMaxRows);
    for (int i = 0; i < rowCount; ++i) {
        subTotal += m_rows.at(i).subTotal();
        itemCount += m_rows.at(i).quantity();
    }
    m_itemCount = itemCount;

    // 2. Upsell count.
    qint64 minLevel = m_settings.upsellMinLevel();
    if (minLevel == 0)
        minLevel = kDefaultUpsellMinLevel;
    m_upsellCount = itemCount < minLevel ? 0 : static_cast<int>(itemCount - minLevel + 1);

    // 3. Free sheets: buy P, get one free.
    int freeSheets = 0;
    float freeSheetAmount = 0.0f;
    const qint64 buyCount = m_settings.buyNGet1FreeAmt();
    if (buyCount < 0) {
        // A negative count has no meaning (and a count of -1 would make the group size 0).
        consoleLog(lcOrders(), "OrderPricing", "price",
                   QStringLiteral("prefBuyNGet1FreeAmt=[%1] is not a count: no free sheets")
                       .arg(buyCount));
    } else if (buyCount != 0) {
        const qint64 groupSize = buyCount + 1;
        freeSheets = itemCount > 0 ? static_cast<int>(itemCount / groupSize) : 0;
        m_message = QString();
        if (itemCount % groupSize != 0) {
            const qint64 paid = itemCount - freeSheets;
            const qint64 remainder = paid % buyCount;
            const qint64 more = buyCount - remainder;
            if (more != 0) {
                if (more % buyCount != 0)
                    m_message = QCoreApplication::translate("OrderPricing", keyUpsellPitchFormat1)
                                    .replace(QLatin1String("%i"), QString::number(more));
                else if (more % groupSize != 0)
                    m_message = QCoreApplication::translate("OrderPricing", keyUpsellPitch2);
            }
        }
        freeSheetAmount = static_cast<float>(m_settings.freebieAmount());
        if (!std::isfinite(freeSheetAmount) || freeSheetAmount < 0.0f) {
            // A free sheet that costs extra, or costs NaN, is no offer.
            consoleLog(lcOrders(), "OrderPricing", "price",
                       QStringLiteral("prefFreebieAmount=[%1] is not an amount: free sheets at 0")
                           .arg(double(freeSheetAmount)));
            freeSheetAmount = 0.0f;
        }
    }
    m_freeSheetCount = freeSheets;
    const float freeSheetsValue = static_cast<float>(freeSheets) * freeSheetAmount;

    // 4. The free sheets are taken off the total on their own (the invoice bills them as their
    // own record), so they are not the discount as well.
    float discount = 0.0f;

    // 5. A fixed discount from two print sheets on.
    if (inputs.totalPrintSheets >= 2)
        discount = static_cast<float>(m_settings.discountAmtForFirstTwo());

    // 6. The percentage off the prints replaces it.
    if (inputs.hasScrollView) {
        if (inputs.orderList)
            discount = percentageDiscount(*inputs.orderList, m_settings);
        else
            consoleLog(lcOrders(), "OrderPricing", "price",
                       QStringLiteral("no session order: no percentage discount"));
    }
    // A discount is taken off what was bought: never more than the subtotal, never below 0 (a
    // negative or NaN amount setting), so that no total or invoice goes below 0.
    if (!std::isfinite(discount) || discount < 0.0f)
        discount = 0.0f;
    discount = std::min(discount, subTotal);
    m_discount = discount;

    // The free sheets take off at most what the discount left: the customer never gets money
    // back. When capped, each free sheet is worth an equal share of what is left (the invoice
    // rounds the shares to whole cents that add up to it).
    const float left = subTotal - discount;
    const float freeValue = std::min(freeSheetsValue, left);
    m_freeSheetUnitPrice = 0.0f;
    if (freeSheets > 0 && freeValue > 0.0f)
        m_freeSheetUnitPrice = freeValue < freeSheetsValue
                                   ? -(freeValue / static_cast<float>(freeSheets))
                                   : -freeSheetAmount;

    // 7, 8. Tax, unrounded.
    const float rate = taxRate(m_settings);
    const float taxable = m_settings.computeTaxAfterDiscounts() ? left - freeValue : subTotal;
    float tax = rate * taxable;
    if (!m_settings.computeSalesTax())
        tax = 0.0f;

    // 9. Tax description. Pricing runs on the release worker too, so it only reads the store;
    // the description travels with the result.
    m_taxDescription = salesTaxDescription(m_settings);

    // 10, 11. Grand total and the totals record. Float rounding must not leave a total of -0.00.
    m_totals.subTotal = subTotal;
    m_totals.tax = tax;
    m_totals.total = std::max(0.0f, ((subTotal + tax) - discount) - freeValue);
    m_totals.discount = discount;
    m_totals.freeSheetValue = freeValue;

    consoleLog(lcOrders(), "OrderPricing", "price",
               QStringLiteral("subTotal=[%1] discount=[%2] tax=[%3] total=[%4] items=[%5] "
                              "freeSheets=[%6] freeSheetValue=[%7] upsell=[%8]")
                   .arg(double(subTotal), 0, 'f', 2)
                   .arg(double(discount), 0, 'f', 2)
                   .arg(double(tax), 0, 'f', 2)
                   .arg(double(m_totals.total), 0, 'f', 2)
                   .arg(itemCount)
                   .arg(freeSheets)
                   .arg(double(freeValue), 0, 'f', 2)
                   .arg(m_upsellCount));
}

float OrderPricing::taxRate(const Settings& settings)
{
    // Only prefComputeSalesTax switches tax off; a rate of 0 is taken as unset, and one that is
    // no rate at all (above 100 %, a text, a list) as well; the staff are told of it.
    const float rate = static_cast<float>(
        checkedNumber(settings, Setting::taxRate, kDefaultTaxRate, kDefaultTaxRate));
    return rate > 0.0f && std::isfinite(rate) ? rate : kDefaultTaxRate;
}

QString OrderPricing::salesTaxDescription(const Settings& settings)
{
    const QString format = settings.salesTaxTextFormatString();
    if (format.isNull())
        return settings.salesTaxDescription();
    const QString placeholder = QStringLiteral("%@");
    if (format.count(placeholder) > 1) {
        consoleLog(lcOrders(), "OrderPricing", "salesTaxDescription",
                   QStringLiteral("Possible INVALID String Formatter for Tax Description?????"));
        return QCoreApplication::translate("OrderPricing", sDefaultSalesTaxDescription);
    }
    const float percent = taxRate(settings) * 100.0f;
    return QString(format).replace(placeholder, QString::asprintf("%5.3f", double(percent)));
}

float OrderPricing::percentageDiscount(const QList<SessionOrderEntry>& orderList,
                                       const Settings& settings)
{
    float printTotal = 0.0f;
    qint64 printQty = 0;
    for (const SessionOrderEntry& entry : orderList) {
        const LineItem& line = entry.orderedItem;
        if (line.pkgType().compare(QLatin1String(sPackageType_Print), Qt::CaseInsensitive) != 0)
            continue;
        printTotal += line.pkgTotal();
        printQty += line.pkgQty();
    }

    qint64 minimum = settings.minPrintsForSantaDiscountPercentage();
    if (minimum <= 0)
        minimum = kDefaultMinPrintsForPercentage;
    if (printQty < minimum)
        return 0.0f;

    // A fraction of the print total. One that is none (25 meant as 25 %, "25%", a list) gives
    // no discount: read as a fraction it would give every print away. The staff are told of it.
    const float percentage = static_cast<float>(
        checkedNumber(settings, Setting::santaDiscountPercentage, kDefaultPercentage, 0.0));

    // Round to cents the way the point-of-sale system was first fed: add half a cent in double
    // precision, keep it as a float, then truncate the cents.
    const float raw = printTotal * percentage;
    const float halfCentUp = static_cast<float>(double(raw) + 0.005);
    const double cents = std::trunc(double(halfCentUp) * 100.0);
    return static_cast<float>(double(static_cast<float>(cents)) / 100.0);
}

void OrderPricing::computeDiscount()
{
    consoleLog(lcOrders(), "OrderPricing", "computeDiscount");
}

} // namespace kivo
