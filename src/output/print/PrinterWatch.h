#pragma once

#include "output/print/PrinterHealth.h"

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

    // One line per printer that needs the staff; empty when every printer is well.
    QString notice() const { return m_notice; }
    // Every watched printer's health as last answered, in the order of setPrinters().
    QList<PrinterHealth> health() const { return m_health; }
    // The worst of them: Error when a receipt sent now would not come out.
    PrinterSeverity severity() const { return PrinterHealth::worst(m_health); }

signals:
    void noticeChanged(const QString& notice);
    void healthChanged(const QList<kivo::PrinterHealth>& health);

private:
    void answered(const QStringList& names, const QList<PrinterStatus>& states);

    std::shared_ptr<ReceiptPrintService> m_service;
    QStringList m_printers;
    int m_stuckAfter = 120;
    QTimer m_timer;
    bool m_asking = false;
    QString m_notice;
    QList<PrinterHealth> m_health;
    // One question at a time, waited for when the watch goes.
    QThreadPool m_pool;
};

} // namespace kivo
