#include "orders/PricedSession.h"

#include "core/Settings.h"
#include "orders/PackageCatalogue.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QTextStream>

#include <algorithm>

namespace kivo {

PricedSession::PricedSession(const PackageCatalogue& catalogue, Settings& settings)
    : m_catalogue(catalogue), m_assembly(catalogue, settings), m_pricing(settings)
{}

bool PricedSession::price(const Basket& basket, QString* error)
{
    QList<ImageOrder> orders;
    if (!basket.buildPhotoOrders(m_catalogue, &orders, error))
        return false;
    m_basket = basket;
    m_photoOrders = orders;
    m_photosOnShow.clear();
    for (const BasketPhoto& photo : basket.photos)
        m_photosOnShow.append(photo.path);
    assembleAndPrice();
    // The order files and the invoice carry 16-bit counts; a larger order would wrap there.
    if (m_pricing.itemCount() > OrderPricing::kMaxCount) {
        *error = QStringLiteral("the order counts %1 items; an order carries at most %2")
                     .arg(m_pricing.itemCount())
                     .arg(OrderPricing::kMaxCount);
        return false;
    }
    return true;
}

void PricedSession::price(const PhotoOrdersSnapshot& snapshot)
{
    m_basket = Basket();
    m_photoOrders = snapshot.orders;
    m_photosOnShow = snapshot.photos;
    assembleAndPrice();
}

void PricedSession::assembleAndPrice()
{
    QList<SessionPhoto> photos;
    const qsizetype count = std::min(m_photoOrders.size(), m_photosOnShow.size());
    photos.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        photos.append({m_photosOnShow.at(i), &m_photoOrders.at(i), nullptr});
    m_assembly.buildSessionOrder(photos);

    m_pricing.price(PricingInputs::fromAssembly(m_assembly));
}

double PricedSession::toCents(float amount)
{
    return QString::number(double(amount), 'f', 2).toDouble();
}

QJsonObject PricedSession::toJson() const
{
    const OrderTotals& totals = m_pricing.totals();
    QJsonArray lines;
    for (const SessionOrderEntry& entry : m_assembly.orderList()) {
        const LineItem& line = entry.orderedItem;
        lines.append(QJsonObject{{QStringLiteral("name"), entry.name},
                                 {QStringLiteral("pkgPLU"), line.pkgPLU()},
                                 {QStringLiteral("pkgDisplayName"), line.pkgDisplayName()},
                                 {QStringLiteral("pkgQty"), line.pkgQty()},
                                 {QStringLiteral("pkgUnitPrice"), toCents(line.pkgUnitPrice())},
                                 {QStringLiteral("pkgTotal"), toCents(line.pkgTotal())},
                                 {QStringLiteral("pkgPrePrintQty"), line.pkgPrePrintQty()}});
    }
    return QJsonObject{{QStringLiteral("customerID"), m_basket.customerID},
                       {QStringLiteral("subTotal"), toCents(totals.subTotal)},
                       {QStringLiteral("discount"), toCents(totals.discount)},
                       {QStringLiteral("freeSheetValue"), toCents(totals.freeSheetValue)},
                       {QStringLiteral("tax"), toCents(totals.tax)},
                       {QStringLiteral("total"), toCents(totals.total)},
                       {QStringLiteral("itemCount"), m_pricing.itemCount()},
                       {QStringLiteral("freeSheets"), m_pricing.freeSheetCount()},
                       {QStringLiteral("upsellCount"), m_pricing.upsellCount()},
                       {QStringLiteral("printSheets"), m_assembly.fTotalPrintSheets()},
                       {QStringLiteral("usbItems"), m_assembly.itemsWithUsbDrive()},
                       {QStringLiteral("promoItems"), m_assembly.itemsWithPromos()},
                       {QStringLiteral("message"), m_pricing.message()},
                       {QStringLiteral("taxDescription"), m_pricing.taxDescription()},
                       {QStringLiteral("lines"), lines}};
}

QString PricedSession::toText() const
{
    auto money = [](float amount) { return QString::asprintf("%10.2f", double(amount)); };
    QString text;
    QTextStream out(&text);
    out << "Order for customer " << m_basket.customerID << "\n";
    const QList<SummaryRow>& rows = m_pricing.rows();
    if (rows.isEmpty())
        out << "\nNothing ordered.\n";
    for (const SummaryRow& row : rows) {
        out << "\n" << QFileInfo(row.name).fileName() << "\n";
        for (const LineItem& line : row.lines) {
            out << "  " << QString(line.pkgDisplayName()).leftJustified(28) << " "
                << QString::number(line.pkgQty()).rightJustified(4) << " x"
                << money(line.pkgUnitPrice()) << " =" << money(line.extendedPrice()) << "\n";
        }
        out << "  " << QStringLiteral("Photo subtotal").leftJustified(28) << "     "
            << QString(12, QLatin1Char(' ')) << "  " << money(row.subTotal()) << "\n";
    }
    const OrderTotals& totals = m_pricing.totals();
    const QString taxLabel =
        m_pricing.taxDescription().isEmpty() ? QStringLiteral("Tax") : m_pricing.taxDescription();
    out << "\n";
    out << QStringLiteral("Subtotal").leftJustified(24) << money(totals.subTotal) << "\n";
    out << QStringLiteral("Discount").leftJustified(24) << money(totals.discount) << "\n";
    if (totals.freeSheetValue != 0.0f)
        out << QStringLiteral("Free sheets value").leftJustified(24) << money(totals.freeSheetValue)
            << "\n";
    out << taxLabel.leftJustified(24) << money(totals.tax) << "\n";
    out << QStringLiteral("Total").leftJustified(24) << money(totals.total) << "\n";
    out << QStringLiteral("Items").leftJustified(24)
        << QString::number(m_pricing.itemCount()).rightJustified(10) << "\n";
    out << QStringLiteral("Free sheets").leftJustified(24)
        << QString::number(m_pricing.freeSheetCount()).rightJustified(10) << "\n";
    if (!m_pricing.message().isEmpty())
        out << "\n" << m_pricing.message() << "\n";
    return text;
}

} // namespace kivo
