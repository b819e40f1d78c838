#pragma once

#include "output/print/ReceiptPrintService.h"

#include <QList>
#include <QMap>
#include <QString>

namespace kivo {

// How much a receipt printer's state matters: a warning is worth a look (ink running low), an
// error means that a receipt sent now would not come out (out of paper, paused, missing).
enum class PrinterSeverity
{
    Ok,
    Warning,
    Error
};

// One receipt printer's health: what the printing service says of it and what that means for the
// staff.
struct PrinterHealth
{
    QString printer;
    PrinterStatus status;
    PrinterSeverity severity = PrinterSeverity::Ok;
    QString staffText; // one line in the staff's words (translated); empty when all is well
    QString logText;   // the same in the log's words; empty when all is well

    // Judges STATUS, the state of the printer named NAME. A state reason carries its level as a
    // suffix ("-report", "-warning", "-error"); one without counts as an error, as IPP has it,
    // except the few that only say what the printer is doing and the "…-low" ones.
    static PrinterHealth assess(const QString& name, const PrinterStatus& status);

    // The status from a printer's attributes as text, as libcups lists a destination's options:
    // "printer-state" as its number, "printer-is-accepting-jobs" as true/false, and the lists
    // ("printer-state-reasons", "marker-names", "marker-levels", "marker-low-levels") comma
    // separated. Stuck jobs are not among them.
    static PrinterStatus fromAttributes(const QMap<QString, QString>& attributes);

    // The worst severity among HEALTH; Ok when it is empty.
    static PrinterSeverity worst(const QList<PrinterHealth>& health);

    // For the status page.
    static QString stateText(PrinterStatus::State state);
    static QString severityText(PrinterSeverity severity);

    bool operator==(const PrinterHealth&) const = default;
};

} // namespace kivo
