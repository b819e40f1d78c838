#include "output/KivoReceiptViewController.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/Log.h"
#include "output/ReceiptRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

namespace kivo {

namespace {

constexpr const char* kPersistentPrinterSettings = "persistent printer settings";

void log(const char* method, const QString& text)
{
    consoleLog("KivoReceiptViewController", method, text);
    kivo::Log::debug(
        QStringLiteral("KivoReceiptViewController %1: %2").arg(QLatin1String(method), text));
}

QVariantMap loadMasterItemList()
{
    const QString path =
        paths::resourcePath(QStringLiteral("MasterItemList"), QStringLiteral("plist"));
    return path.isEmpty() ? QVariantMap() : plist::readFile(path).toMap();
}

} // namespace

KivoReceiptViewController::KivoReceiptViewController(QObject* parent)
    : QObject(parent), m_cups(std::make_unique<CupsReceiptPrinter>())
{
    qRegisterMetaType<kivo::ReceiptResult>();
}

KivoReceiptViewController::~KivoReceiptViewController() = default;

void KivoReceiptViewController::runOnMainThread(const std::function<void()>& work)
{
    if (QThread::currentThread() == thread())
        work();
    else
        QMetaObject::invokeMethod(this, work, Qt::BlockingQueuedConnection);
}

QString KivoReceiptViewController::receiptFolder()
{
    const QString folder =
        Settings::standardUserDefaults().stringForKey(QLatin1String(sPrefLocalReceiptPath));
    return folder.isEmpty() ? paths::sharedReceiptsFolder() : folder;
}

bool KivoReceiptViewController::doStartReceiptPrinting(const ReceiptRequest& request)
{
    const bool prompt = Settings::standardUserDefaults().boolForKey(
        QLatin1String(sPrefPromptForCustomerNameOnReceipt));
    if (prompt && m_prompt) {
        runOnMainThread([this, request] { doPrompt(request); });
        return true;
    }
    if (prompt)
        log("doStartReceiptPrinting",
            QStringLiteral("no name prompt available; printing without a name"));
    m_customerName.reset();
    buildReceiptView(request);
    runOnMainThread([this] { printOrderSummaryReceipt(); });
    return true;
}

void KivoReceiptViewController::doPrompt(const ReceiptRequest& request)
{
    if (!m_prompt || m_prompt->isShowing())
        return;
    m_customerName.reset();
    QPointer<KivoReceiptViewController> self(this);
    m_prompt->open([self, request](int code, const QString& entered) {
        if (self)
            self->didEndSheet(code, entered, request);
    });
}

void KivoReceiptViewController::didEndSheet(int returnCode, const QString& entered,
                                            const ReceiptRequest& request)
{
    if (returnCode != kSheetAccepted) {
        if (returnCode != kSheetCancelled && returnCode != kSheetStopped)
            log("didEndSheet", QStringLiteral("unexpected return code [%1]").arg(returnCode));
        // Nothing is printed, but the visit still ends: the station must not stay on a
        // released order.
        QTimer::singleShot(m_startOverDelayMs, this, [this] {
            if (m_owner)
                m_owner({{QStringLiteral("doMethodType"), 2}});
        });
        return;
    }
    m_customerName = ReceiptRules::customerNameFromEntry(entered);
    buildReceiptView(request);
    printOrderSummaryReceipt();
}

bool KivoReceiptViewController::buildReceiptView(const ReceiptRequest& request)
{
    m_result = ReceiptResult();
    m_content = ReceiptRules::buildReceiptViewForBody(request.curOrderDictionary,
                                                      loadMasterItemList(), request.curTotalImages,
                                                      m_customerName, QDateTime::currentDateTime());
    if (!m_content) {
        log("buildReceiptViewForBody", QStringLiteral("no order lines: nothing to build"));
        return false;
    }
    m_result.built = true;
    writePdfCopy();
    return true;
}

void KivoReceiptViewController::writePdfCopy()
{
    const QString folder = receiptFolder();
    if (!QDir().mkpath(folder)) {
        m_result.pdfError = QStringLiteral("cannot create the receipts folder %1").arg(folder);
        log("stackViewsFromArray2", m_result.pdfError);
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QString name = ReceiptRules::receiptFileName(now, m_customerName);
    // Two receipts in the same second keep both copies.
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = QFileInfo(ReceiptRules::receiptFileName(now, m_customerName)).completeBaseName() +
               QStringLiteral("-%1.pdf").arg(n);
    m_result.pdfPath = QDir(folder).filePath(name);
    ReceiptRenderer renderer(*m_content);
    renderer.setLogo(ReceiptRenderer::defaultLogo());
    const QByteArray bytes = renderer.pdf(QStringLiteral("Receipt"));
    QString why;
    m_result.pdfWritten = !bytes.isEmpty() && writeFileAtomically(m_result.pdfPath, bytes, &why);
    if (!m_result.pdfWritten)
        m_result.pdfError = QStringLiteral("cannot write %1: %2").arg(m_result.pdfPath, why);
    log("stackViewsFromArray2", QStringLiteral("PDF copy [%1] written [%2]")
                                    .arg(m_result.pdfPath, m_result.pdfWritten ? "YES" : "NO"));
}

void KivoReceiptViewController::rememberPrintSettings(int copies)
{
    Settings& settings = Settings::standardUserDefaults();
    if (m_printInfoDict.isEmpty()) {
        const QVariant stored = settings.objectForKey(QLatin1String(kPersistentPrinterSettings));
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
    settings.setObject(m_printInfoDict, QLatin1String(kPersistentPrinterSettings));
    settings.synchronize();
}

PrinterOutcome KivoReceiptViewController::printOn(const char* which, const char* doKey,
                                                  const char* nameKey, int copies,
                                                  bool progressPanel)
{
    Q_UNUSED(progressPanel); // the kiosk shows no progress panel of its own
    Settings& settings = Settings::standardUserDefaults();
    PrinterOutcome outcome;
    outcome.enabled = settings.boolForKey(QLatin1String(doKey));
    if (!outcome.enabled)
        return outcome;
    const char* method = "printOrderSummaryReceipt";
    outcome.name = settings.stringForKey(QLatin1String(nameKey));
    if (outcome.name.isEmpty()) {
        outcome.error = QStringLiteral("No %1 Printer Selected...").arg(QLatin1String(which));
        log(method, outcome.error);
        return outcome;
    }
    ReceiptPrintService* service = m_service ? m_service : m_cups.get();
    if (!service->hasPrinter(outcome.name)) {
        outcome.error = QStringLiteral("UNABLE To find %1 Printer with Name = [%2]...")
                            .arg(QLatin1String(which), outcome.name);
        log(method, outcome.error);
        return outcome;
    }
    outcome.attempted = true;
    ReceiptRenderer renderer(*m_content);
    renderer.setLogo(ReceiptRenderer::defaultLogo());
    outcome.ok = service->print(outcome.name, renderer, copies,
                                settings.boolForKey(QLatin1String(sPrefAlwaysShowPrintPanel)),
                                &outcome.error);
    log(method, QStringLiteral("%1 Receipt print operation status = %2")
                    .arg(QLatin1String(which),
                         outcome.ok ? QStringLiteral("Success") : QStringLiteral("FAILED!!!!!")));
    return outcome;
}

ReceiptResult KivoReceiptViewController::printOrderSummaryReceipt()
{
    Settings& settings = Settings::standardUserDefaults();
    const int copies =
        int(qMax<qint64>(1, settings.integerForKey(QLatin1String(PrefKeyForPrintCopies))));
    m_result.copies = copies;
    if (m_content) {
        rememberPrintSettings(copies);
        m_result.primary = printOn("Primary", sPrefDoPrintReceiptPrimary,
                                   sPrefReceiptPrinterNamePrimary, copies, true);
        const bool secondary = settings.boolForKey(QLatin1String(sPrefDoPrintReceiptSecondary));
        // Receipt printers on one USB hub take jobs better a moment apart.
        if (secondary && m_result.primary.attempted)
            QThread::msleep(500);
        m_result.secondary = printOn("Secondary", sPrefDoPrintReceiptSecondary,
                                     sPrefReceiptPrinterNameSecondary, copies, false);
    } else {
        log("printOrderSummaryReceipt", QStringLiteral("no receipt built: nothing printed"));
    }
    emit receiptPrinted(m_result);
    QTimer::singleShot(m_startOverDelayMs, this, [this] {
        if (m_owner)
            m_owner({{QStringLiteral("doMethodType"), 2}});
        else
            log("timerFireMethod", QStringLiteral("doMethodType = [2]"));
    });
    return m_result;
}

} // namespace kivo
