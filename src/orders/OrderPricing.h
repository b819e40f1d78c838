#pragma once

#include "orders/LineItem.h"
#include "orders/SessionOrderAssembly.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace kivo {

class Settings;

// One row of the order summary: a photo and the lines of its translated order that carry a
// quantity.
struct SummaryRow
{
    QString name;
    QList<LineItem> lines;

    // The row's subtotal and quantity, recomputed from quantity x unit price.
    float subTotal() const;
    int quantity() const;
};

// The totals record {"subTotal", "tax", "total", "discount"}, and the free sheets' value that the
// total takes off beside the discount (the invoice bills it as its own record, so the record
// stays out of the file's four keys).
struct OrderTotals
{
    float subTotal = 0.0f;
    float tax = 0.0f;
    float total = 0.0f;
    float discount = 0.0f;
    float freeSheetValue = 0.0f;

    QVariantMap toVariantMap() const;
};

// Everything one pricing takes, all from the same assembly: it already holds an order to its
// first 40 ordered photos, so the rows and the order list name the same lines.
struct PricingInputs
{
    // The summary's rows: the ordered lines of each photo.
    QList<SummaryRow> rows;
    // The session order the percentage discount reads; none skips that discount (the fixed
    // amount for two print sheets stands).
    std::optional<QList<SessionOrderEntry>> orderList;
    int totalPrintSheets = 0;
    // The station's summary shows its rows in a scrolling list; only an older layout without
    // one skips the percentage discount.
    bool hasScrollView = true;

    // The inputs of an assembled session order: the rows of its first 40 ordered photos.
    static PricingInputs fromAssembly(const SessionOrderAssembly& assembly);
};

// The price arithmetic of the order summary: subtotal and item count, the buy-N-get-one-free
// sheets with their message and value, the upsell count, the discount (a fixed amount from two
// print sheets on, or the percentage off the prints), sales tax with its description, and the
// grand total. The point-of-sale system charges the invoice, which bills the free sheets and the
// discount as records of their own: the total takes off both, so that it is what the invoice
// adds up to. All amounts are 32-bit floats, as the point-of-sale system checks them.
class OrderPricing
{
public:
    static constexpr int kMaxRows = SessionOrderAssembly::kMaxOrderedPhotos;

    explicit OrderPricing(Settings& settings);

    static SummaryRow rowFromOrder(const QString& name, const ImageOrder& order);
    // Recomputes every output from INPUTS, in the order the totals depend on each other.
    void price(const PricingInputs& inputs);
    // The percentage discount off the print lines of ORDER_LIST, rounded to cents; 0 below the
    // minimum number of prints.
    static float percentageDiscount(const QList<SessionOrderEntry>& orderList,
                                    const Settings& settings);
    // Kept for the summary's button; only logs.
    void computeDiscount();

    // Outputs.
    // Counts are wide ints internally; the files carry 16-bit counts, so a caller refuses an
    // order whose itemCount() is above kMaxCount (every other count is at most that).
    static constexpr int kMaxCount = 32767;
    int freeSheetCount() const { return m_freeSheetCount; }
    int upsellCount() const { return m_upsellCount; }
    float fDiscount() const { return m_discount; }
    // The free sheets' value taken off the total: F x prefFreebieAmount, less when that would
    // take the total below 0. freeSheetUnitPrice() is minus this value shared by
    // freeSheetCount() (negative, or 0); the invoice bills the value itself in whole cents.
    float freeSheetValue() const { return m_totals.freeSheetValue; }
    float freeSheetUnitPrice() const { return m_freeSheetUnitPrice; }
    int itemCount() const { return m_itemCount; }
    const OrderTotals& totals() const { return m_totals; }
    // False until the first price().
    bool isPriced() const { return m_priced; }
    const QString& message() const { return m_message; }
    // The sales-tax line's text: prefSalesTaxTextFormatString with the rate filled in, else the
    // stored prefSalesTaxDescription (empty when neither is set).
    const QString& taxDescription() const { return m_taxDescription; }
    const QList<SummaryRow>& rows() const { return m_rows; }

    // The tax rate in use and the tax description, from the settings alone (reads only, safe
    // on any thread): for the receipt and the summary, which show the same text.
    static float taxRate(const Settings& settings);
    static QString salesTaxDescription(const Settings& settings);

private:
    Settings& m_settings;
    QList<SummaryRow> m_rows;
    bool m_priced = false;

    int m_freeSheetCount = 0;
    int m_upsellCount = 0;
    float m_discount = 0.0f;
    float m_freeSheetUnitPrice = 0.0f;
    int m_itemCount = 0;
    OrderTotals m_totals;
    QString m_message;
    QString m_taxDescription;
};

} // namespace kivo
