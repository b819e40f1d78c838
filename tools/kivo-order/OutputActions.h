#pragma once

#include <QCommandLineParser>
#include <QTextStream>

namespace kivo {
class PackageCatalogue;
class PricedSession;
class Settings;
} // namespace kivo

namespace kivo::ordertool {

// --write, --announce and --receipt: what the station does with a released order.
void addOutputOptions(QCommandLineParser& parser);

// Runs the output options that are set, in the station's order: order files, receipt, host
// announcement. Returns the exit status (ExitOk when none is set).
int runOutputActions(const QCommandLineParser& parser, const PricedSession& session,
                     const PackageCatalogue& catalogue, Settings& settings, QTextStream& out,
                     QTextStream& err);

} // namespace kivo::ordertool
