#pragma once

#include "output/print/ReceiptPrintService.h"

#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

#include <memory>

namespace kivo {

class Settings;

// Keeps an eye on the receipt printers between customers, so that the staff see a paused or
// rejecting queue, a stuck job or a missing printer before a customer leaves without a receipt.
// The service is asked on a worker every few seconds (it may block); a changed answer is logged
// and reported on the watch's own thread.
class PrinterWatch : public QObject
{
    Q_OBJECT

public:
    explicit PrinterWatch(std::shared_ptr<ReceiptPrintService> service, QObject* parent = nullptr);
    ~PrinterWatch() override;

    // The receipt printers from the settings: none when receipts are off; the primary and the
    // secondary when printed on, the secondary also when it stands in for the primary
    // (prefReceiptFailoverToSecondary).
    static QStringList receiptPrinters(Settings& settings);

    void setPrinters(const QStringList& names);
    void setStuckAfterSeconds(int seconds) { m_stuckAfter = seconds; }
    void start(int intervalMs = 3000);
    void stop();
    // Asks once now (unless a question is still out).
    void checkNow();

    // One line per problem, for the staff; empty when every printer can print.
    QString notice() const { return m_notice; }

signals:
    void noticeChanged(const QString& notice);

private:
    void answered(const QStringList& names, const QList<PrinterStatus>& states);

    std::shared_ptr<ReceiptPrintService> m_service;
    QStringList m_printers;
    int m_stuckAfter = 120;
    QTimer m_timer;
    bool m_asking = false;
    QString m_notice;
    // One question at a time, waited for when the watch goes.
    QThreadPool m_pool;
};

} // namespace kivo
