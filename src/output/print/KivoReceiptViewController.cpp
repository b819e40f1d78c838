#include "output/print/KivoReceiptViewController.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "output/ReceiptNamePrompt.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace kivo {

namespace {

constexpr const char* kPersistentPrinterSettings = "persistent printer settings";

void log(const char* method, const QString& text)
{
    consoleLog("KivoReceiptViewController", method, text);
    kivo::Log::debug(
        QStringLiteral("KivoReceiptViewController %1: %2").arg(QLatin1String(method), text));
}

} // namespace

KivoReceiptViewController::KivoReceiptViewController(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    qRegisterMetaType<kivo::ReceiptResult>();
    m_worker.setMaxThreadCount(1);
}

KivoReceiptViewController::~KivoReceiptViewController()
{
    m_worker.waitForDone();
}

bool KivoReceiptViewController::doStartReceiptPrinting(const ReceiptRequest& request)
{
    if (QThread::currentThread() == thread())
        startReceipt(request);
    else
        QMetaObject::invokeMethod(
            this, [this, request] { startReceipt(request); }, Qt::QueuedConnection);
    return true;
}

void KivoReceiptViewController::startReceipt(const ReceiptRequest& request)
{
    const bool prompt = m_settings.boolForKey(QLatin1String(sPrefPromptForCustomerNameOnReceipt));
    if (prompt && m_prompt) {
        doPrompt(request);
        return;
    }
    if (prompt)
        log("doStartReceiptPrinting",
            QStringLiteral("no name prompt available; printing without a name"));
    m_customerName.reset();
    printOrderSummaryReceipt(request);
}

void KivoReceiptViewController::doPrompt(const ReceiptRequest& request)
{
    if (!m_prompt || m_prompt->isShowing())
        return;
    m_customerName.reset();
    QPointer<KivoReceiptViewController> self(this);
    m_prompt->open([self, request](SheetReturn code, const QString& entered) {
        if (self)
            self->didEndSheet(code, entered, request);
    });
}

void KivoReceiptViewController::didEndSheet(SheetReturn returnCode, const QString& entered,
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

void KivoReceiptViewController::printOrderSummaryReceipt(const ReceiptRequest& request)
{
    const ReceiptPrintJob job = ReceiptPrintJob::fromSettings(m_settings, request, m_customerName);
    rememberPrintSettings(job.copies);
    if (m_settings.boolForKey(QLatin1String(sPrefAlwaysShowPrintPanel))) {
        if (m_panel) {
            askPrintPanel(job, 0);
            return;
        }
        log("printOrderSummaryReceipt",
            QStringLiteral("prefAlwaysShowPrintPanel is on, but there is no print panel here"));
    }
    startPrinting(job);
}

void KivoReceiptViewController::askPrintPanel(ReceiptPrintJob job, int printer)
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
    QPointer<KivoReceiptViewController> self(this);
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

void KivoReceiptViewController::startPrinting(const ReceiptPrintJob& job)
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

void KivoReceiptViewController::finishReceipt(const ReceiptResult& result,
                                              const ReceiptRequest& request)
{
    m_result = result;
    emit receiptPrinted(m_result);
    scheduleStartOver(request);
}

void KivoReceiptViewController::scheduleStartOver(const ReceiptRequest& request)
{
    QTimer::singleShot(request.startOverDelayMs, this, [startOver = request.startOver] {
        if (startOver)
            startOver();
        else
            log("timerFireMethod", QStringLiteral("doMethodType = [2]"));
    });
}

void KivoReceiptViewController::rememberPrintSettings(int copies)
{
    if (m_printInfoDict.isEmpty()) {
        const QVariant stored = m_settings.objectForKey(QLatin1String(kPersistentPrinterSettings));
        if (stored.typeId() == QMetaType::QVariantMap)
            m_printInfoDict = stored.toMap();
        // A kiosk has nobody to answer a page-setup panel: the receipt's own layout is the
        // setup, remembered from the first receipt on.
        m_printInfoDict.insert(QStringLiteral("verticallyCentered"), false);
        m_printInfoDict.insert(QStringLiteral("horizontallyCentered"), true);
        m_printInfoDict.insert(QStringLiteral("pagination"), QStringLiteral("fit"));
        m_printInfoDict.insert(QStringLiteral("margins"), 0.0);
    }
    m_printInfoDict.insert(QStringLiteral("copies"), qint64(copies));
    m_settings.setObject(m_printInfoDict, QLatin1String(kPersistentPrinterSettings));
    m_settings.synchronize();
}

} // namespace kivo
