#include "output/OrderOutput.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "output/KivoReceiptViewController.h"

#include <QCoreApplication>
#include <QTimer>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog("OrderOutput", method, text);
}

} // namespace

OrderOutput::OrderOutput(KivoReceiptViewController* receipt, TimerFireMethod timerFireMethod,
                         QObject* mainThreadContext)
    : m_receipt(receipt), m_timerFireMethod(std::move(timerFireMethod)),
      m_context(mainThreadContext ? mainThreadContext : QCoreApplication::instance())
{}

QVariantMap OrderOutput::receiptOrderDictionary(const ReleasedOrder& order)
{
    QVariantMap dict = OrderFileWriter::buildOrderDictionary(order);
    if (order.totals)
        dict.insert(QStringLiteral("curOrderTotalsInfo"), *order.totals);
    return dict;
}

void OrderOutput::scheduleStartOver(const QVariantMap& info)
{
    if (!m_context)
        return;
    const TimerFireMethod fire = m_timerFireMethod;
    const int delay = m_startOverDelayMs;
    QObject* context = m_context;
    QMetaObject::invokeMethod(
        context,
        [context, fire, delay, info] {
            QTimer::singleShot(delay, context, [fire, info] {
                if (fire)
                    fire(info);
            });
        },
        Qt::QueuedConnection);
}

ReleaseResult OrderOutput::doSaveOrderToFileInThread(const ReleasedOrder& order,
                                                     const QVariantMap& info)
{
    const char* method = "doSaveOrderToFileInThread";
    ReleaseResult result;
    result.files = OrderFileWriter::sendOrderToBeProcessed(order);
    if (!result.files.ok)
        log(method, QStringLiteral("order files of [%1] incomplete: %2 failed: %3")
                        .arg(order.customerId, result.files.failedFile, result.files.error));
    if (!result.files.ok && m_stopWhenFilesFail) {
        log(method, QStringLiteral("no receipt, announcement or start-over for [%1]")
                        .arg(order.customerId));
        return result;
    }

    const bool printReceipt =
        Settings::standardUserDefaults().boolForKey(QLatin1String(sPrefPrintReceipt));
    if (printReceipt && m_receipt) {
        ReceiptRequest request;
        request.curOrderDictionary = receiptOrderDictionary(order);
        request.customerID = order.customerId;
        request.curTotalImages = m_curTotalImages;
        result.receiptStarted = m_receipt->doStartReceiptPrinting(request);
    }

    result.announced = ibSentNewOrderEventToKivo(order.customerId);

    // The receipt schedules the start-over after printing; without one, it is scheduled here.
    if (!result.receiptStarted)
        scheduleStartOver(info);
    return result;
}

bool OrderOutput::sendOrderToBePrePrinted(const QString& customerId, const QString& imagePath)
{
    const FileWriteResult written = OrderFileWriter::sendOrderToBePrePrinted(customerId, imagePath);
    if (written.path.isEmpty())
        return false;
    sendNewOrderAEEventToKivo(QVariantMap{{QStringLiteral("orderFilePath"), written.path},
                                          {QStringLiteral("customerID"), customerId}},
                              customerId);
    return written.ok;
}

} // namespace kivo
