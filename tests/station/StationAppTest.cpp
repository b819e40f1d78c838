#include "station/StationApp.h"
#include "admin/CatalogueEditor.h"
#include "admin/PreferencesModel.h"
#include "admin/ui/PreferencesSheet.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"
#include "imaging/ui/CropEditor.h"
#include "imaging/ui/PhotoEditingWindow.h"
#include "screens/AttractScreen.h"
#include "screens/PackagePanelModel.h"
#include "screens/SellingScreen.h"
#include "screens/StaffNoticeIndicator.h"
#include "station/SalesWindow.h"
#include "station/ScreenPlacement.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
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
    void TearDown() override { Settings::instance().registerDefaults({}); }
    test::TestRoot root;
};

TEST_F(StartUp, AFolderThatCannotBeMadeRaisesTheSetupAlertAndLaunchGoesOn)
{
    test::writeFile(root.file("shared"), "a file where the shared root should be");
    Settings::instance().setLocalServerPath("/earlier");
    StationApp controller(Settings::instance());
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
    EXPECT_NE(controller.salesWindow(), nullptr);
    EXPECT_EQ(Settings::instance().localServerPath(), "/earlier");
}

// What the station process test cannot see from outside: quit is refused only without a sales
// window, and the menu bar follows its setting.
TEST_F(StartUp, QuitNeedsASalesWindowAndTheMenuBarFollowsItsSetting)
{
    StationApp idle(Settings::instance());
    EXPECT_EQ(idle.confirmQuit(), 0);
    Settings::instance().setDoShowMenuBar(true);
    idle.setUpInterface();
    EXPECT_FALSE(idle.menuBar()->isHidden());

    Settings::instance().setDoShowMenuBar(false);
    StationApp controller(Settings::instance());
    controller.setAlertPresenter([](const QString&, const QString&) { FAIL() << "no alert"; });
    controller.launch();
    ASSERT_NE(controller.salesWindow(), nullptr);
    EXPECT_TRUE(controller.salesWindow()->window()->isVisible());
    EXPECT_TRUE(controller.menuBar()->isHidden());
    EXPECT_EQ(controller.confirmQuit(), 1);
}

TEST_F(StartUp, ConfiguredFoldersAreCreatedAsStored)
{
    Settings::instance().setLocalReceiptPath(root.file("receipts/2026"));
    Settings::instance().setLocalServerPath(root.file("orders/host"));
    StationApp controller(Settings::instance());
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    EXPECT_TRUE(QFileInfo(root.file("receipts/2026")).isDir());
    EXPECT_TRUE(QFileInfo(root.file("orders/host")).isDir());
}

// An images folder where the station cannot make its customer locks (here one the kernel keeps
// read-only) is named to the staff by the start-up check, off the customer's screens.
TEST_F(StartUp, AnImagesFolderWhoseFileSystemFailsIsNamedToTheStaff)
{
    Settings::instance().setMainImagesFolder(QStringLiteral("/sys"));
    Settings::instance().setTilboxPendingInvoiceFolder(root.folder("pos"));
    StationApp controller(Settings::instance());
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !controller.staffNotices().line(QStringLiteral("share")).isEmpty(); }, 10000));
    EXPECT_TRUE(controller.staffNotices().line(QStringLiteral("share")).startsWith("/sys: "))
        << controller.staffNotices().line(QStringLiteral("share")).toStdString();
}

// A customer screen switched on after the start (or a screen gone, or a new primary) moves the
// sales window onto the customer screen's visible frame.
TEST_F(StartUp, AChangedScreenSetGetsTheWindowOntoTheCustomerScreen)
{
    StationApp controller(Settings::instance());
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    QWidget* window = controller.salesWindow()->window();
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
        EXPECT_EQ(window->geometry(), externalMonitorRect(window));
        EXPECT_NE(window->geometry().size(), QSize(300, 200));
    }
}

