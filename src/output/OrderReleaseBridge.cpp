#include "output/OrderReleaseBridge.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "orders/PackageCatalogue.h"
#include "orders/PricedSession.h"
#include "output/Logging.h"
#include "output/ReleasedOrderBuilder.h"

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "OrderReleaseBridge", method, text);
}

} // namespace

OrderReleaseBridge::OrderReleaseBridge(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{}

OrderReleaseBridge::~OrderReleaseBridge() = default;

ReleasedOrder OrderReleaseBridge::buildReleasedOrder(const QString& customerId,
                                                     const PhotoOrdersSnapshot& snapshot,
                                                     const PackageCatalogue& catalogue,
                                                     Settings& settings)
{
    PricedSession session(catalogue, settings);
    session.price(snapshot);
    return ReleasedOrderBuilder::build(customerId, session.photosOnShow(),
                                       session.assembly().sessionOrderList(), session.pricing(),
                                       catalogue, settings);
}

QString OrderReleaseBridge::failureMessage(const OrderFilesResult&)
{
    return tr("Your order could not be saved. Please ask a member of staff for help.");
}

QString OrderReleaseBridge::failureDetail(const QString& customerId, const OrderFilesResult& files)
{
    if (files.failedFile.isEmpty())
        return tr("The order files of %1 were not written.").arg(customerId);
    return tr("The order of %1 was not saved: the %2 file was not written: %3")
        .arg(customerId, files.failedFile, files.error);
}

ReleaseOutcome OrderReleaseBridge::release(const ReleaseRequest& request)
{
    const char* method = "releaseOrder";
    // Priced with the catalogue the summary used, never one read from disk now.
    const ReleaseSnapshot& release = request.order;
    const PhotoOrdersSnapshot& snapshot = release.orders;

    Settings& settings = m_settings;
    const ReleasedOrder order =
        buildReleasedOrder(request.customerIdNumber, snapshot, release.catalogue, settings);
    log(method, QStringLiteral("[%1]: %2 photos on show, %3 ordered")
                    .arg(request.customerIdNumber)
                    .arg(order.listOfImages.size())
                    .arg(order.photos.size()));

    // The start-over comes back on this object's thread; one that is gone hears nothing.
    QPointer<OrderReleaseBridge> self(this);
    OrderOutput output(
        settings, m_receipt,
        [self] {
            if (self)
                emit self->startOverDue();
        },
        this);
    output.setStartOverDelay(m_startOverDelayMs);
    output.setCurTotalImages(static_cast<int>(snapshot.photos.size()));
    // A failed release is shown and tried again; a receipt or a host announcement now would
    // come twice.
    output.setStopWhenFilesFail(true);
    const ReleaseResult result = output.saveOrder(order);
    if (!result.ok()) {
        const QString detail = failureDetail(request.customerIdNumber, result.files);
        log(method, detail);
        emit staffNoticeChanged(detail);
        return {false, failureMessage(result.files)};
    }
    emit staffNoticeChanged(QString());
    log(method, QStringLiteral("files written, announced [%1], receipt [%2]")
                    .arg(result.announced ? "YES" : "NO", result.receiptStarted ? "YES" : "NO"));
    // Either the receipt (after printing) or the output itself says the start-over is due.
    return {true, QString(), true};
}

} // namespace kivo
