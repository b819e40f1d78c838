#include "station/StationApp.h"

#include "admin/CatalogueEditor.h"
#include "admin/ui/PreferencesSheet.h"
#include "admin/ui/ReceiptPrintDialog.h"
#include "core/CheckedSettings.h"
#include "core/ConsoleLog.h"
#include "core/FactoryDefaults.h"
#include "core/Log.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"
#include "core/StartupSteps.h"
#include "output/OrderReleaseBridge.h"
#include "output/ReleaseJournal.h"
#include "output/SessionBus.h"
#include "output/StationEventHandlers.h"
#include "output/print/CupsReceiptPrinter.h"
#include "output/print/PrinterWatch.h"
#include "output/print/ReceiptPrinting.h"
#include "screens/OrderSummaryModel.h"
#include "screens/PhotoGridView.h"
#include "screens/SellingCoordinator.h"
#include "screens/SellingScreen.h"
#include "station/Logging.h"
#include "station/PreparedPhotos.h"
#include "station/SalesWindow.h"
#include "station/ScreenPlacement.h"
#include "station/StationMetrics.h"
#include "station/StationMonitor.h"
#include "station/StationStatusBus.h"
#include "station/VisitIdleGuard.h"
#include "visit/SalesSession.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>
#include <QSysInfo>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <memory>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kivo {

namespace {

int g_signalPipe[2] = {-1, -1};
// Wakes the stop watchdog; written by the signal handler, read by the watchdog's thread.
int g_watchdogPipe[2] = {-1, -1};

// A service manager waits 5 s after SIGTERM before it kills; the clean stop gets 4 of them, the
// rest is for the log line and the process's end.
constexpr auto kCleanStopLimit = std::chrono::milliseconds(4000);
constexpr auto kWatchdogLogLimit = std::chrono::milliseconds(300);

void forwardSignal(int signal)
{
    const char byte = char(signal);
    const int saved = errno;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[0], &byte, 1);
    if (g_watchdogPipe[1] >= 0)
        n = ::write(g_watchdogPipe[1], &byte, 1);
    errno = saved;
}

// Waits for the first stop signal, then gives the clean stop its time. A stop that does not end
// the process by then (the main thread held in a read of a share that stopped answering, a
// release or a thread pool that does not finish) is cut short here: the files of a release are
// transactions that the next start finishes or rolls back, so ending at once tears nothing.
void watchStop()
{
    char signal = 0;
    ssize_t got = 0;
    do {
        got = ::read(g_watchdogPipe[0], &signal, 1);
    } while (got < 0 && errno == EINTR);
    if (got != 1)
        return; // no stop was asked for: nothing to watch
    std::this_thread::sleep_for(kCleanStopLimit);
    // The log's lock may be held by the very thread that is stuck, so the line is written from
    // a thread of its own, and the end does not wait for it for long.
    auto written = std::make_shared<std::atomic<bool>>(false);
    try {
        std::thread([written, signal] {
            const QString line = QStringLiteral("stop (signal %1) did not finish within %2 ms; "
                                                "ending at once")
                                     .arg(int(signal))
                                     .arg(kCleanStopLimit.count());
            consoleLog(lcStation(), "StationApp", "watchStop", line);
            kivo::Log::err(lcStation(), QStringLiteral("StationApp watchStop: %1").arg(line));
            written->store(true);
        }).detach();
    } catch (const std::system_error&) {
    }
    const auto giveUp = std::chrono::steady_clock::now() + kWatchdogLogLimit;
    while (!written->load() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::_exit(128 + signal);
}

// The station's name: the program's name, "KivoSalesStation" for the station itself.
QString applicationName()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("KivoSalesStation") : name;
}

} // namespace

void StationApp::initialize()
{
    setupFactoryDefaults();
    consoleLog(lcStation(), "StationApp", "initialize",
               QStringLiteral("log file = [%1]").arg(logFilePath()));
    Settings::instance().remove(Setting::kivoIsForQor);
}

