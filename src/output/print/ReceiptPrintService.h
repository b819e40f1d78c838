#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kivo {

// One supply of a printer (ink, toner, ribbon, paper roll) as its driver reports it.
struct PrinterMarker
{
    QString name;
    int level = -1;    // percent; below 0 when the driver does not know
    int lowLevel = -1; // the driver's own "low" mark in percent; below 0 when it gives none

    bool operator==(const PrinterMarker&) const = default;
};

// What the printing service says of one printer now.
struct PrinterStatus
{
    enum class State
    {
        Idle,
        Processing,
        Stopped
    };

    bool found = false;
    State state = State::Idle;
    bool accepting = true; // takes new jobs
    QStringList reasons;   // the service's own keywords ("media-empty-error", ...)
    QList<PrinterMarker> markers;
    int stuckJobs = 0; // jobs waiting (pending or held) longer than the limit asked for

    // Holds its jobs (stopped, "paused" to the staff).
    bool paused() const { return state == State::Stopped; }
    // A job sent now would print.
    bool canPrint() const { return found && accepting && !paused(); }

    bool operator==(const PrinterStatus&) const = default;
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
