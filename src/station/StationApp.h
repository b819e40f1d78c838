#pragma once

#include "core/ChildProcessSupervisor.h"
#include "core/StaffNotices.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QMenuBar;
class QSocketNotifier;
class QTimer;
class QWidget;

namespace kivo {

class PreferencesSheet;
class PrinterWatch;
class ReceiptPrintDialog;
class PreparedPhotos;
class SalesWindow;
class Settings;
class StationMetrics;
class StationMonitor;
class StationStatusBus;
class VisitIdleGuard;

// The application's controller: prepares the settings before any window exists, supervises the
// child applications, makes sure the shared order folder exists, creates the sales window on
// the customer screen, and ends everything in order when the station quits (from the menu, the
// quit event, or SIGTERM/SIGINT from the service manager).
class StationApp : public QObject
{
    Q_OBJECT

public:
    // Once, before the controller is first used: factory defaults, the log file's path, and the
    // removal of the retired "kivoIsForQor" switch.
    static void initialize();
    static bool setupFactoryDefaults();
    static QString logFilePath();

    // SETTINGS is the station's store; everything the controller creates works with it.
    explicit StationApp(Settings& settings, QObject* parent = nullptr);
    ~StationApp() override;

    // Menu bar, the screen-change handler, and the bus observer.
    void setUpInterface();
    // The operating system's version.
    void prepareLaunch();
    // Children, folders, settings flush, host-link handlers, the sales window.
    void finishLaunch();
    // Runs the three steps above in order.
    void launch();

    // 1 terminates now, 0 cancels (there is no sales controller).
    int confirmQuit();
    void prepareQuit();
    // The exit status of a station ended on purpose (the staff's quit code or Quit, the print
    // host's quit event); the service's unit does not restart it. Any other end but the service
    // manager's own stop is restarted.
    static constexpr int kEndedOnPurposeStatus = 10;
    // The whole quit: asks confirmQuit, then ends the application with
    // kEndedOnPurposeStatus.
    void quitStation();
    // The station has ended its work (prepareQuit ran); the main loop has nothing
    // more to do.
    bool isTerminating() const { return m_terminating; }

    // A screen came, went, or became the primary: the sales window goes to the customer screen.
    void onScreensChanged();
    void openPreferencesPanel();
    // The preferences closed with "continue": the sales window comes to the front on the
    // customer screen and starts over.
    void startOverSales();

    bool launchChildProcess(const ChildProgram& child);

    // Turns SIGTERM and SIGINT into quitStation() on the main thread, and arms a watchdog that
    // ends the process 4 s after the first of them if the clean stop has not ended it by then.
    void installSignalHandlers();

    // Shows the "PROBLEM WITH SETUP!!!!..." alert; tests replace it to see it without a screen.
    void setAlertPresenter(std::function<void(const QString&, const QString&)> presenter);
    // What opens the preferences: the preferences sheet over the sales window by default; tests
    // replace it. The sheet's "Continue" calls startOverSales(), "Quit" quitStation().
    void setPreferencesOpener(std::function<void(QWidget* parentWindow)> opener);
    // The preferences sheet (created on first opening; it lives on the sales window).
    PreferencesSheet* preferencesSheet() const;

    SalesWindow* salesWindow() const { return m_salesWindow; }
    // Ends visits left alone (prefIdleTimeoutSeconds); exists with the sales window.
    VisitIdleGuard* visitIdleGuard() const { return m_idleGuard; }
    // The receipt printers' state, one of the staff notices.
    PrinterWatch* printerWatch() const { return m_printerWatch; }
    // What the staff must know of (printers, settings, codes, disk); the customer's screens show
    // only that something is set.
    StaffNotices& staffNotices() { return m_staffNotices; }
    // How the station is, for its operators (exists with the sales window); served on the bus.
    StationMonitor* monitor() const { return m_monitor; }
    // MONITOR hears of SALES' visits, releases and start-up check.
    static void feedMonitor(StationMonitor& monitor, SalesWindow& sales);
    // The photos made ready ahead of the customers (exists with the sales window).
    PreparedPhotos* preparedPhotos() const { return m_preparedPhotos; }
    ChildProcessSupervisor& children() { return m_children; }
    // Writes the settings' unsaved changes; the staff notice "settings-save" says while they
    // cannot be written. Runs every 2 s.
    void flushSettings();
    // The staff notices of settings that cannot be used and of factory codes still in use.
    void refreshSettingsNotices();
    QMenuBar* menuBar() const { return m_mainMenuBar; }

private slots:
    void onStationNotification(const QString& name, const QVariantMap& userInfo);

private:
    void applyMenuBarVisibility();
    void showSetupProblem(const QString& path, const QString& error);
    void startMonitor();
    void startMetrics();

    Settings& m_settings;
    QString m_appName;
    SalesWindow* m_salesWindow = nullptr;
    VisitIdleGuard* m_idleGuard = nullptr;
    PrinterWatch* m_printerWatch = nullptr;
    PreparedPhotos* m_preparedPhotos = nullptr;
    StationMonitor* m_monitor = nullptr;
    StationStatusBus* m_statusBus = nullptr;
    StationMetrics* m_metrics = nullptr;
    QMenuBar* m_mainMenuBar = nullptr;
    ChildProcessSupervisor m_children;
    StaffNotices m_staffNotices;
    QTimer* m_settingsFlushTimer = nullptr;
    QSocketNotifier* m_signalNotifier = nullptr;
    bool m_terminating = false;
    std::function<void(const QString&, const QString&)> m_alertPresenter;
    std::function<void(QWidget*)> m_preferencesOpener;
    QPointer<PreferencesSheet> m_preferences;
    std::unique_ptr<ReceiptPrintDialog> m_printPanel;
};

} // namespace kivo
