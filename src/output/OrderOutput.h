#pragma once

#include "output/HostLink.h"
#include "output/OrderFileWriter.h"
#include "output/ReleasedOrder.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace kivo {

class ReceiptStarter;
class Settings;

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
//     kivo::OrderOutput output(settings, receipt, [this] { onStartOverTimer(); });
//     QThreadPool::globalInstance()->start([=] { auto r = output.saveOrder(order);
//         ... hand r to the main thread ... });
//
// Writes the order files, starts the receipt when prefPrintReceipt is on, announces the print job
// to the host, and makes sure the start-over comes one second later on the main thread (from the
// receipt after printing when one was started, else from here). The main thread must keep
// running its event loop meanwhile: the notification is posted there.
class OrderOutput
{
public:
    using StartOver = std::function<void()>;

    // RECEIPT may be null (no receipt is ever printed then); it is not owned.
    OrderOutput(Settings& settings, ReceiptStarter* receipt, StartOver startOver,
                QObject* mainThreadContext = nullptr);

    ReleaseResult saveOrder(const ReleasedOrder& order);

    // The sample print of the photo on show: writes the pre-print file and announces it,
    // whatever the write gave (the host may still have an older one). False when the file was
    // not written.
    bool sendOrderToBePrePrinted(const QString& customerId, const QString& imagePath);

    void setStartOverDelay(int ms) { m_startOverDelayMs = ms; }
    // When set, an order whose files were not all written goes no further: no receipt, no host
    // announcement, no start-over, so the caller can show the failure and try again without a
    // second receipt or print job. Off by default.
    void setStopWhenFilesFail(bool stop) { m_stopWhenFilesFail = stop; }
    // Photos shown to the customer, for the receipt's USB label.
    void setCurTotalImages(std::optional<int> count) { m_curTotalImages = count; }

private:
    void scheduleStartOver();

    Settings& m_settings;
    ReceiptStarter* m_receipt;
    StartOver m_startOver;
    QPointer<QObject> m_context;
    std::optional<int> m_curTotalImages;
    int m_startOverDelayMs = 1000;
    bool m_stopWhenFilesFail = false;
};

} // namespace kivo
