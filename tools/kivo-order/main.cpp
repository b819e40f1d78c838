// kivo-order: prices a basket as the station's order summary would, so that a site can check
// its catalogue and price rules before an event and anyone can replay an order.
#include "OrderTool.h"

#include <QGuiApplication>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // The receipt is drawn with fonts, which needs a GUI application; the tool shows no window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kivo-order"));

    QCommandLineParser parser;
    kivo::ordertool::addOptions(parser);
    parser.process(app);

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
