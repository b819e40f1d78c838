#include "output/OrderOutput.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "output/Logging.h"
#include "output/OrderFields.h"
#include "output/ReceiptStarter.h"
#include "output/ReleaseJournal.h"
#include "output/SessionBus.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "OrderOutput", method, text);
}

} // namespace

OrderOutput::OrderOutput(Settings& settings, ReceiptStarter* receipt, StartOver startOver,
                         QObject* mainThreadContext)
    : m_settings(settings), m_receipt(receipt), m_startOver(std::move(startOver)),
      m_context(mainThreadContext ? mainThreadContext : QCoreApplication::instance())
{}

void OrderOutput::scheduleStartOver()
{
    if (!m_context)
        return;
    const StartOver fire = m_startOver;
    const int delay = m_startOverDelayMs;
    QObject* context = m_context;
    QMetaObject::invokeMethod(
        context,
        [context, fire, delay] {
            QTimer::singleShot(delay, context, [fire] {
                if (fire)
                    fire();
            });
        },
        Qt::QueuedConnection);
}

ReleaseResult OrderOutput::saveOrder(const ReleasedOrder& order)
{
    const char* method = "saveOrder";
    const OrderFileWriter writer(m_settings);
    ReleaseResult result;
    result.files = writer.sendOrderToBeProcessed(order);
    if (!result.files.ok)
        log(method, QStringLiteral("order files of [%1] incomplete: %2 failed: %3")
                        .arg(order.customerId, result.files.failedFile, result.files.error));
    if (!result.files.ok && m_stopWhenFilesFail) {
        log(method, QStringLiteral("no receipt, announcement or start-over for [%1]")
                        .arg(order.customerId));
        return result;
    }

    if (m_receipt && m_settings.printReceipt()) {
        ReceiptRequest request;
        request.order = ReceiptOrder::fromReleasedOrder(order, writer.fullOrderEntries(order));
        request.customerId = order.customerId;
        request.curTotalImages = m_curTotalImages;
        request.startOver = m_startOver;
        request.startOverDelayMs = m_startOverDelayMs;
        result.receiptStarted = m_receipt->requestReceipt(request);
    }

    // Only a print job this release wrote is announced: one left by an earlier release of the
    // same ID (this one had nothing to print, or its files failed) was told to the host then,
    // and telling it again would print that order twice.
    if (result.files.printJob.ok) {
        result.announced = notifyHostOfNewOrder(m_settings, order.customerId);
        // Without a bus the entry stays, and the next start tells the host.
        if (result.announced)
            ReleaseJournal::markAnnounced(result.files.journalEntry);
    } else {
        log(method, QStringLiteral("no print job written for [%1]: nothing announced")
                        .arg(order.customerId));
    }

    // The receipt schedules the start-over after printing; without one, it is scheduled here.
    if (!result.receiptStarted)
        scheduleStartOver();
    return result;
}

bool OrderOutput::sendOrderToBePrePrinted(const QString& customerId, const QString& imagePath)
{
    const FileWriteResult written =
        OrderFileWriter(m_settings).sendOrderToBePrePrinted(customerId, imagePath);
    if (written.path.isEmpty())
        return false;
    // A failed write announces the newest sample still waiting, if any: the host may have missed
    // its announcement.
    QString path = written.path;
    if (!written.ok) {
        const QString waiting = newestOrderFilePath(QFileInfo(written.path).path(), customerId,
                                                    QStringLiteral("_prePrintOrder.plist"));
        if (!waiting.isEmpty())
            path = waiting;
    }
    const bool sent = sendNewOrderEvent(QVariantMap{{QStringLiteral("orderFilePath"), path},
                                                    {QStringLiteral("customerID"), customerId}},
                                        customerId);
    if (sent && sessionBusAvailable())
        ReleaseJournal::markAnnounced(written.journalEntry);
    return written.ok;
}

} // namespace kivo
