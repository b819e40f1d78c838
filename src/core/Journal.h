#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The systemd journal as a second home of the log's lines, with fields an operator filters on
// ("journalctl --user -u kivo-sales-station KIVO_EVENT=release"). Only a station started by the
// service manager writes there: one started from a terminal, a test or a tool would otherwise
// fill the user's journal with lines nobody looks for.
namespace kivo::journal {

// The journal's priorities (syslog's levels).
enum Priority
{
    Error = 3,
    Warning = 4,
    Info = 6,
    Debug = 7,
};

struct Entry
{
    Priority priority = Info;
    QString message;
    // What happened ("visit-started", "release", "release-failed", "printer", "out-of-service",
    // ...); empty for a plain log line.
    QString event;
    // The identity that names the order's files; nothing else of the customer is sent.
    QString order;
};

// The "NAME=value" fields of ENTRY as the journal takes them, STATION naming the station.
// A value keeps its newlines (the journal stores it whole); empty fields are left out.
QList<QByteArray> fields(const Entry& entry, const QString& station);

// Whether lines go to the journal: the program was built with libsystemd and runs under the
// service manager (it sets INVOCATION_ID for a unit, JOURNAL_STREAM when output goes to the
// journal). Decided once, at the first call.
bool enabled();
// The station's name in KIVO_STATION: KIVO_STATION_NAME when set, else the host's name.
QString stationName();
// Sends ENTRY when enabled(); never blocks for long and never fails the caller.
void send(const Entry& entry);

} // namespace kivo::journal
