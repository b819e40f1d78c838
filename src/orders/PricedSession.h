#pragma once

#include "orders/Basket.h"
#include "orders/OrderPricing.h"
#include "orders/SessionOrderAssembly.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace kivo {

class PackageCatalogue;
class Settings;

// A whole visit's order worked through without the screens: the basket's photos on show, their
// orders, the assembled session order and its prices. What kivo-order prints, and what the
// order files and receipt are written from when an order is replayed.
class PricedSession
{
public:
    PricedSession(const PackageCatalogue& catalogue, Settings& settings);

    // Builds the photos' orders from BASKET, assembles and prices them. False, with a message,
    // when the basket names a package the catalogue does not offer (naming the entry) or orders
    // more items than the order files can count.
    bool price(const Basket& basket, QString* error);

    const Basket& basket() const { return m_basket; }
    // Every photo on show, in grid order, with its own order (ordered or not).
    const QList<ImageOrder>& photoOrders() const { return m_photoOrders; }
    const SessionOrderAssembly& assembly() const { return m_assembly; }
    const OrderPricing& pricing() const { return m_pricing; }

    // The priced order as one JSON object (amounts rounded to cents).
    QJsonObject toJson() const;
    // The priced order as a person reads a summary.
    QString toText() const;

    // An amount rounded to cents, as it is printed.
    static double toCents(float amount);

private:
    const PackageCatalogue& m_catalogue;
    Basket m_basket;
    QList<ImageOrder> m_photoOrders;
    SessionOrderAssembly m_assembly;
    OrderPricing m_pricing;
};

} // namespace kivo
