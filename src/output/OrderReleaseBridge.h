#pragma once

#include "core/SalesSession.h"
#include "orders/SessionPhotoOrders.h"
#include "output/OrderOutput.h"

#include <QObject>
#include <QPointer>

#include <atomic>

namespace kivo {

class KivoReceiptViewController;
class PackageCatalogue;
class Settings;

// Connects a released visit to the order output: assembles the photos' orders into the session
// order, prices it, writes the order files, prints the receipt and tells the host, and brings
// the start-over back to the session once. Lives on the main thread with the receipt controller;
// release() runs on the session's worker with nothing but the request it is handed.
class OrderReleaseBridge : public QObject
{
    Q_OBJECT

public:
    explicit OrderReleaseBridge(SalesSession* session, QObject* parent = nullptr);
    ~OrderReleaseBridge() override;

    // The function to install in the session; it only calls release().
    ReleaseFunction releaseFunction();

    // One whole release (worker thread). Ok with completionScheduled when every file is on
    // disk: the output (or the receipt after printing) then calls the session's
    // timerFireMethod. Otherwise a message naming what failed, and nothing was printed or
    // announced.
    ReleaseOutcome release(const ReleaseRequest& request);

    // The session order of SNAPSHOT assembled, priced and handed over whole, as the order files
    // are written from it.
    static ReleasedOrder buildReleasedOrder(const QString& customerId,
                                            const PhotoOrdersSnapshot& snapshot,
                                            const PackageCatalogue& catalogue, Settings& settings);

    // The message the sales person sees when the order files were not all written.
    static QString failureMessage(const OrderFilesResult& files);

    KivoReceiptViewController* receiptController() const { return m_receipt; }
    // The pause between the order files (or the receipt) and the start-over, 1000 ms.
    void setStartOverDelay(int ms);

private:
    QPointer<SalesSession> m_session;
    KivoReceiptViewController* m_receipt;
    std::atomic<int> m_startOverDelayMs{1000};
};

} // namespace kivo
