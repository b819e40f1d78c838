#include "screens/OrderSummaryModel.h"

#include "core/Settings.h"
#include "orders/PackageCatalogue.h"
#include "orders/PricedSession.h"
#include "screens/SellingTotals.h"

#include <QFileInfo>

#include <algorithm>

namespace kivo {

OrderSummaryModel::OrderSummaryModel(const PackageCatalogue& catalogue, Settings& settings,
                                     QObject* parent)
    : QAbstractListModel(parent), m_catalogue(catalogue), m_settings(settings)
{}

QString OrderSummaryModel::rowName(const QString& photoPath)
{
    const QString name = QFileInfo(photoPath).completeBaseName();
    return name.isEmpty() ? tr("<unknown>") : name;
}

void OrderSummaryModel::assignOrder(const PhotoOrdersSnapshot& photos)
{
    // The same assembly and pricing the release runs on the same orders.
    PricedSession session(m_catalogue, m_settings);
    session.price(photos);
    const OrderPricing& pricing = session.pricing();

    beginResetModel();
    m_rows.clear();
    for (const SummaryRow& priced : pricing.rows()) {
        OrderSummaryRow row;
        row.photoPath = priced.name;
        row.name = rowName(priced.name);
        row.lines = priced.lines;
        // A line's total is always its quantity times its unit price, whatever it carried.
        for (LineItem& line : row.lines)
            line.setPkgTotal(line.extendedPrice());
        row.subTotal = priced.subTotal();
        row.quantity = priced.quantity();
        m_rows.append(row);
    }
    m_orderList = session.assembly().orderList();
    m_totals = pricing.totals();
    m_itemCount = pricing.itemCount();
    m_freeSheetCount = pricing.freeSheetCount();
    m_message = pricing.message();
    m_taxDescription = pricing.taxDescription();
    m_pricesHidden = m_settings.zeroOutMasterItemListPrices();
    m_page = 0;
    endResetModel();
    emit totalsChanged();
    emit pageChanged(m_page);
}

void OrderSummaryModel::clearAllQtyAndSubtotals()
{
    beginResetModel();
    m_rows.clear();
    m_orderList.clear();
    m_totals = OrderTotals();
    m_itemCount = 0;
    m_freeSheetCount = 0;
    m_message.clear();
    m_page = 0;
    endResetModel();
    emit totalsChanged();
    emit pageChanged(m_page);
}

QString OrderSummaryModel::freeSheetsText() const
{
    if (m_totals.freeSheetValue == 0.0f)
        return {};
    return moneyText(-m_totals.freeSheetValue);
}

void OrderSummaryModel::setRowsPerPage(int rows)
{
    m_rowsPerPage = std::max(1, rows);
    setPage(std::min(m_page, pageCount() - 1));
}

int OrderSummaryModel::pageCount() const
{
    const int rows = static_cast<int>(m_rows.size());
    return std::max(1, (rows + m_rowsPerPage - 1) / m_rowsPerPage);
}

bool OrderSummaryModel::pageUp()
{
    if (m_page == 0)
        return false;
    setPage(m_page - 1);
    return true;
}

bool OrderSummaryModel::pageDown()
{
    if (m_page + 1 >= pageCount())
        return false;
    setPage(m_page + 1);
    return true;
}

void OrderSummaryModel::setPage(int page)
{
    page = std::max(0, page);
    if (page == m_page)
        return;
    m_page = page;
    emit pageChanged(m_page);
}

int OrderSummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant OrderSummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return {};
    const OrderSummaryRow& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return row.name;
    case PathRole:
        return row.photoPath;
    case LinesRole: {
        QVariantList lines;
        for (const LineItem& line : row.lines)
            lines.append(QVariantMap{{QStringLiteral("name"), line.pkgDisplayName()},
                                     {QStringLiteral("quantity"), line.pkgQty()},
                                     {QStringLiteral("unitPrice"), moneyText(line.pkgUnitPrice())},
                                     {QStringLiteral("lineTotal"), moneyText(line.pkgTotal())}});
        return lines;
    }
    case SubTotalRole:
        return moneyText(row.subTotal);
    case QuantityRole:
        return row.quantity;
    default:
        return {};
    }
}

QHash<int, QByteArray> OrderSummaryModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(PathRole, "path");
    names.insert(LinesRole, "lines");
    names.insert(SubTotalRole, "subTotal");
    names.insert(QuantityRole, "quantity");
    return names;
}

} // namespace kivo
