#include "output/print/PrinterWatch.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "output/Logging.h"

#include <QCoreApplication>

namespace kivo {

PrinterWatch::PrinterWatch(std::shared_ptr<ReceiptPrintService> service, QObject* parent)
    : QObject(parent), m_service(std::move(service))
{
    m_pool.setMaxThreadCount(1);
    connect(&m_timer, &QTimer::timeout, this, &PrinterWatch::checkNow);
}

PrinterWatch::~PrinterWatch()
{
    m_timer.stop();
    m_pool.waitForDone();
}

QStringList PrinterWatch::receiptPrinters(Settings& settings)
{
    if (!settings.printReceipt())
        return {};
    const QString primary = settings.receiptPrinterNamePrimary();
    const QString secondary = settings.receiptPrinterNameSecondary();
    const bool onPrimary = settings.doPrintReceiptPrimary();
    const bool onSecondary = settings.doPrintReceiptSecondary();
    const bool standsIn = onPrimary && settings.receiptFailoverToSecondary();
    QStringList names;
    if (onPrimary && !primary.isEmpty())
        names << primary;
    if ((onSecondary || standsIn) && !secondary.isEmpty() && !names.contains(secondary))
        names << secondary;
    return names;
}

void PrinterWatch::setPrinters(const QStringList& names)
{
    m_printers = names;
    if (names.isEmpty())
        answered({}, {});
}

void PrinterWatch::start(int intervalMs)
{
    m_timer.start(intervalMs);
    checkNow();
}

void PrinterWatch::stop()
{
    m_timer.stop();
}

void PrinterWatch::checkNow()
{
    if (m_asking || m_printers.isEmpty())
        return;
    m_asking = true;
    // The answer is queued to this object: one that arrives after it has gone is dropped.
    m_pool.start([this, service = m_service, names = m_printers, stuckAfter = m_stuckAfter] {
        QList<PrinterStatus> states;
        for (const QString& name : names)
            states << service->status(name, stuckAfter);
        QMetaObject::invokeMethod(
            this, [this, names, states] { answered(names, states); }, Qt::QueuedConnection);
    });
}

void PrinterWatch::answered(const QStringList& names, const QList<PrinterStatus>& states)
{
    m_asking = false;
    QList<PrinterHealth> health;
    QStringList logLines;
    QStringList noticeLines;
    for (qsizetype i = 0; i < names.size() && i < states.size(); ++i) {
        health << PrinterHealth::assess(names[i], states[i]);
        if (health.last().severity == PrinterSeverity::Ok)
            continue;
        logLines << health.last().logText;
        noticeLines << health.last().staffText;
    }
    if (health != m_health) {
        m_health = health;
        emit healthChanged(m_health);
    }
    const QString notice = noticeLines.join(QLatin1Char('\n'));
    if (notice == m_notice)
        return;
    const QString line = logLines.isEmpty() ? QStringLiteral("receipt printers can print again")
                                            : logLines.join(QStringLiteral("; "));
    consoleLog(lcOutput(), "PrinterWatch", "answered", line);
    kivo::Log::err(lcOutput(), QStringLiteral("PrinterWatch: %1").arg(line));
    m_notice = notice;
    emit noticeChanged(m_notice);
}

} // namespace kivo
