#pragma once

#include "output/print/ReceiptPrintService.h"

namespace kivo {

// Printing through the CUPS scheduler (libcups): the receipt's PDF is sent as one job with the
// copy count, fitted to the printer's paper by the CUPS filters. With no scheduler there are no
// printers and nothing prints. Every call may block for the scheduler: never call it on the main
// thread.
class CupsReceiptPrinter : public ReceiptPrintService
{
public:
    bool hasPrinter(const QString& name) override;
    bool print(const QString& name, const QByteArray& pdf, int copies, QString* error) override;
    // From the printer's attributes (printer-state, printer-is-accepting-jobs,
    // printer-state-reasons, the marker names and levels) and its active jobs.
    PrinterStatus status(const QString& name, int stuckAfterSeconds) override;
};

} // namespace kivo
