#include "station/AppController.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/SiteCodes.h"
#include "screens/ScreenSaverViewController.h"
#include "station/DalosAddition.h"
#include "station/SalesWindowController.h"
#include "support/TestRoot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace kivo;

TEST(CustomerScreen, IsTheSecondScreenWhenThereAreTwoOrMore)
{
    const QRect primary(0, 25, 1920, 1055);
    const QRect second(1920, 0, 1080, 1920);
    const QRect third(3000, 0, 800, 600);
    const QRect window(10, 10, 300, 200);
    EXPECT_EQ(customerScreenRect({}, window), window);
    EXPECT_EQ(customerScreenRect({primary}, window), primary);
    EXPECT_EQ(customerScreenRect({primary, second}, window), second);
    EXPECT_EQ(customerScreenRect({primary, second, third}, window), second);
    EXPECT_EQ(customerScreenIndex(0), -1);
    EXPECT_EQ(customerScreenIndex(1), 0);
    EXPECT_EQ(customerScreenIndex(5), 1);
}

class StartUp : public ::testing::Test
{
protected:
    void TearDown() override { Settings::standardUserDefaults().registerDefaults({}); }
    test::TestRoot root;
};

TEST_F(StartUp, AFolderThatCannotBeMadeRaisesTheSetupAlertAndLaunchGoesOn)
{
    test::writeFile(root.file("shared"), "a file where the shared root should be");
    Settings::standardUserDefaults().setString("/earlier", sPrefLocalServerPath);
    AppController controller(Settings::standardUserDefaults());
    QStringList alerts;
    QString info;
    controller.setAlertPresenter([&](const QString& m, const QString& i) {
        alerts.append(m);
        info = i;
    });
    controller.launch();
    ASSERT_EQ(alerts, QStringList{"PROBLEM WITH SETUP!!!!..."});
    EXPECT_TRUE(info.startsWith("Unable to create needed folder at path:\n[" +
                                root.file("shared/KivoSalesStation") + "]\nError:\n"))
        << info.toStdString();
    EXPECT_NE(controller.salesWindowController(), nullptr);
    EXPECT_EQ(Settings::standardUserDefaults().stringForKey(sPrefLocalServerPath), "/earlier");
}

// What the station process test cannot see from outside: quit is refused only without a sales
// window, and the menu bar follows its setting.
TEST_F(StartUp, QuitNeedsASalesWindowAndTheMenuBarFollowsItsSetting)
{
    AppController idle(Settings::standardUserDefaults());
    EXPECT_EQ(idle.applicationShouldTerminate(), 0);
    Settings::standardUserDefaults().setBool(true, sPrefDoShowMenuBar);
    idle.awakeFromNib();
    EXPECT_FALSE(idle.menuBar()->isHidden());

    Settings::standardUserDefaults().setBool(false, sPrefDoShowMenuBar);
    AppController controller(Settings::standardUserDefaults());
    controller.setAlertPresenter([](const QString&, const QString&) { FAIL() << "no alert"; });
    controller.launch();
    ASSERT_NE(controller.salesWindowController(), nullptr);
    EXPECT_TRUE(controller.salesWindowController()->window()->isVisible());
    EXPECT_TRUE(controller.menuBar()->isHidden());
    EXPECT_EQ(controller.applicationShouldTerminate(), 1);
}

TEST_F(StartUp, ConfiguredFoldersAreCreatedAsStored)
{
    Settings::standardUserDefaults().setString(root.file("receipts/2026"), sPrefLocalReceiptPath);
    Settings::standardUserDefaults().setString(root.file("orders/host"), sPrefLocalServerPath);
    AppController controller(Settings::standardUserDefaults());
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    EXPECT_TRUE(QFileInfo(root.file("receipts/2026")).isDir());
    EXPECT_TRUE(QFileInfo(root.file("orders/host")).isDir());
}

