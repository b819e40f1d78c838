#include "station/AppController.h"

#include "core/ConsoleLog.h"
#include "core/FactoryDefaults.h"
#include "core/NotificationCenter.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/StartupSteps.h"
#include "core/Log.h"
#include "output/StationEventHandlers.h"
#include "station/DalosAddition.h"
#include "station/SalesWindowController.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QSysInfo>
#include <QTimer>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kivo {

namespace {

const QString kOpenPrefs = QStringLiteral("openPreferences");
const QString kStartOver = QStringLiteral("startOverSalesController");

int g_signalPipe[2] = {-1, -1};

void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &byte, 1);
}

// The station's name: the program's name, "KivoSalesStation" for the station itself.
QString applicationName()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("KivoSalesStation") : name;
}

} // namespace

void AppController::initialize()
{
    setupFactoryDefaults();
    consoleLog("AppController", "initialize", QStringLiteral("log file = [%1]").arg(logFilePath()));
    Settings::standardUserDefaults().removeObjectForKey(QStringLiteral("kivoIsForQor"));
}

bool AppController::setupFactoryDefaults()
{
    return kivo::setupFactoryDefaults(
        Settings::standardUserDefaults(),
        paths::resourcePath(QStringLiteral("FactoryDefaults"), QStringLiteral("plist")));
}

QString AppController::logFilePath()
{
    const QString path = paths::logFile(applicationName());
    return path.isEmpty() ? paths::logFile(QStringLiteral("KivoSalesStation")) : path;
}

AppController::AppController(QObject* parent) : QObject(parent), m_children(this)
{
    ibAppName = applicationName();
    ibAboutName = QStringLiteral("About %1...").arg(ibAppName);
    ibHideName = QStringLiteral("Hide %1...").arg(ibAppName);
    ibQuitName = QStringLiteral("Quit %1...").arg(ibAppName);
    m_preferencesOpener = [this](QWidget* parentWindow) {
        // Until the preferences window exists the operator edits the settings file; continuing
        // starts the visit over as closing the preferences does.
        auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Preferences"),
                                    QStringLiteral("The station's settings are kept in:\n%1")
                                        .arg(Settings::standardUserDefaults().storePath()),
                                    QMessageBox::NoButton, parentWindow);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->addButton(QStringLiteral("Continue"), QMessageBox::AcceptRole);
        connect(box, &QMessageBox::finished, this,
                [] { NotificationCenter::defaultCenter().postNotification(kStartOver); });
        box->open();
    };
}

AppController::~AppController()
{
    delete ibMainMenuBar;
    delete _salesWindowController;
    if (m_signalNotifier) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
    }
}

void AppController::awakeFromNib()
{
    if (!ibMainMenuBar) {
        ibMainMenuBar = new QMenuBar();
        QMenu* menu = ibMainMenuBar->addMenu(ibAppName);
        menu->addAction(ibAboutName,
                        [this] { QMessageBox::about(nullptr, ibAboutName, ibAppName); });
        menu->addAction(QStringLiteral("Preferences..."), this,
                        &AppController::ibOpenPreferencesPanel);
        menu->addSeparator();
        menu->addAction(ibHideName, [this] {
            if (_salesWindowController)
                _salesWindowController->window()->showMinimized();
        });
        menu->addAction(ibQuitName, this, &AppController::quitStation);
    }
    applyMenuBarVisibility();

    auto& center = NotificationCenter::defaultCenter();
    center.addObserver(this, kOpenPrefs, [this](const Notification&) {
        QMetaObject::invokeMethod(
            this, [this] { handleOpenPrefsNotification(); }, Qt::QueuedConnection);
    });
    center.addObserver(this, kStartOver, [this](const Notification&) {
        QMetaObject::invokeMethod(
            this, [this] { handleStartOverSalesControllerNotification(); }, Qt::QueuedConnection);
    });

    // The station's own order announcements, as every program on the bus sees them.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        bus.connect(QString(), QStringLiteral("/org/kivo/DistributedNotification"),
                    QStringLiteral("org.kivo.DistributedNotification1"), QStringLiteral("Posted"),
                    this, SLOT(handleKivoSalesStationNotification(QString, QVariantMap)));
}

void AppController::handleKivoSalesStationNotification(const QString& name,
                                                       const QVariantMap& userInfo)
{
    if (name != QLatin1String("kivoSalesStationNotification"))
        return;
    QStringList fields;
    for (auto it = userInfo.cbegin(); it != userInfo.cend(); ++it)
        fields.append(QStringLiteral("%1 = %2").arg(it.key(), it.value().toString()));
    consoleLog("AppController", "handleKivoSalesStationNotification",
               fields.join(QStringLiteral("; ")));
}

void AppController::applyMenuBarVisibility()
{
    if (!ibMainMenuBar)
        return;
    ibMainMenuBar->hide();
    if (Settings::standardUserDefaults().boolForKey(sPrefDoShowMenuBar))
        ibMainMenuBar->show();
}

void AppController::applicationWillFinishLaunching()
{
    applyOperatingSystemVersion(Settings::standardUserDefaults(), QSysInfo::productVersion());
}

