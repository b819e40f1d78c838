#pragma once

#include "output/HostLink.h"
#include "output/OrderFileWriter.h"
#include "output/ReleasedOrder.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace kivo {

class KivoReceiptViewController;

// The outcome of releasing an order: the order files (ok, or which file failed and why), whether
// the host was told, and whether a receipt was started.
struct ReleaseResult
{
    OrderFilesResult files;
    bool announced = false;
    bool receiptStarted = false;
    bool ok() const { return files.ok; }
};

// The release of an order, as the session controller starts it on a worker thread:
//
//     kivo::OrderOutput output(receiptController, [this](const QVariantMap& info) {
//         timerFireMethod(info); });
//     QThreadPool::globalInstance()->start([=] { auto r = output.doSaveOrderToFileInThread(order);
//         ... hand r to the main thread ... });
//
// Writes the order files, prints the receipt when prefPrintReceipt is on, announces the print job
// to the host, and makes sure the start-over comes one second later on the main thread (from the
// receipt when one was printed, else from here). The main thread must keep running its event
// loop meanwhile: the notification and the printing are done there.
class OrderOutput
{
public:
    using TimerFireMethod = std::function<void(const QVariantMap& userInfo)>;

    OrderOutput(KivoReceiptViewController* receipt, TimerFireMethod timerFireMethod,
                QObject* mainThreadContext = nullptr);

    // INFO is the user info of the start-over timer ({"doMethodType": 2}).
    ReleaseResult doSaveOrderToFileInThread(const ReleasedOrder& order,
                                            const QVariantMap& info = {
                                                {QStringLiteral("doMethodType"), 2}});

    // The sample print of the photo on show: writes the pre-print file and announces it,
    // whatever the write gave (the host may still have an older one). False when the file was
    // not written.
    static bool sendOrderToBePrePrinted(const QString& customerId, const QString& imagePath);

    // The receipt's printing dictionary for an order: its full-order lines (what the customer
    // paid for) with the totals record.
    static QVariantMap receiptOrderDictionary(const ReleasedOrder& order);

    void setStartOverDelay(int ms) { m_startOverDelayMs = ms; }
    // When set, an order whose files were not all written goes no further: no receipt, no host
    // announcement, no start-over, so the caller can show the failure and try again without a
    // second receipt or print job. Off by default.
    void setStopWhenFilesFail(bool stop) { m_stopWhenFilesFail = stop; }
    // Photos shown to the customer, for the receipt's USB label.
    void setCurTotalImages(std::optional<int> count) { m_curTotalImages = count; }

private:
    void scheduleStartOver(const QVariantMap& info);

    QPointer<KivoReceiptViewController> m_receipt;
    TimerFireMethod m_timerFireMethod;
    QPointer<QObject> m_context;
    std::optional<int> m_curTotalImages;
    int m_startOverDelayMs = 1000;
    bool m_stopWhenFilesFail = false;
};

} // namespace kivo
