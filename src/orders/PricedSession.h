#pragma once

#include "orders/Basket.h"
#include "orders/OrderPricing.h"
#include "orders/SessionOrderAssembly.h"
#include "orders/SessionPhotoOrders.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace kivo {

class PackageCatalogue;
class Settings;

// A whole visit's order assembled and priced: the photos on show, their orders, the assembled
// session order and its prices. The one way an order is priced: the summary the customer
// accepts, the release that writes the order files and kivo-order all run it, so their figures
// cannot drift apart.
class PricedSession
{
public:
    PricedSession(const PackageCatalogue& catalogue, Settings& settings);

    // Builds the photos' orders from BASKET, assembles and prices them. False, with a message,
    // when the basket names a package the catalogue does not offer (naming the entry) or orders
    // more items than the order files can count.
    bool price(const Basket& basket, QString* error);
    // Assembles and prices the photos' orders as the selling screens hold them (the grid's
    // snapshot). Unlike a basket, the item count is not checked against kMaxCount here.
    void price(const PhotoOrdersSnapshot& snapshot);

    // The basket last priced (empty after pricing a snapshot).
    const Basket& basket() const { return m_basket; }
    // The paths of the photos on show, in grid order.
    const QStringList& photosOnShow() const { return m_photosOnShow; }
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
    void assembleAndPrice();

    const PackageCatalogue& m_catalogue;
    Basket m_basket;
    QStringList m_photosOnShow;
    QList<ImageOrder> m_photoOrders;
    SessionOrderAssembly m_assembly;
    OrderPricing m_pricing;
};

} // namespace kivo