// A customer screen switched on after the start (or a screen gone, or a new primary) moves the
// sales window onto the customer screen's visible frame.
TEST_F(StartUp, AChangedScreenSetGetsTheWindowOntoTheCustomerScreen)
{
    AppController controller(Settings::standardUserDefaults());
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    QWidget* window = controller.salesWindowController()->window();
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const std::function<void()> changes[] = {
        [screen] { emit qGuiApp->screenAdded(screen); },
        [screen] { emit qGuiApp->screenRemoved(screen); },
        [screen] { emit qGuiApp->primaryScreenChanged(screen); },
    };
    for (const auto& change : changes) {
        window->setGeometry(7, 9, 300, 200);
        change();
        EXPECT_EQ(window->geometry(), getExternalMonitorRect(window));
        EXPECT_NE(window->geometry().size(), QSize(300, 200));
    }
    EXPECT_EQ(getExternalMonitorWidth(window), static_cast<qint16>(window->width()));
    EXPECT_EQ(getExternalMonitorHeight(window), static_cast<qint16>(window->height()));
}

// The station's own receipt printer unknown to the printing service (or no service at all):
// the staff read it on the attract screen.
TEST_F(StartUp, AReceiptPrinterThatCannotPrintShowsOnTheAttractScreen)
{
    Settings& settings = Settings::standardUserDefaults();
    settings.setBool(true, sPrefPrintReceipt);
    settings.setBool(true, sPrefDoPrintReceiptPrimary);
    settings.setString(QStringLiteral("NoSuchKivoPrinter"), sPrefReceiptPrinterNamePrimary);
    AppController controller(settings);
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    QLabel* notice = controller.salesWindowController()->screenSaver()->staffNoticeView();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !controller.staffNotices().line("printer").isEmpty(); }, 10000));
    EXPECT_EQ(controller.staffNotices().line("printer"),
              QStringLiteral("Receipt printer NoSuchKivoPrinter is missing"));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains(controller.staffNotices().line("printer")));
    EXPECT_EQ(notice->accessibleDescription(), notice->text());
}

// Amounts the station cannot use and the factory codes are told to the staff from the start,
// and gone once the preferences mend them; changes that cannot be written (a full disk) are
// told until they are written, which happens by itself.
TEST_F(StartUp, StaffAreToldOfUnusableSettingsFactoryCodesAndUnsavedChanges)
{
    Settings& settings = Settings::standardUserDefaults();
    settings.setDouble(25, "prefSantaDiscountPercentage");
    settings.setString("abc", sPrefTaxRate);
    settings.setString(SiteCodes::hash("*1234#"), SiteCodes::settingsKey(SiteCodes::QuitCode));
    AppController controller(settings);
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    const StaffNotices& notices = controller.staffNotices();
    for (const char* named : {"prefSantaDiscountPercentage = 25 is not between 0 and 1",
                              "prefTaxRate = \"abc\" is not a number"})
        EXPECT_TRUE(notices.line("settings").contains(QLatin1String(named)))
            << notices.line("settings").toStdString();
    EXPECT_TRUE(notices.line("codes").contains(
        "this kind: release code, open-preferences code, administrator-keys code."))
        << notices.line("codes").toStdString();

    settings.setDouble(0.25, "prefSantaDiscountPercentage");
    settings.removeObjectForKey(sPrefTaxRate);
    for (const SiteCodes::Code code :
         {SiteCodes::ReleaseCode, SiteCodes::OpenPreferencesCode, SiteCodes::AdministratorKeysCode})
        settings.setString(SiteCodes::hash(QStringLiteral("*77%1#").arg(int(code))),
                           SiteCodes::settingsKey(code));
    controller.startOverSalesController();
    EXPECT_EQ(notices.line("settings"), QString());
    EXPECT_EQ(notices.line("codes"), QString());

    // A folder where the settings file belongs fails every write, as a full disk does.
    const QString file = paths::settingsFile();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    settings.setDouble(0.2, "prefSantaDiscountPercentage");
    controller.flushSettings();
    EXPECT_TRUE(notices.line("settings-save").startsWith("The settings cannot be saved"));
    ASSERT_TRUE(QDir().rmdir(file));
    controller.flushSettings();
    EXPECT_EQ(notices.line("settings-save"), QString());
    EXPECT_DOUBLE_EQ(Settings(file).doubleForKey("prefSantaDiscountPercentage"), 0.2);
}
