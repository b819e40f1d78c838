// The station's main program: log file first (so that everything after lands in it), then the
// factory defaults before any window, then the application controller's launch.
#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "station/AppController.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KivoSalesStation"));
    QApplication::setQuitOnLastWindowClosed(false);

    kivo::Log::setApplicationName(QApplication::applicationName());
    if (kivo::Log::setLogFile(kivo::AppController::logFilePath()))
        kivo::Log::debug(
            QStringLiteral("KivoSalesStation starts, pid %1").arg(QApplication::applicationPid()));

    kivo::AppController::initialize();
    kivo::AppController controller(kivo::Settings::standardUserDefaults());
    controller.installSignalHandlers();
    controller.launch();
    // A stop that came while launching (served by a setup alert's own event loop) has already
    // ended the station's work; the main loop would never hear of it again.
    const int status = controller.isTerminating() ? 0 : QApplication::exec();
    controller.applicationWillTerminate();
    return status;
}