bool StationApp::setupFactoryDefaults()
{
    return kivo::setupFactoryDefaults(
        Settings::instance(),
        paths::resourcePath(QStringLiteral("FactoryDefaults"), QStringLiteral("plist")));
}

QString StationApp::logFilePath()
{
    const QString path = paths::logFile(applicationName());
    return path.isEmpty() ? paths::logFile(QStringLiteral("KivoSalesStation")) : path;
}

StationApp::StationApp(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_appName(applicationName()), m_children(this)
{
    m_preferencesOpener = [this](QWidget* parentWindow) {
        if (!m_preferences) {
            m_preferences = new PreferencesSheet(m_settings, parentWindow);
            m_preferences->setStaffNotices(&m_staffNotices);
            m_preferences->setPrinterWatch(m_printerWatch);
            connect(m_preferences, &PreferencesSheet::cropEditorRequested, this, [this] {
                if (m_salesWindow)
                    m_salesWindow->openCropEditor();
            });
            connect(m_preferences, &PreferencesSheet::sheetEnded, this, [this](SheetReturn code) {
                if (code == SheetReturn::Cancelled)
                    quitStation();
                else
                    startOverSales();
            });
            connect(m_preferences->catalogue(), &CatalogueEditor::saved, this, [this] {
                if (m_salesWindow)
                    m_salesWindow->catalogueSaved();
            });
        }
        // The menu bar stays hidden while the sheet is over the sales window; with no window to
        // hold the sheet, the menu is the way back.
        if (m_mainMenuBar)
            m_mainMenuBar->setVisible(parentWindow == nullptr);
        m_preferences->openSheet();
    };
}

StationApp::~StationApp()
{
    kivo::Log::setWriteProblemHandler(nullptr);
    if (m_salesWindow)
        if (auto* receipt = dynamic_cast<ReceiptPrinting*>(
                m_salesWindow->session()->releaseBridge()->receiptStarter()))
            receipt->setPrintPanel(nullptr);
    delete m_mainMenuBar;
    delete m_idleGuard;
    delete m_salesWindow;
    if (m_signalNotifier) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
    }
}

void StationApp::setUpInterface()
{
    if (!m_mainMenuBar) {
        m_mainMenuBar = new QMenuBar();
        QMenu* menu = m_mainMenuBar->addMenu(m_appName);
        const QString about = tr("About %1...").arg(m_appName);
        menu->addAction(about, [this, about] { QMessageBox::about(nullptr, about, m_appName); });
        // The menu asks for the administrator code as the keypad does: a menu bar left showing
        // is no way round it.
        menu->addAction(tr("Preferences..."), this, [this] {
            if (m_salesWindow)
                m_salesWindow->session()->openPreference();
        });
        menu->addSeparator();
        menu->addAction(tr("Hide %1...").arg(m_appName), [this] {
            if (m_salesWindow)
                m_salesWindow->window()->showMinimized();
        });
        menu->addAction(tr("Quit %1...").arg(m_appName), this, [this] {
            if (m_salesWindow)
                m_salesWindow->session()->askForQuitCode();
        });
    }
    applyMenuBarVisibility();

    // A customer screen switched on (or off) after the start gets the window all the same.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const auto changed = &StationApp::onScreensChanged;
        connect(app, &QGuiApplication::screenAdded, this, changed, Qt::UniqueConnection);
        connect(app, &QGuiApplication::screenRemoved, this, changed, Qt::UniqueConnection);
        connect(app, &QGuiApplication::primaryScreenChanged, this, changed, Qt::UniqueConnection);
    }

    // The station's own order announcements, as every program on the bus sees them.
    // A bus that accepts but never answers must not hold up the station's start.
    QDBusConnection bus = kivo::sessionBus();
    if (bus.isConnected())
        bus.connect(QString(), QStringLiteral("/org/kivo/DistributedNotification"),
                    QStringLiteral("org.kivo.DistributedNotification1"), QStringLiteral("Posted"),
                    this, SLOT(onStationNotification(QString, QVariantMap)));
}

