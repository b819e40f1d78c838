#include "station/AppController.h"
#include "admin/CatalogueEditor.h"
#include "admin/PreferencesController.h"
#include "admin/ui/PreferencesWindowController.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "screens/PackagePanelModel.h"
#include "screens/ScreenSaverViewController.h"
#include "screens/SellingScreen.h"
#include "station/DalosAddition.h"
#include "station/SalesWindowController.h"
#include "support/TestRoot.h"

#include <QApplication>
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
    ASSERT_TRUE(QTest::qWaitFor([notice] { return notice->isVisible(); }, 10000));
    EXPECT_EQ(notice->text(), QStringLiteral("Receipt printer NoSuchKivoPrinter is missing"));
    EXPECT_EQ(notice->accessibleDescription(), notice->text());
}

// What the preferences store reaches the running station's screens at once, with no restart:
// the sponsor logo on the attract and the selling screen, and a catalogue saved between visits
// in the package panel.
TEST_F(StartUp, PreferencesReachTheRunningScreensAsTheyAreStored)
{
    Settings& settings = Settings::standardUserDefaults();
    settings.setBool(true, sPrefDoUseSponsorLogo);
    AppController controller(settings);
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    SalesWindowController* sales = controller.salesWindowController();
    QLabel* attractLogo = sales->screenSaver()->sponsorView();
    QLabel* sellingLogo = sales->sellingScreen()->sponsorView();
    ASSERT_FALSE(attractLogo->isHidden());
    ASSERT_FALSE(sellingLogo->isHidden());

    controller.ibOpenPreferencesPanel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.preferencesWindowController(); }, 5000));
    PreferencesWindowController* preferences = controller.preferencesWindowController();
    preferences->controller()->setBool(QLatin1String(sPrefDoUseSponsorLogo), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return attractLogo->isHidden(); }, 2000));
    EXPECT_TRUE(sellingLogo->isHidden());

    const int offered = sales->packagePanel()->maxVisiblePackageItems();
    CatalogueEditor* catalogue = preferences->catalogue();
    int row = 0;
    while (row < catalogue->rowCount() &&
           catalogue->index(row, CatalogueEditor::Offered).data(Qt::CheckStateRole) != Qt::Checked)
        ++row;
    ASSERT_LT(row, catalogue->rowCount());
    ASSERT_TRUE(catalogue->setData(catalogue->index(row, CatalogueEditor::Offered), Qt::Unchecked,
                                   Qt::CheckStateRole));
    QString reason;
    ASSERT_TRUE(catalogue->save(&reason)) << reason.toStdString();
    EXPECT_EQ(sales->packagePanel()->maxVisiblePackageItems(), offered - 1);
}