void AppController::applicationDidFinishLaunching()
{
    Settings& settings = Settings::standardUserDefaults();

    const QString childFolder = QCoreApplication::applicationDirPath();
    for (const char* key : {sPrefLaunchChildApp1, sPrefLaunchChildApp2, sPrefLaunchChildApp3}) {
        const QString name = settings.stringForKey(QString::fromLatin1(key));
        if (name.trimmed().isEmpty())
            continue;
        launchChildProcess(ChildProcessSupervisor::recordFor(childFolder, name));
    }

    createConfiguredFolders(settings);

    const SharedFolderResult shared = ensureSharedOrderFolder(settings, paths::sharedOrderFolder());
    if (!shared.ok)
        showSetupProblem(shared.path, shared.error);

    QString error;
    if (!settings.synchronize(&error))
        consoleLog("AppController", "applicationDidFinishLaunching",
                   QStringLiteral("cannot save the settings: %1").arg(error));
    m_settingsFlushTimer = new QTimer(this);
    m_settingsFlushTimer->setInterval(2000);
    connect(m_settingsFlushTimer, &QTimer::timeout, this, [] {
        if (Settings::standardUserDefaults().hasUnsavedChanges())
            Settings::standardUserDefaults().synchronize();
    });
    m_settingsFlushTimer->start();

    // The host link's handlers. The quit event closes the open sheets, then ends the visit and
    // the station as the menu's Quit does.
    auto* handlers = new StationEventHandlers(this);
    handlers->setQuitHandler([this] {
        if (_salesWindowController)
            _salesWindowController->handleAEQuitApplication();
        quitStation();
    });
    handlers->setupForAppleEventsForThisApp();

    _salesWindowController = new SalesWindowController(this);
    QWidget* window = _salesWindowController->window();
    if (ibMainMenuBar && window->layout())
        window->layout()->setMenuBar(ibMainMenuBar);
    moveMainWindowToExternalMonitor(window);
    window->show();
    _salesWindowController->fixThisView();
    _salesWindowController->validateSetupBeforeStarting();
}

void AppController::launch()
{
    awakeFromNib();
    applicationWillFinishLaunching();
    applicationDidFinishLaunching();
}

bool AppController::launchChildProcess(const QVariantMap& record)
{
    return m_children.launchChildProcess(record);
}

void AppController::showSetupProblem(const QString& path, const QString& error)
{
    const QString message = QStringLiteral("PROBLEM WITH SETUP!!!!...");
    const QString info = QStringLiteral("Unable to create needed folder at path:\n[%1]\nError:\n%2")
                             .arg(path, error);
    consoleLog("AppController", "applicationDidFinishLaunching", message + QLatin1Char(' ') + info);
    QApplication::beep();
    if (m_alertPresenter) {
        m_alertPresenter(message, info);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ibAppName, message, QMessageBox::Ok);
    box.setInformativeText(info);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

int AppController::applicationShouldTerminate()
{
    if (!_salesWindowController)
        return 0;
    _salesWindowController->forceSessionToClose();
    return 1;
}

void AppController::applicationWillTerminate()
{
    if (m_terminating)
        return;
    m_terminating = true;
    m_children.quitAllChildren();
    if (m_settingsFlushTimer)
        m_settingsFlushTimer->stop();
    Settings::standardUserDefaults().synchronize();
    kivo::Log::debug(QStringLiteral("%1 ends").arg(ibAppName));
}

void AppController::quitStation()
{
    if (applicationShouldTerminate() == 0) {
        consoleLog("AppController", "quitStation", QStringLiteral("Quit refused"));
        return;
    }
    applicationWillTerminate();
    QCoreApplication::quit();
}

void AppController::applicationDidChangeScreenParameters()
{
    if (_salesWindowController)
        _salesWindowController->sizeWindowToMainScreen();
}

void AppController::ibOpenPreferencesPanel()
{
    QWidget* parentWindow = _salesWindowController ? _salesWindowController->window() : nullptr;
    QMetaObject::invokeMethod(
        this,
        [this, parentWindow] {
            if (m_preferencesOpener)
                m_preferencesOpener(parentWindow);
        },
        Qt::QueuedConnection);
}

void AppController::handleOpenPrefsNotification()
{
    ibOpenPreferencesPanel();
}

void AppController::handleStartOverSalesControllerNotification()
{
    if (!_salesWindowController)
        return;
    QWidget* window = _salesWindowController->window();
    window->raise();
    window->activateWindow();
    applyMenuBarVisibility();
    moveMainWindowToExternalMonitor(window);
    QMetaObject::invokeMethod(
        _salesWindowController, [c = _salesWindowController] { c->startOver(); },
        Qt::QueuedConnection);
}

void AppController::installSignalHandlers()
{
    if (m_signalNotifier)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    m_signalNotifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[1], &byte, 1);
        consoleLog("AppController", "signal", QStringLiteral("stop requested"));
        // A service manager's stop is not refused: the station ends even without a sales window.
        if (applicationShouldTerminate() == 0)
            consoleLog("AppController", "signal", QStringLiteral("no sales window"));
        applicationWillTerminate();
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void AppController::setAlertPresenter(std::function<void(const QString&, const QString&)> presenter)
{
    m_alertPresenter = std::move(presenter);
}

void AppController::setPreferencesOpener(std::function<void(QWidget*)> opener)
{
    m_preferencesOpener = std::move(opener);
}

} // namespace kivo
