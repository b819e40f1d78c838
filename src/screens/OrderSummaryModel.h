#pragma once

#include "orders/LineItem.h"
#include "orders/OrderPricing.h"
#include "orders/SessionOrderEntry.h"
#include "orders/SessionPhotoOrders.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>

namespace kivo {

class PackageCatalogue;
class Settings;

// One photo of the order summary: its name, the packages ordered on it (the lines of its
// session order, first-item units included) and its subtotal and units.
struct OrderSummaryRow
{
    QString photoPath;
    QString name; // the file name without its extension, or "<unknown>"
    QList<LineItem> lines;
    float subTotal = 0.0f;
    int quantity = 0;
};

// The order summary's content: a row per ordered photo (at most 40) and the order's totals,
// assembled and priced exactly as the released order is, so the customer accepts the figures
// the order files and the receipt carry. Rows are paged for the list's page up and page down.
// Qt Core only.
class OrderSummaryModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int kMaxRows = OrderPricing::kMaxRows;

    enum Role
    {
        PathRole = Qt::UserRole + 1,
        // A list of {"name", "quantity", "unitPrice", "lineTotal"} maps, prices as text with
        // two decimals.
        LinesRole,
        SubTotalRole, // text, two decimals
        QuantityRole
    };

    // CATALOGUE (the first-item records) and SETTINGS (the price rules) must outlive the model.
    OrderSummaryModel(const PackageCatalogue& catalogue, Settings& settings,
                      QObject* parent = nullptr);

    // Assembles, prices and shows the visit's order; the first page is shown.
    void assignOrder(const PhotoOrdersSnapshot& photos);
    // The catalogue the order is priced from.
    const PackageCatalogue& catalogue() const { return m_catalogue; }
    // No rows and every total 0 (the visit's order was cleared).
    void clearAllQtyAndSubtotals();

    const OrderSummaryRow& summaryRow(int row) const { return m_rows.at(row); }
    const OrderTotals& totals() const { return m_totals; }
    // Counts as wide as the pricing's, so a large order never shows a wrapped count.
    int itemCount() const { return m_itemCount; }
    int freeSheetCount() const { return m_freeSheetCount; }
    // The free sheets' value as the summary shows it, taken off like the discount ("-2.00");
    // empty when no free sheet lowers the total, and the summary then leaves its line out.
    // With it, subtotal - discount + free sheets + tax is the total shown.
    QString freeSheetsText() const;
    const QString& message() const { return m_message; }
    const QString& taxDescription() const { return m_taxDescription; }
    // The totals record {"subTotal", "tax", "total", "discount"} of the last pricing.
    QVariantMap curOrderTotalsInfo() const { return m_totals.toVariantMap(); }
    // The assembled order lines of the last pricing, sorted by photo and PLU.
    const QList<SessionOrderEntry>& orderList() const { return m_orderList; }

    // The row layout without prices ("prefZeroOutMasterItemListPrices" at the last assignment).
    bool pricesHidden() const { return m_pricesHidden; }

    // Paging of the list.
    void setRowsPerPage(int rows);
    int rowsPerPage() const { return m_rowsPerPage; }
    int pageCount() const;
    int currentPage() const { return m_page; }
    int firstRowOfPage() const { return m_page * m_rowsPerPage; }
    bool pageUp();
    bool pageDown();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    static QString rowName(const QString& photoPath);

signals:
    void totalsChanged();
    void pageChanged(int page);

private:
    void setPage(int page);

    const PackageCatalogue& m_catalogue;
    Settings& m_settings;
    QList<OrderSummaryRow> m_rows;
    QList<SessionOrderEntry> m_orderList;
    OrderTotals m_totals;
    int m_itemCount = 0;
    int m_freeSheetCount = 0;
    QString m_message;
    QString m_taxDescription;
    bool m_pricesHidden = false;
    int m_rowsPerPage = 4;
    int m_page = 0;
};

} // namespace kivo