void StationApp::onStationNotification(const QString& name, const QVariantMap& userInfo)
{
    if (name != QLatin1String("kivoSalesStationNotification"))
        return;
    QStringList fields;
    for (auto it = userInfo.cbegin(); it != userInfo.cend(); ++it)
        fields.append(QStringLiteral("%1 = %2").arg(it.key(), it.value().toString()));
    consoleLog(lcStation(), "StationApp", "onStationNotification",
               fields.join(QStringLiteral("; ")));
}

void StationApp::applyMenuBarVisibility()
{
    if (!m_mainMenuBar)
        return;
    m_mainMenuBar->hide();
    if (m_settings.doShowMenuBar())
        m_mainMenuBar->show();
}

void StationApp::prepareLaunch()
{
    applyOperatingSystemVersion(m_settings, QSysInfo::productVersion());
}

void StationApp::finishLaunch()
{
    Settings& settings = m_settings;

    const QString childFolder = QCoreApplication::applicationDirPath();
    for (const QString& name :
         {settings.launchChildApp1(), settings.launchChildApp2(), settings.launchChildApp3()}) {
        if (name.trimmed().isEmpty())
            continue;
        launchChildProcess(ChildProcessSupervisor::programFor(childFolder, name));
    }

    createConfiguredFolders(settings);

    const SharedFolderResult shared = ensureSharedOrderFolder(settings, paths::sharedOrderFolder());
    if (!shared.ok) {
        showSetupProblem(shared.path, shared.error);
        // The alert's own event loop served a stop: the station has already ended its work.
        if (m_terminating)
            return;
    } else {
        // A release cut short by a crash or a power cut is finished or rolled back, and one
        // that was written but never announced reaches the print host now.
        ReleaseJournal::recover(settings);
    }

    QString error;
    if (!settings.sync(&error))
        consoleLog(lcStation(), "StationApp", "finishLaunch",
                   QStringLiteral("cannot save the settings: %1").arg(error));
    m_settingsFlushTimer = new QTimer(this);
    m_settingsFlushTimer->setInterval(2000);
    connect(m_settingsFlushTimer, &QTimer::timeout, this, &StationApp::flushSettings);
    m_settingsFlushTimer->start();
    refreshSettingsNotices();

    // The host link's handlers. The quit event closes the open sheets, then ends the visit and
    // the station as the menu's Quit does.
    auto* handlers = new StationEventHandlers(this);
    handlers->setQuitHandler([this] {
        if (m_salesWindow)
            m_salesWindow->onHostQuit();
        quitStation();
    });
    handlers->registerEventHandlers();

    m_salesWindow = new SalesWindow(m_settings, this);
    m_salesWindow->setStaffNotices(&m_staffNotices);
    // The visit asks for the preferences; they open after the keypad's answer is done with.
    connect(m_salesWindow->session(), &SalesSession::preferencesRequested, this,
            &StationApp::openPreferencesPanel, Qt::QueuedConnection);
    m_idleGuard = new VisitIdleGuard(*m_salesWindow, m_settings);
    m_printerWatch = new PrinterWatch(std::make_shared<CupsReceiptPrinter>(), this);
    connect(m_printerWatch, &PrinterWatch::noticeChanged, this,
            [this](const QString& text) { m_staffNotices.set(QStringLiteral("printer"), text); });
    // A log that cannot be written (a full disk) loses lines until space returns: staff are
    // told. The log reports from whichever thread was logging.
    kivo::Log::setWriteProblemHandler([this](const QString& text) {
        QMetaObject::invokeMethod(
            this, [this, text] { m_staffNotices.set(QStringLiteral("log"), text); },
            Qt::QueuedConnection);
    });
    m_staffNotices.set(QStringLiteral("log"), kivo::Log::writeProblem());
    // A release whose files were not written: the customer is told in plain words, the staff
    // what failed (from the release's worker, so queued to this thread).
    connect(m_salesWindow->session()->releaseBridge(), &OrderReleaseBridge::staffNoticeChanged,
            this,
            [this](const QString& text) { m_staffNotices.set(QStringLiteral("release"), text); });
    SalesWindow* salesWindow = m_salesWindow;
    connect(&m_staffNotices, &StaffNotices::changed, salesWindow,
            [this, salesWindow] { salesWindow->setStaffNotice(m_staffNotices.text()); });
    salesWindow->setStaffNotice(m_staffNotices.text());
    m_printerWatch->setPrinters(PrinterWatch::receiptPrinters(m_settings));
    m_printerWatch->start();
    QWidget* window = m_salesWindow->window();
    // With prefAlwaysShowPrintPanel on, the receipt asks Qt's print dialog on the sales window.
    m_printPanel = std::make_unique<ReceiptPrintDialog>(window);
    if (auto* receipt = dynamic_cast<ReceiptPrinting*>(
            m_salesWindow->session()->releaseBridge()->receiptStarter()))
        receipt->setPrintPanel(m_printPanel.get());
    if (m_mainMenuBar && window->layout())
        window->layout()->setMenuBar(m_mainMenuBar);
    moveMainWindowToExternalMonitor(window);
    window->show();
    m_salesWindow->fitToScreen();
    // Photos are made ready for the screens once the folders are known to be usable, with the
    // preview's size as the window laid it out.
    SalesWindow* sales = m_salesWindow;
    m_preparedPhotos = new PreparedPhotos(
        m_settings,
        [sales] {
            const PhotoGridView* grid = sales->sellingScreen()->photoGrid();
            return grid->isVisible() ? grid->previewBound() : QSize();
        },
        this);
    connect(sales->sellingCoordinator(), &SellingCoordinator::photosLoading, m_preparedPhotos,
            &PreparedPhotos::holdOff);
    connect(sales->session(), &SalesSession::setupValidated, m_preparedPhotos,
            &PreparedPhotos::start);
    connect(
        sales->session(), &SalesSession::fileSystemChecked, this,
        [this](const QString& problem) { m_staffNotices.set(QStringLiteral("share"), problem); });
    connect(m_preparedPhotos, &PreparedPhotos::cacheProblemChanged, this,
            [this](const QString& problem) {
                m_staffNotices.set(QStringLiteral("photo-cache"), problem);
            });
    startMonitor();
    m_salesWindow->validateSetupBeforeStarting();
}

