#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// What the printing service says of one printer now.
struct PrinterStatus
{
    bool found = false;
    bool accepting = true; // takes new jobs
    bool paused = false;   // holds its jobs (stopped)
    QString reasons;       // the service's own words, for the log
    int stuckJobs = 0;     // jobs waiting (pending or held) longer than the limit asked for

    // A job sent now would print.
    bool canPrint() const { return found && accepting && !paused; }
};

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
    // The printer's state; jobs waiting longer than STUCKAFTERSECONDS count as stuck. A service
    // that knows no more than the names answers from hasPrinter.
    virtual PrinterStatus status(const QString& name, int stuckAfterSeconds)
    {
        Q_UNUSED(stuckAfterSeconds);
        PrinterStatus s;
        s.found = hasPrinter(name);
        return s;
    }
};

} // namespace kivo
