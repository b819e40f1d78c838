#pragma once

#include "core/SelfTest.h"

namespace kivo {

class Settings;

// Every check the station runs before it sells (and `kivo-sales-station --self-test` prints):
// the core's files and folders, then the catalogue, the session bus, the print host, the
// receipt printers and the state of the photo cache. Needs no widgets, and is safe on a worker
// thread.
namespace StationSelfTest {

SelfTest allChecks(Settings& settings, const QString& logFile);

// The catalogue loads from the resources folder and offers at least one package; the pass
// names the folder it came from.
CheckResult catalogueLoads(Settings& settings);
// The session bus answers.
CheckResult sessionBusReachable();
// The print host owns its name on the session bus.
CheckResult printHostReachable();
// Each receipt printer the settings turn on is known to CUPS, accepts jobs and is not paused.
CheckResult receiptPrintersReady(const Settings& settings);

// Runs every check, writes one line each to standard output, and answers the exit status: 0
// only when all passed.
int runFromCommandLine(Settings& settings, const QString& logFile);

} // namespace StationSelfTest

} // namespace kivo
