#pragma once

#include "orders/PackageCatalogue.h"
#include "orders/SessionPhotoOrders.h"
#include "output/OrderOutput.h"

#include <QObject>
#include <QPointer>

#include <atomic>

namespace kivo {

class ReceiptStarter;
class Settings;

// What a release is made from, copied on the visit's thread as it starts: the photos' orders and
// the package catalogue the summary priced them with, so that the bill is what the customer was
// shown even when a catalogue is saved during the visit.
struct ReleaseSnapshot
{
    PhotoOrdersSnapshot orders;
    PackageCatalogue catalogue;
};

// Everything the order output needs of a released visit, handed over whole to its worker.
struct ReleaseRequest
{
    QString customerIdNumber;
    ReleaseSnapshot order;
};

// The one answer of the order output: every file written, or what failed.
struct ReleaseOutcome
{
    bool ok = false;
    QString message;
    // The output arranges the start-over itself (after the receipt) by emitting
    // OrderReleaseBridge::startOverDue; else the visit starts over one second after success.
    bool completionScheduled = false;
    // Whether trying the same release again can succeed; when not, the customer can only go
    // back to the order (which changed).
    bool retryable = true;
};

// Connects a released visit to the order output: assembles the photos' orders into the session
// order, prices it, writes the order files, starts the receipt and tells the host, and says once
// when the visit may start over (startOverDue). Lives on the main thread with the receipt;
// release() runs on the visit's worker with nothing but the request it is handed.
//
// The receipt is given by the program (the station gives a ReceiptPrinting parented to
// the bridge), so that the release needs nothing of the printing.
class OrderReleaseBridge : public QObject
{
    Q_OBJECT

public:
    explicit OrderReleaseBridge(Settings& settings, QObject* parent = nullptr);
    ~OrderReleaseBridge() override;

    // The receipt started for each release when prefPrintReceipt is on; none: no receipt. Not
    // owned. Set before the first release.
    void setReceipt(ReceiptStarter* receipt) { m_receipt = receipt; }
    ReceiptStarter* receiptStarter() const { return m_receipt; }

    // One whole release (worker thread). Ok with completionScheduled when every file is on
    // disk: the output (or the receipt after printing) then emits startOverDue on this object's
    // thread. Otherwise a message naming what failed, and nothing was printed or announced.
    ReleaseOutcome release(const ReleaseRequest& request);

    // The session order of SNAPSHOT assembled, priced and handed over whole, as the order files
    // are written from it.
    static ReleasedOrder buildReleasedOrder(const QString& customerId,
                                            const PhotoOrdersSnapshot& snapshot,
                                            const PackageCatalogue& catalogue, Settings& settings);

    // What the customer's screen says when the order files were not all written: plain words,
    // no file names or system errors (those go to the log and to staffNoticeChanged).
    static QString failureMessage(const OrderFilesResult& files);
    // The staff's line for a release of CUSTOMER_ID whose files were not all written: which file
    // failed and the system's reason.
    static QString failureDetail(const QString& customerId, const OrderFilesResult& files);

    // The pause between the order files (or the receipt) and the start-over, 1000 ms.
    void setStartOverDelay(int ms) { m_startOverDelayMs = ms; }

signals:
    // The staff's line about releases: what the last failed release could not write, empty
    // again once a release wrote its files. Emitted on the release's worker thread.
    void staffNoticeChanged(const QString& text);
    // The released order is out (its files written, the receipt printed when one was asked
    // for), a pause later: the visit may start over.
    void startOverDue();

private:
    Settings& m_settings;
    ReceiptStarter* m_receipt = nullptr;
    std::atomic<int> m_startOverDelayMs{1000};
};

} // namespace kivo