void StationApp::feedMonitor(StationMonitor& monitor, SalesWindow& sales)
{
    SalesSession* session = sales.session();
    OrderSummaryModel* summary = sales.orderSummaryModel();
    auto previous = std::make_shared<SalesSession::State>(session->state());
    connect(session, &SalesSession::stateChanged, &monitor,
            [&monitor, previous](SalesSession::State state) {
                using State = SalesSession::State;
                // A visit starts when the customer's ID takes them off the attract screen (to
                // the search, or to the prompt for more IDs).
                if (*previous == State::Attract &&
                    (state == State::Searching || state == State::CollectingIDs))
                    monitor.visitStarted();
                if (state == State::SetupError)
                    monitor.setSetupProblem(tr("Images or invoice folder missing"));
                else if (state == State::Attract)
                    monitor.setSetupProblem(QString());
                *previous = state;
            });
    // The release is made from the order summary: its total is what the customer pays.
    connect(session, &SalesSession::releaseFinished, &monitor,
            [&monitor, session, summary](bool ok, const QString& message) {
                if (ok) {
                    QMap<QString, qint64> items;
                    for (const SessionOrderEntry& entry : summary->orderList())
                        items[entry.pkgType()] += entry.pkgQty();
                    monitor.orderReleased(session->customerIdNumber(),
                                          double(summary->totals().total), items);
                } else {
                    monitor.releaseFailed(session->customerIdNumber(), message);
                }
            });
}

