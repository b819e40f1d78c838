#include "output/print/ReceiptPrintJob.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/PackageCatalogue.h"
#include "output/Logging.h"
#include "output/ReceiptRenderer.h"
#include "output/print/PrinterHealth.h"
#include "output/print/ReceiptPrintService.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcOutput(), "ReceiptPrinting", method, text);
    kivo::Log::debug(lcOutput(),
                     QStringLiteral("ReceiptPrinting %1: %2").arg(QLatin1String(method), text));
}

QVariantMap loadMasterItemList()
{
    // The site's own catalogue when it has one, as the visit priced the order from it.
    const QString path = PackageCatalogue::masterItemListPath();
    return path.isEmpty() ? QVariantMap() : plist::readFile(path).toMap();
}

// Writes the PDF copy into FOLDER under a name no other receipt has taken.
void writePdfCopy(const QByteArray& pdf, const QString& folder, const QDateTime& now,
                  const std::optional<QString>& customerName, ReceiptResult& result)
{
    if (!QDir().mkpath(folder)) {
        result.pdfError = QStringLiteral("cannot create the receipts folder %1").arg(folder);
        log("stackViewsFromArray2", result.pdfError);
        return;
    }
    QString name = ReceiptRules::receiptFileName(now, customerName);
    // Two receipts in the same second keep both copies.
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = QFileInfo(ReceiptRules::receiptFileName(now, customerName)).completeBaseName() +
               QStringLiteral("-%1.pdf").arg(n);
    result.pdfPath = QDir(folder).filePath(name);
    QString why;
    result.pdfWritten = !pdf.isEmpty() && writeFileAtomically(result.pdfPath, pdf, &why);
    if (!result.pdfWritten)
        result.pdfError = QStringLiteral("cannot write %1: %2").arg(result.pdfPath, why);
    log("stackViewsFromArray2", QStringLiteral("PDF copy [%1] written [%2]")
                                    .arg(result.pdfPath, result.pdfWritten ? "YES" : "NO"));
}

// A job waiting longer than this is reported as stuck.
constexpr int kStuckJobSeconds = 120;

PrinterOutcome printOn(ReceiptPrintService& service, const char* which,
                       const ReceiptPrintJob::Printer& printer, const QByteArray& pdf, int copies)
{
    const char* method = "printOrderSummaryReceipt";
    PrinterOutcome outcome;
    outcome.enabled = printer.enabled;
    if (!outcome.enabled)
        return outcome;
    outcome.name = printer.name;
    if (outcome.name.isEmpty()) {
        outcome.error = QStringLiteral("No %1 Printer Selected...").arg(QLatin1String(which));
        log(method, outcome.error);
        return outcome;
    }
    const PrinterStatus status = service.status(outcome.name, kStuckJobSeconds);
    if (!status.found) {
        outcome.error = QStringLiteral("UNABLE To find %1 Printer with Name = [%2]...")
                            .arg(QLatin1String(which), outcome.name);
        log(method, outcome.error);
        return outcome;
    }
    // A paused queue would keep the job and a rejecting one refuse it: either way the customer
    // leaves without a receipt, so the printer counts as unable to print.
    if (!status.canPrint()) {
        outcome.error = QStringLiteral("%1 Printer [%2] cannot print: %3 [%4]")
                            .arg(QLatin1String(which), outcome.name,
                                 status.paused() ? QStringLiteral("paused")
                                                 : QStringLiteral("not accepting jobs"),
                                 status.reasons.join(QLatin1Char(',')));
        log(method, outcome.error);
        return outcome;
    }
    // Out of paper, jammed, cover open: the queue would take the job and hold it until someone
    // sees to the printer, and then print it beside a later customer's receipt. The receipt
    // counts as not printed now, so that a secondary can stand in. Jobs waiting behind such a
    // problem say nothing more, so they are left out of the judgement.
    PrinterStatus withoutJobs = status;
    withoutJobs.stuckJobs = 0;
    const PrinterHealth health = PrinterHealth::assess(outcome.name, withoutJobs);
    if (health.severity == PrinterSeverity::Error) {
        outcome.error = QStringLiteral("%1 Printer [%2] cannot print: %3")
                            .arg(QLatin1String(which), outcome.name, health.logText);
        log(method, outcome.error);
        return outcome;
    }
    outcome.attempted = true;
    outcome.ok = service.print(outcome.name, pdf, copies, &outcome.error);
    log(method, QStringLiteral("%1 Receipt print operation status = %2")
                    .arg(QLatin1String(which),
                         outcome.ok ? QStringLiteral("Success") : QStringLiteral("FAILED!!!!!")));
    return outcome;
}

} // namespace

QString ReceiptPrintJob::receiptFolder(Settings& settings)
{
    const QString folder = settings.localReceiptPath();
    return folder.isEmpty() ? paths::sharedReceiptsFolder() : folder;
}

ReceiptPrintJob ReceiptPrintJob::fromSettings(Settings& settings, const ReceiptRequest& request,
                                              const std::optional<QString>& customerName)
{
    ReceiptPrintJob job;
    job.request = request;
    job.customerName = customerName;
    job.now = QDateTime::currentDateTime();
    job.folder = receiptFolder(settings);
    job.copies = int(qMax<qint64>(1, settings.printCopies()));
    job.primary = {settings.doPrintReceiptPrimary(), settings.receiptPrinterNamePrimary()};
    job.secondary = {settings.doPrintReceiptSecondary(), settings.receiptPrinterNameSecondary()};
    job.failoverToSecondary = settings.receiptFailoverToSecondary();
    return job;
}

ReceiptResult ReceiptPrintJob::run(ReceiptPrintService& service) const
{
    ReceiptResult result;
    result.copies = copies;
    result.content = ReceiptRules::buildReceiptViewForBody(
        request.order, loadMasterItemList(), request.curTotalImages, customerName, now);
    if (!result.content) {
        log("printOrderSummaryReceipt", QStringLiteral("no order lines: nothing printed"));
        return result;
    }
    result.built = true;

    ReceiptRenderer renderer(*result.content);
    renderer.setLogo(ReceiptRenderer::defaultLogo());
    const QByteArray pdf = renderer.pdf(QStringLiteral("Receipt"));
    writePdfCopy(pdf, folder, now, customerName, result);

    result.primary = printOn(service, "Primary", primary, pdf, copies);
    // A secondary switched off prints nothing, unless the site asked it to stand in for a
    // primary that cannot print.
    Printer second = secondary;
    if (failoverToSecondary && primary.enabled && !result.primary.ok && !secondary.enabled &&
        !secondary.name.isEmpty() && secondary.name != primary.name) {
        second.enabled = true;
        result.secondaryStandsIn = true;
        log("printOrderSummaryReceipt",
            QStringLiteral("Primary Printer [%1] cannot print (%2): the receipt goes to the "
                           "Secondary Printer [%3]")
                .arg(primary.name, result.primary.error, secondary.name));
    }
    if (second.enabled && result.primary.attempted)
        QThread::msleep(pauseBetweenPrintersMs);
    result.secondary = printOn(service, "Secondary", second, pdf, copies);
    QStringList printedOn;
    for (const PrinterOutcome* o : {&result.primary, &result.secondary})
        if (o->ok)
            printedOn << o->name;
    log("printOrderSummaryReceipt",
        printedOn.isEmpty()
            ? QStringLiteral("receipt NOT printed")
            : QStringLiteral("receipt printed on [%1]").arg(printedOn.join(QStringLiteral(", "))));
    return result;
}

} // namespace kivo