// The station's own receipt printer unknown to the printing service (or no service at all): the
// customer's screens carry only a small indicator that says nothing to a customer; the staff
// read the line in full on the preferences' Status page, where the crop editor opens too.
TEST_F(StartUp, AReceiptPrinterThatCannotPrintIsForTheStaffOnly)
{
    Settings& settings = Settings::instance();
    settings.setPrintReceipt(true);
    settings.setDoPrintReceiptPrimary(true);
    settings.setReceiptPrinterNamePrimary(QStringLiteral("NoSuchKivoPrinter"));
    StationApp controller(settings);
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    SalesWindow* sales = controller.salesWindow();
    const QString line = QStringLiteral("Receipt printer NoSuchKivoPrinter is missing");
    QWidget* attract = sales->screenSaver()->staffNoticeView();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !controller.staffNotices().line(QStringLiteral("printer")).isEmpty(); },
        10000));
    // The test root keeps the factory codes, which staff are told of too; only the printer's
    // notice is looked at here.
    controller.staffNotices().clear(QStringLiteral("codes"));
    ASSERT_EQ(controller.staffNotices().text(), line);
    for (QWidget* notice : {attract, static_cast<QWidget*>(sales->sellingStaffNotice())}) {
        EXPECT_FALSE(notice->isHidden());
        EXPECT_EQ(notice->accessibleName(), QStringLiteral("Staff notice"));
        EXPECT_EQ(notice->accessibleDescription(), line);
        EXPECT_LE(notice->width(), 64);
        EXPECT_LE(notice->height(), 64);
    }
    for (const QLabel* label : sales->window()->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains(QLatin1String("NoSuchKivoPrinter")));

    controller.openPreferencesPanel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.preferencesSheet(); }));
    PreferencesSheet* prefs = controller.preferencesSheet();
    EXPECT_EQ(prefs->statusView()->text(), line);
    // The page lists the watched printer itself, with its health.
    QTableWidget* printers = prefs->printerHealthView();
    ASSERT_EQ(printers->rowCount(), 1);
    EXPECT_EQ(printers->item(0, 0)->text(), QStringLiteral("NoSuchKivoPrinter"));
    EXPECT_EQ(printers->item(0, 1)->text(), QStringLiteral("missing"));
    EXPECT_EQ(printers->item(0, 4)->text(), QStringLiteral("Error"));
    controller.staffNotices().set(QStringLiteral("disk"), QStringLiteral("Disk nearly full"));
    EXPECT_EQ(prefs->statusView()->text(), line + QStringLiteral("\nDisk nearly full"));
    controller.staffNotices().clear(QStringLiteral("printer"));
    controller.staffNotices().clear(QStringLiteral("disk"));
    EXPECT_EQ(prefs->statusView()->text(), QStringLiteral("Nothing to report."));
    EXPECT_TRUE(attract->isHidden());
    EXPECT_TRUE(sales->sellingStaffNotice()->isHidden());

    QPushButton* crops = nullptr;
    for (QPushButton* b : prefs->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Crop Editor..."))
            crops = b;
    ASSERT_NE(crops, nullptr);
    crops->click();
    PhotoEditingWindow* editing = sales->photoEditingWindow();
    EXPECT_TRUE(editing->isVisible());
    // The photo to crop is chosen in the images folder.
    const QString images = root.folder(QStringLiteral("images"));
    settings.setMainImagesFolder(images);
    const QString photo = images + QStringLiteral("/100001_01.jpg");
    test::writeJpeg(photo, test::markedImage(60, 40), 1);
    editing->openButton()->click();
    ASSERT_TRUE(editing->openPanel()->isVisible());
    EXPECT_EQ(editing->openPanel()->directory().absolutePath(), images);
    editing->openPanel()->selectFile(photo);
    static_cast<QDialog*>(editing->openPanel())->accept();
    EXPECT_EQ(editing->editor()->photoPath(), photo);
}

// What the preferences store reaches the running station's screens at once, with no restart:
// the sponsor logo on the attract and the selling screen, and a catalogue saved between visits
// in the package panel.
TEST_F(StartUp, PreferencesReachTheRunningScreensAsTheyAreStored)
{
    Settings& settings = Settings::instance();
    settings.setDoUseSponsorLogo(true);
    StationApp controller(settings);
    controller.setAlertPresenter([](const QString&, const QString&) {});
    controller.launch();
    SalesWindow* sales = controller.salesWindow();
    QLabel* attractLogo = sales->screenSaver()->sponsorView();
    QLabel* sellingLogo = sales->sellingScreen()->sponsorView();
    ASSERT_FALSE(attractLogo->isHidden());
    ASSERT_FALSE(sellingLogo->isHidden());

    controller.openPreferencesPanel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.preferencesSheet(); }, 5000));
    PreferencesSheet* preferences = controller.preferencesSheet();
    preferences->controller()->setFlag(settingKeyString(Setting::doUseSponsorLogo), false);
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

// Amounts the station cannot use and the factory codes are told to the staff from the start,
// and gone once the preferences mend them; changes that cannot be written (a full disk) are
// told until they are written, which happens by itself.
TEST_F(StartUp, StaffAreToldOfUnusableSettingsFactoryCodesAndUnsavedChanges)
{
    Settings& settings = Settings::instance();
    settings.setSantaDiscountPercentage(25);
    settings.setValue(Setting::taxRate, "abc");
    settings.setValue(SiteCodes::setting(SiteCodes::QuitCode), SiteCodes::hash("*1234#"));
    StationApp controller(settings);
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

    settings.setSantaDiscountPercentage(0.25);
    settings.remove(Setting::taxRate);
    for (const SiteCodes::Code code :
         {SiteCodes::ReleaseCode, SiteCodes::OpenPreferencesCode, SiteCodes::AdministratorKeysCode})
        settings.setValue(SiteCodes::setting(code),
                          SiteCodes::hash(QStringLiteral("*77%1#").arg(int(code))));
    controller.startOverSales();
    EXPECT_EQ(notices.line("settings"), QString());
    EXPECT_EQ(notices.line("codes"), QString());

    // A folder where the settings file belongs fails every write, as a full disk does.
    const QString file = paths::settingsFile();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    settings.setSantaDiscountPercentage(0.2);
    controller.flushSettings();
    EXPECT_TRUE(notices.line("settings-save").startsWith("The settings cannot be saved"));
    ASSERT_TRUE(QDir().rmdir(file));
    controller.flushSettings();
    EXPECT_EQ(notices.line("settings-save"), QString());
    EXPECT_DOUBLE_EQ(Settings(file).santaDiscountPercentage(), 0.2);
}
