#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// Prints a receipt, given as a PDF, on a named printer. The station uses CupsReceiptPrinter;
// tests of the layers above give their own. Called on the receipt's worker thread, one call at a
// time, so it may block.
class ReceiptPrintService
{
public:
    virtual ~ReceiptPrintService() = default;
    virtual bool hasPrinter(const QString& name) = 0;
    // Prints COPIES copies of PDF; false (with ERROR) when the job could not be made or sent.
    virtual bool print(const QString& name, const QByteArray& pdf, int copies, QString* error) = 0;
};

} // namespace kivo
