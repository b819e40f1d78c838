#pragma once

#include <QCommandLineParser>
#include <QTextStream>

namespace kivo::ordertool {

// Exit statuses of kivo-order.
enum ExitStatus
{
    ExitOk = 0,
    ExitFailure = 1,   // usage, catalogue or settings problems
    ExitBadBasket = 2, // the basket was refused; nothing was priced
};

// Declares the tool's options on PARSER. New options are added here.
void addOptions(QCommandLineParser& parser);

// Runs the tool on the parsed options: loads the settings and the catalogue as the station does,
// reads and prices the basket, and prints it (as text, or as JSON with --json). Further actions
// on the priced order (writing it, announcing it) follow the printing here. Returns the exit
// status.
int run(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);

} // namespace kivo::ordertool
