#include "orders/SessionPhotoOrders.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "orders/Logging.h"
#include "orders/PackageCatalogue.h"

namespace kivo {

namespace {

// The catalogue's panel records, read at the moment they are needed.
QVariantList displayPackageList(Settings& settings)
{
    PackageCatalogue catalogue(settings);
    if (!catalogue.load())
        consoleLog(lcOrders(), "SessionPhotoOrders", "startWithPhotos", catalogue.loadError());
    return catalogue.displayPackageList();
}

} // namespace

void SessionPhotoOrders::startWithPhotos(const QStringList& photos, Settings& settings)
{
    const QVariantList records = displayPackageList(settings);
    m_photos = photos;
    m_orders.clear();
    m_orders.reserve(photos.size());
    for (qsizetype i = 0; i < photos.size(); ++i) {
        ImageOrder order;
        order.copyDefaultsToOrder(records);
        m_orders.append(order);
    }
}

void SessionPhotoOrders::clearQuantities()
{
    for (ImageOrder& order : m_orders) {
        for (int i = 0; i < order.lineCount(); ++i) {
            LineItem& line = order.line(i);
            line.setPkgQty(0);
            line.setPkgAltQty(0);
            line.setPkgHasExtraCount(0);
            line.setPkgPrePrintQty(0);
            line.setPkgTotal(0.0f);
        }
    }
}

void SessionPhotoOrders::clear()
{
    m_photos.clear();
    m_orders.clear();
}

PhotoOrdersSnapshot SessionPhotoOrders::snapshot() const
{
    PhotoOrdersSnapshot copy{m_photos, m_orders};
    // The worker needs the lines only; a thumbnail belongs to the main thread.
    for (ImageOrder& order : copy.orders)
        order.setView(nullptr);
    return copy;
}

} // namespace kivo
