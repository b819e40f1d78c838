#include "output/print/ReceiptPrinting.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "output/Logging.h"
#include "output/ReceiptNamePrompt.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "ReceiptPrinting", method, text);
    kivo::Log::debug(lcOutput(),
                     QStringLiteral("ReceiptPrinting %1: %2").arg(QLatin1String(method), text));
}

} // namespace

ReceiptPrinting::ReceiptPrinting(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    qRegisterMetaType<kivo::ReceiptResult>();
    m_worker.setMaxThreadCount(1);
}

ReceiptPrinting::~ReceiptPrinting()
{
    m_worker.waitForDone();
}

bool ReceiptPrinting::requestReceipt(const ReceiptRequest& request)
{
    if (QThread::currentThread() == thread())
        startReceipt(request);
    else
        QMetaObject::invokeMethod(
            this, [this, request] { startReceipt(request); }, Qt::QueuedConnection);
    return true;
}

void ReceiptPrinting::startReceipt(const ReceiptRequest& request)
{
    const bool prompt = m_settings.promptForCustomerNameOnReceipt();
    if (prompt && m_prompt) {
        promptForName(request);
        return;
    }
    if (prompt)
        log("requestReceipt", QStringLiteral("no name prompt available; printing without a name"));
    m_customerName.reset();
    printOrderSummaryReceipt(request);
}

void ReceiptPrinting::promptForName(const ReceiptRequest& request)
{
    if (!m_prompt || m_prompt->isShowing())
        return;
    m_customerName.reset();
    QPointer<ReceiptPrinting> self(this);
    m_prompt->ask([self, request](SheetReturn code, const QString& entered) {
        if (self)
            self->didEndSheet(code, entered, request);
    });
}

void ReceiptPrinting::didEndSheet(SheetReturn returnCode, const QString& entered,
                                  const ReceiptRequest& request)
{
    if (returnCode != SheetReturn::Accepted) {
        if (returnCode != SheetReturn::Cancelled && returnCode != SheetReturn::Stopped)
            log("didEndSheet", QStringLiteral("unexpected return code [%1]").arg(int(returnCode)));
        // Nothing is printed, but the visit still ends: the station must not stay on a
        // released order.
        scheduleStartOver(request);
        return;
    }
    m_customerName = ReceiptRules::customerNameFromEntry(entered);
    printOrderSummaryReceipt(request);
}

void ReceiptPrinting::printOrderSummaryReceipt(const ReceiptRequest& request)
{
    const ReceiptPrintJob job = ReceiptPrintJob::fromSettings(m_settings, request, m_customerName);
    rememberPrintSettings(job.copies);
    if (m_settings.alwaysShowPrintPanel()) {
        if (m_panel) {
            askPrintPanel(job, 0);
            return;
        }
        log("printOrderSummaryReceipt",
            QStringLiteral("prefAlwaysShowPrintPanel is on, but there is no print panel here"));
    }
    startPrinting(job);
}

void ReceiptPrinting::askPrintPanel(ReceiptPrintJob job, int printer)
{
    if (printer > 1) {
        startPrinting(job);
        return;
    }
    ReceiptPrintJob::Printer& which = printer == 0 ? job.primary : job.secondary;
    if (!which.enabled || which.name.isEmpty()) {
        askPrintPanel(job, printer + 1);
        return;
    }
    QPointer<ReceiptPrinting> self(this);
    m_panel->open(which.name, job.copies,
                  [self, job, printer](bool accepted, const QString& name, int copies) mutable {
                      if (!self)
                          return;
                      ReceiptPrintJob::Printer& asked = printer == 0 ? job.primary : job.secondary;
                      if (accepted) {
                          asked.name = name;
                          job.copies = std::max(1, copies);
                      } else {
                          // Cancelled: this printer prints nothing; the PDF copy is still kept
                          // and the visit still ends.
                          log("printOrderSummaryReceipt",
                              QStringLiteral("print panel cancelled for [%1]").arg(asked.name));
                          asked.enabled = false;
                      }
                      self->askPrintPanel(job, printer + 1);
                  });
}

void ReceiptPrinting::startPrinting(const ReceiptPrintJob& job)
{
    ReceiptPrintService* service = m_service ? m_service : &m_cups;
    // The destructor waits for the worker, so THIS outlives the job; a result still queued when
    // the object goes is dropped with it.
    m_worker.start([this, job, service] {
        const ReceiptResult result = job.run(*service);
        QMetaObject::invokeMethod(
            this, [this, result, request = job.request] { finishReceipt(result, request); },
            Qt::QueuedConnection);
    });
}

void ReceiptPrinting::finishReceipt(const ReceiptResult& result, const ReceiptRequest& request)
{
    m_result = result;
    emit receiptPrinted(m_result);
    scheduleStartOver(request);
}

void ReceiptPrinting::scheduleStartOver(const ReceiptRequest& request)
{
    QTimer::singleShot(request.startOverDelayMs, this, [startOver = request.startOver] {
        if (startOver)
            startOver();
        else
            log("onStartOverTimer", QStringLiteral("doMethodType = [2]"));
    });
}

void ReceiptPrinting::rememberPrintSettings(int copies)
{
    if (m_printInfo.isEmpty()) {
        const QVariant stored = m_settings.value(Setting::persistentPrinterSettings);
        if (stored.typeId() == QMetaType::QVariantMap)
            m_printInfo = stored.toMap();
        // A kiosk has nobody to answer a page-setup panel: the receipt's own layout is the
        // setup, remembered from the first receipt on.
        m_printInfo.insert(QStringLiteral("verticallyCentered"), false);
        m_printInfo.insert(QStringLiteral("horizontallyCentered"), true);
        m_printInfo.insert(QStringLiteral("pagination"), QStringLiteral("fit"));
        m_printInfo.insert(QStringLiteral("margins"), 0.0);
    }
    m_printInfo.insert(QStringLiteral("copies"), qint64(copies));
    m_settings.setPersistentPrinterSettings(m_printInfo);
    m_settings.sync();
}

} // namespace kivo
