// The station's main program: log file first (so that everything after lands in it), then the
// factory defaults before any window, then the application controller's launch. With
// --self-test it only checks what a visit needs and prints the findings, without a window.
#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/ServiceNotifier.h"
#include "core/Settings.h"
#include "station/Logging.h"
#include "station/OutOfServiceGuard.h"
#include "station/SalesWindow.h"
#include "station/StationApp.h"
#include "station/StationMonitor.h"
#include "station/StationSelfTest.h"
#include "station/Translations.h"
#include "visit/SalesSession.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include <cstring>

namespace {

const char* const kApplicationName = "KivoSalesStation";

// The station's texts in the system locale's language, before anything is shown or printed.
void translate()
{
    kivo::Translations::install(
        kivo::Translations::folders(QStringLiteral(KIVO_BUILD_TRANSLATIONS_DIR)));
}

QString usage()
{
    return QCoreApplication::translate(
        "main", "Usage: kivo-sales-station [--self-test | --help | --version]\n"
                "  --self-test  check the settings, folders, catalogue, bus, print host,\n"
                "               receipt printers, log and disk space; one line each;\n"
                "               exit status 0 only when every check passed\n"
                "  --help       show this text\n"
                "  --version    show the version\n");
}

// The self-test runs before any widget exists, on a core application, so it works without a
// display (over ssh, from a service's pre-start step). Its standard output is its findings, one
// line per check, for the person or script that asked; what it logs on the way goes to the log
// (and under the service manager the journal), as the station's own start does.
int selfTest(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    kivo::Log::setLogFile(kivo::StationApp::logFilePath());
    translate();
    kivo::StationApp::setupFactoryDefaults();
    return kivo::StationSelfTest::runFromCommandLine(kivo::Settings::instance(),
                                                     kivo::StationApp::logFilePath());
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--self-test") == 0)
            return selfTest(argc, argv);
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "--version") == 0) {
            QCoreApplication app(argc, argv);
            translate();
            QTextStream(stdout) << (argv[i][2] == 'h' ? usage()
                                                      : QStringLiteral("kivo-sales-station %1\n")
                                                            .arg(QStringLiteral(KIVO_VERSION)));
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QApplication::setQuitOnLastWindowClosed(false);
    translate();

    const QString logFile = kivo::StationApp::logFilePath();
    if (kivo::Log::setLogFile(logFile))
        kivo::Log::debug(kivo::lcStation(), QStringLiteral("%1 starts, pid %2")
                                                .arg(QLatin1String(kApplicationName))
                                                .arg(QApplication::applicationPid()));

    kivo::StationApp::initialize();
    kivo::Settings& settings = kivo::Settings::instance();
    kivo::StationApp controller(settings);
    controller.installSignalHandlers();
    controller.launch();
    if (controller.isTerminating()) {
        // A stop that came while launching (served by a setup alert's own event loop) has
        // already ended the station's work; the main loop would never hear of it again.
        controller.prepareQuit();
        return 0;
    }

    // The service manager hears when the first customer can be served, and a ping from the main
    // loop while it turns; a frozen station is restarted.
    kivo::ServiceNotifier notifier;
    notifier.startWatchdog();

    // The same checks as --self-test: one that stops sales (an order folder or log that cannot
    // be written, no catalogue) puts the out-of-service screen over the sales window until a
    // later round finds it mended.
    kivo::OutOfServiceGuard outOfService(
        [&settings, logFile] { return kivo::StationSelfTest::allChecks(settings, logFile).run(); });
    if (kivo::SalesWindow* sales = controller.salesWindow()) {
        kivo::SalesSession* session = sales->session();
        outOfService.setCoveredWindow(sales->window());
        // What the service manager shows as the station's status, told once the screen it
        // names is up (its events served); the first one is READY=1 as well.
        auto report = [&notifier, &outOfService, session] {
            using State = kivo::SalesSession::State;
            if (outOfService.isOutOfService())
                notifier.ready(QStringLiteral("Out of service: ") +
                               kivo::SelfTest::salesStoppers(outOfService.lastResults())
                                   .join(QStringLiteral("; ")));
            else if (session->state() == State::SetupError)
                notifier.ready(QStringLiteral("Images or invoice folder missing"));
            else if (session->state() == State::Attract)
                notifier.ready(QStringLiteral("Waiting for a customer"));
        };
        QObject::connect(session, &kivo::SalesSession::stateChanged, &notifier,
                         [&notifier, report](kivo::SalesSession::State state) {
                             if (state == kivo::SalesSession::State::Attract ||
                                 state == kivo::SalesSession::State::SetupError)
                                 QTimer::singleShot(0, &notifier, report);
                         });
        QObject::connect(&outOfService, &kivo::OutOfServiceGuard::outOfServiceChanged, &notifier,
                         [sales, session, report](bool out) {
                             // A share that came back mends the start-up check as well.
                             if (!out && session->state() == kivo::SalesSession::State::SetupError)
                                 sales->validateSetupBeforeStarting();
                             report();
                         });
        if (kivo::StationMonitor* monitor = controller.monitor())
            QObject::connect(&outOfService, &kivo::OutOfServiceGuard::checked, monitor,
                             [monitor](bool inService, const QStringList& stoppers) {
                                 monitor->setOutOfService(!inService, stoppers);
                             });
        outOfService.check();
    }

    const int status = QApplication::exec();
    controller.prepareQuit();
    return status;
}