void StationApp::startMonitor()
{
    m_monitor = new StationMonitor(QStringLiteral(KIVO_VERSION), this);
    feedMonitor(*m_monitor, *m_salesWindow);
    connect(m_printerWatch, &PrinterWatch::noticeChanged, m_monitor,
            &StationMonitor::setPrinterNotice);
    m_monitor->setPrinterNotice(m_printerWatch->notice());
    connect(&m_staffNotices, &StaffNotices::changed, m_monitor,
            [this] { m_monitor->setStaffNotice(m_staffNotices.text()); });
    m_monitor->setStaffNotice(m_staffNotices.text());
    m_statusBus = new StationStatusBus(*m_monitor, this);
    QString error;
    if (!m_statusBus->start(&error))
        consoleLog(lcStation(), "StationApp", "startMonitor",
                   QStringLiteral("no status on the bus: %1").arg(error));
    startMetrics();
}

void StationApp::startMetrics()
{
    // Read at the start: a port changed in the preferences is served from the next start.
    const qint64 port = m_settings.metricsPort();
    if (port <= 0 || port > 65535)
        return;
    m_metrics = new StationMetrics(*m_monitor, this);
    connect(m_printerWatch, &PrinterWatch::healthChanged, m_metrics,
            &StationMetrics::setPrinterHealth);
    m_metrics->setPrinterHealth(m_printerWatch->health());
    QString error;
    if (m_metrics->start(quint16(port), &error)) {
        consoleLog(lcStation(), "StationApp", "startMetrics",
                   QStringLiteral("metrics served on 127.0.0.1:%1/metrics").arg(port));
        return;
    }
    // The station sells on without them; the staff learn why the collector sees nothing.
    consoleLog(lcStation(), "StationApp", "startMetrics",
               QStringLiteral("no metrics: %1").arg(error));
    m_staffNotices.set(QStringLiteral("metrics"),
                       tr("The metrics cannot be served on port %1.").arg(port));
}

void StationApp::flushSettings()
{
    // Changes that could not be written (a full disk) stay in memory and are written here once
    // there is room again; until then the staff know that they would be lost with the station.
    if (!m_settings.hasUnsavedChanges()) {
        m_staffNotices.clear(QStringLiteral("settings-save"));
        return;
    }
    QString error;
    if (m_settings.sync(&error)) {
        if (!m_staffNotices.line(QStringLiteral("settings-save")).isEmpty())
            consoleLog(lcStation(), "StationApp", "flushSettings",
                       QStringLiteral("settings saved again"));
        m_staffNotices.clear(QStringLiteral("settings-save"));
        return;
    }
    const QString text =
        tr("The settings cannot be saved (%1); the changes are kept and saved once there is room.")
            .arg(error);
    if (m_staffNotices.line(QStringLiteral("settings-save")) != text)
        consoleLog(lcStation(), "StationApp", "flushSettings", text);
    m_staffNotices.set(QStringLiteral("settings-save"), text);
}

void StationApp::refreshSettingsNotices()
{
    const QStringList problems = checkedSettingsProblems(m_settings);
    m_staffNotices.set(
        QStringLiteral("settings"),
        problems.isEmpty()
            ? QString()
            : tr("Settings that cannot be used: %1").arg(problems.join(QStringLiteral("; "))));
    m_staffNotices.set(QStringLiteral("codes"), SiteCodes::factoryCodesNotice(m_settings));
}

void StationApp::launch()
{
    setUpInterface();
    prepareLaunch();
    finishLaunch();
}

bool StationApp::launchChildProcess(const ChildProgram& child)
{
    return m_children.launchChildProcess(child);
}

