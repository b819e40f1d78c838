#pragma once

#include "core/ChildProcessSupervisor.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QMenuBar;
class QSocketNotifier;
class QTimer;
class QWidget;

namespace kivo {

class SalesWindowController;

// The application's controller: prepares the settings before any window exists, supervises the
// child applications, makes sure the shared order folder exists, creates the sales window on
// the customer screen, and ends everything in order when the station quits (from the menu, the
// quit event, or SIGTERM/SIGINT from the service manager).
class AppController : public QObject
{
    Q_OBJECT

public:
    // Once, before the controller is first used: factory defaults, the log file's path, and the
    // removal of the retired "kivoIsForQor" switch.
    static void initialize();
    static bool setupFactoryDefaults();
    static QString logFilePath();

    explicit AppController(QObject* parent = nullptr);
    ~AppController() override;

    // Menu bar and notification observers.
    void awakeFromNib();
    // The operating system's version.
    void applicationWillFinishLaunching();
    // Children, folders, settings flush, host-link handlers, the sales window.
    void applicationDidFinishLaunching();
    // Runs the three steps above in order.
    void launch();

    // 1 terminates now, 0 cancels (there is no sales controller).
    int applicationShouldTerminate();
    void applicationWillTerminate();
    // The whole quit: asks applicationShouldTerminate, then ends the application.
    void quitStation();

    void applicationDidChangeScreenParameters();
    void ibOpenPreferencesPanel();

    bool launchChildProcess(const QVariantMap& record);

    // Turns SIGTERM and SIGINT into quitStation() on the main thread.
    void installSignalHandlers();

    // Shows the "PROBLEM WITH SETUP!!!!..." alert; tests replace it to see it without a screen.
    void setAlertPresenter(std::function<void(const QString&, const QString&)> presenter);
    // What the preferences button offers until the preferences window exists.
    void setPreferencesOpener(std::function<void(QWidget* parentWindow)> opener);

    SalesWindowController* salesWindowController() const { return _salesWindowController; }
    ChildProcessSupervisor& children() { return m_children; }
    QMenuBar* menuBar() const { return ibMainMenuBar; }

    QString ibAppName;
    QString ibAboutName;
    QString ibHideName;
    QString ibQuitName;

private slots:
    void handleKivoSalesStationNotification(const QString& name, const QVariantMap& userInfo);

private:
    void handleOpenPrefsNotification();
    void handleStartOverSalesControllerNotification();
    void applyMenuBarVisibility();
    void showSetupProblem(const QString& path, const QString& error);

    SalesWindowController* _salesWindowController = nullptr;
    QMenuBar* ibMainMenuBar = nullptr;
    ChildProcessSupervisor m_children;
    QTimer* m_settingsFlushTimer = nullptr;
    QSocketNotifier* m_signalNotifier = nullptr;
    bool m_terminating = false;
    std::function<void(const QString&, const QString&)> m_alertPresenter;
    std::function<void(QWidget*)> m_preferencesOpener;
};

} // namespace kivo
