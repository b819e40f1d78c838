// kivo-order: prices a basket as the station's order summary would, so that a site can check
// its catalogue and price rules before an event and anyone can replay an order.
#include "OrderTool.h"
#include "ReceiptModule.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Only the receipt is drawn (with fonts, which needs a GUI application; the tool shows no
    // window): without --receipt the tool starts as a core application, with no platform
    // plugin and no font configuration to read.
    bool receipt = false;
    for (int i = 1; i < argc; ++i)
        receipt = receipt || std::strcmp(argv[i], "--receipt") == 0;
    const std::unique_ptr<QCoreApplication> app =
        receipt ? kivo::ordertool::makeReceiptApplication(argc, argv)
                : std::make_unique<QCoreApplication>(argc, argv);
    if (!app)
        return kivo::ordertool::ExitFailure;
    QCoreApplication::setApplicationName(QStringLiteral("kivo-order"));

    QCommandLineParser parser;
    kivo::ordertool::addOptions(parser);
    parser.process(*app);

    // The station's trace lines go to standard error; the tool keeps them out of the way of its
    // own messages unless asked for them.
    FILE* errFile = stderr;
    if (!parser.isSet(QStringLiteral("trace"))) {
        const int keptFd = dup(STDERR_FILENO);
        const int nullFd = open("/dev/null", O_WRONLY);
        if (keptFd >= 0 && nullFd >= 0) {
            errFile = fdopen(keptFd, "w");
            dup2(nullFd, STDERR_FILENO);
        }
        if (nullFd >= 0)
            close(nullFd);
        if (!errFile)
            errFile = stderr;
    }

    QTextStream out(stdout);
    QTextStream err(errFile);
    return kivo::ordertool::run(parser, out, err);
}
