#pragma once

#include "output/ReceiptContent.h"
#include "output/ReceiptStarter.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <optional>

namespace kivo {

class ReceiptPrintService;
class Settings;

// The outcome of one printer.
struct PrinterOutcome
{
    bool enabled = false;   // its prefDoPrintReceipt... setting was on
    bool attempted = false; // a printer of that name existed and a job was tried
    bool ok = false;
    QString name;
    QString error;
};

// The outcome of one receipt.
struct ReceiptResult
{
    bool built = false;
    std::optional<ReceiptContent> content;
    QString pdfPath;
    bool pdfWritten = false;
    QString pdfError;
    int copies = 1;
    PrinterOutcome primary;
    PrinterOutcome secondary;
    // The secondary printer was off but printed because the primary could not (only with
    // prefReceiptFailoverToSecondary on).
    bool secondaryStandsIn = false;

    // On at least one printer, each printer's job having been taken and not failed.
    bool printed() const { return primary.ok || secondary.ok; }
};

// One receipt from its order to the printers, handed over whole to the receipt's worker thread:
// builds the content, writes the PDF copy, prints it on the primary and the secondary printer.
// The settings are read when the job is made (on the main thread), never by run().
struct ReceiptPrintJob
{
    struct Printer
    {
        bool enabled = false;
        QString name;
    };

    ReceiptRequest request;
    std::optional<QString> customerName;
    QDateTime now;
    QString folder; // of the PDF copy
    int copies = 1;
    Printer primary;
    Printer secondary;
    // A secondary that is off takes the receipt when the primary cannot print it.
    bool failoverToSecondary = false;
    // Receipt printers on one USB hub take jobs better a moment apart.
    int pauseBetweenPrintersMs = 500;

    static ReceiptPrintJob fromSettings(Settings& settings, const ReceiptRequest& request,
                                        const std::optional<QString>& customerName);
    // The PDF copy's folder: prefLocalReceiptPath, else the shared receipts folder.
    static QString receiptFolder(Settings& settings);

    // Blocks for as long as the printers take: run it on a worker.
    ReceiptResult run(ReceiptPrintService& service) const;
};

} // namespace kivo

Q_DECLARE_METATYPE(kivo::ReceiptResult)
