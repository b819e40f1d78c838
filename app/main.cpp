// The station's main program: log file first (so that everything after lands in it), then the
// factory defaults before any window, then the application controller's launch.
#include "core/ConsoleLog.h"
#include "core/VELKIT_Log.h"
#include "core/ui/AppController.h"
#include "core/ui/SalesWindowController.h"
#include "output/StationEventHandlers.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KivoSalesStation"));
    QApplication::setQuitOnLastWindowClosed(false);

    VELKIT_Log::setApplicationName(QApplication::applicationName());
    if (VELKIT_Log::setLogFile(kivo::AppController::logFilePath()))
        VELKIT_Log::debug(
            QStringLiteral("KivoSalesStation starts, pid %1").arg(QApplication::applicationPid()));

    kivo::AppController::initialize();
    kivo::AppController controller;
    controller.installSignalHandlers();
    controller.setEventHandlerInstaller([](kivo::AppController* app) {
        auto* handlers = new kivo::StationEventHandlers(app);
        // The quit event closes the open sheets, then ends the visit and the station as the
        // menu's Quit does.
        handlers->setQuitHandler([app] {
            if (kivo::SalesWindowController* sales = app->salesWindowController())
                sales->handleAEQuitApplication();
            app->quitStation();
        });
        handlers->setupForAppleEventsForThisApp();
    });
    controller.launch();
    const int status = QApplication::exec();
    controller.applicationWillTerminate();
    return status;
}