void StationApp::showSetupProblem(const QString& path, const QString& error)
{
    const QString message = tr("PROBLEM WITH SETUP!!!!...");
    const QString info =
        tr("Unable to create needed folder at path:\n[%1]\nError:\n%2").arg(path, error);
    consoleLog(lcStation(), "StationApp", "finishLaunch", message + QLatin1Char(' ') + info);
    QApplication::beep();
    if (m_alertPresenter) {
        m_alertPresenter(message, info);
        return;
    }
    QMessageBox box(QMessageBox::Critical, m_appName, message, QMessageBox::Ok);
    box.setInformativeText(info);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

int StationApp::confirmQuit()
{
    if (!m_salesWindow)
        return 0;
    m_salesWindow->session()->forceSessionToClose();
    return 1;
}

void StationApp::prepareQuit()
{
    if (m_terminating)
        return;
    m_terminating = true;
    m_children.quitAllChildren();
    if (m_settingsFlushTimer)
        m_settingsFlushTimer->stop();
    QString error;
    if (!m_settings.sync(&error))
        kivo::Log::err(
            lcStation(),
            QStringLiteral("StationApp: the settings' last changes are lost: %1").arg(error));
    kivo::Log::debug(lcStation(), QStringLiteral("%1 ends").arg(m_appName));
}

void StationApp::quitStation()
{
    if (confirmQuit() == 0) {
        consoleLog(lcStation(), "StationApp", "quitStation", QStringLiteral("Quit refused"));
        return;
    }
    prepareQuit();
    // Every running event loop ends, with the status that tells the service manager this end
    // was meant (it is not restarted).
    QCoreApplication::exit(kEndedOnPurposeStatus);
}

void StationApp::onScreensChanged()
{
    if (!m_salesWindow)
        return;
    moveMainWindowToExternalMonitor(m_salesWindow->window());
    m_salesWindow->sizeWindowToMainScreen();
}

void StationApp::openPreferencesPanel()
{
    QWidget* parentWindow = m_salesWindow ? m_salesWindow->window() : nullptr;
    QMetaObject::invokeMethod(
        this,
        [this, parentWindow] {
            if (m_preferencesOpener)
                m_preferencesOpener(parentWindow);
        },
        Qt::QueuedConnection);
}

void StationApp::startOverSales()
{
    if (!m_salesWindow)
        return;
    QWidget* window = m_salesWindow->window();
    window->raise();
    window->activateWindow();
    applyMenuBarVisibility();
    moveMainWindowToExternalMonitor(window);
    // The preferences may have mended (or spoilt) amounts and codes, and changed the receipt
    // printers.
    refreshSettingsNotices();
    flushSettings();
    if (m_printerWatch) {
        m_printerWatch->setPrinters(PrinterWatch::receiptPrinters(m_settings));
        m_printerWatch->checkNow();
    }
    QMetaObject::invokeMethod(
        m_salesWindow, [c = m_salesWindow] { c->startOver(); }, Qt::QueuedConnection);
}

void StationApp::installSignalHandlers()
{
    if (m_signalNotifier)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    m_signalNotifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[1], &byte, 1);
        consoleLog(lcStation(), "StationApp", "signal", QStringLiteral("stop requested"));
        // A service manager's stop is not refused: the station ends even without a sales window.
        if (confirmQuit() == 0)
            consoleLog(lcStation(), "StationApp", "signal", QStringLiteral("no sales window"));
        prepareQuit();
        // Every running event loop ends, an alert's own included; quit() would only ask the
        // windows to close, and does nothing at all before the main loop has started.
        QCoreApplication::exit(0);
    });
    // The watchdog is armed before the handler exists, so no stop can miss it.
    if (::pipe2(g_watchdogPipe, O_CLOEXEC) == 0) {
        try {
            std::thread(watchStop).detach();
        } catch (const std::system_error&) {
            ::close(g_watchdogPipe[0]);
            ::close(g_watchdogPipe[1]);
            g_watchdogPipe[0] = g_watchdogPipe[1] = -1;
            consoleLog(lcStation(), "StationApp", "installSignalHandlers",
                       QStringLiteral("no stop watchdog: cannot start its thread"));
        }
    }
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void StationApp::setAlertPresenter(std::function<void(const QString&, const QString&)> presenter)
{
    m_alertPresenter = std::move(presenter);
}

PreferencesSheet* StationApp::preferencesSheet() const
{
    return m_preferences;
}

void StationApp::setPreferencesOpener(std::function<void(QWidget*)> opener)
{
    m_preferencesOpener = std::move(opener);
}

} // namespace kivo
