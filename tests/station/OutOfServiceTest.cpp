// The station's checks before it sells: the checks above the core (catalogue, receipt printers;
// the bus and print host are tried by the package test, on a bus of its own), and the
// out-of-service screen that a failing check puts over the sales window
// until a later round finds the fault mended.
#include "core/PropertyList.h"
#include "core/SelfTest.h"
#include "core/Settings.h"
#include "orders/PackageCatalogue.h"
#include "screens/OutOfServiceScreen.h"
#include "station/OutOfServiceGuard.h"
#include "station/StationSelfTest.h"
#include "support/TestRoot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

// A station whose folders are all there, receipts off.
void setUp(const test::TestRoot& root, Settings& settings)
{
    settings.setMainImagesFolder(root.folder("images"));
    settings.setTilboxPendingInvoiceFolder(root.folder("invoices"));
    settings.setLocalServerPath(root.folder("shared/KivoSalesStation"));
    settings.setPrintReceipt(false);
    ASSERT_TRUE(settings.sync());
}

bool cupsQueue(const char* name)
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-p"), QString::fromLatin1(name)});
    return lpstat.waitForFinished(5000) && lpstat.exitCode() == 0;
}

} // namespace

TEST(StationSelfTest, CatalogueAndPrinterChecks)
{
    test::TestRoot root;
    Settings settings(root.file("config/KivoSalesStation.plist"));

    const CheckResult catalogue = StationSelfTest::catalogueLoads(settings);
    EXPECT_TRUE(catalogue.ok) << catalogue.reason.toStdString();
    EXPECT_TRUE(catalogue.detail.contains(qEnvironmentVariable("KIVO_RESOURCES")));
    const QByteArray resources = qgetenv("KIVO_RESOURCES");
    qputenv("KIVO_RESOURCES", root.folder("empty-resources").toLocal8Bit());
    const CheckResult none = StationSelfTest::catalogueLoads(settings);
    qputenv("KIVO_RESOURCES", resources);
    EXPECT_FALSE(none.ok);
    EXPECT_TRUE(none.stopsSales);
    // A site catalogue past the size the station takes is named, not passed over in silence.
    QVariantList offered;
    for (int i = 0; i <= PackageCatalogue::kMaxOfferedPackages; ++i)
        offered << QString("P%1").arg(i);
    ASSERT_TRUE(QDir().mkpath(PackageCatalogue::siteCatalogueFolder()));
    const QString site = PackageCatalogue::siteCatalogueFolder() + "/UIDisplayPackageList.plist";
    ASSERT_TRUE(plist::writeFile(site, QVariantMap{{"UIDisplayPackageListNew", offered}}));
    const CheckResult oversized = StationSelfTest::catalogueLoads(settings);
    QFile::remove(site);
    EXPECT_FALSE(oversized.ok);
    EXPECT_TRUE(oversized.reason.contains("51 packages in UIDisplayPackageListNew"))
        << oversized.reason.toStdString();

    // Receipts off: no printer is asked for. On: each one turned on must be a CUPS queue that
    // prints; a fault there is for the staff, the station sells on.
    settings.setPrintReceipt(false);
    settings.setDoPrintReceiptPrimary(true);
    settings.setReceiptPrinterNamePrimary(QStringLiteral("NoSuchKivoPrinter"));
    EXPECT_TRUE(StationSelfTest::receiptPrintersReady(settings).ok);
    settings.setPrintReceipt(true);
    const CheckResult missing = StationSelfTest::receiptPrintersReady(settings);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.stopsSales);
    EXPECT_TRUE(missing.reason.contains("NoSuchKivoPrinter")) << missing.reason.toStdString();
    if (cupsQueue("ReceiptPDF")) {
        settings.setReceiptPrinterNamePrimary(QStringLiteral("ReceiptPDF"));
        const CheckResult ready = StationSelfTest::receiptPrintersReady(settings);
        EXPECT_TRUE(ready.ok) << ready.reason.toStdString();
        // The secondary, turned on without a name, is a fault of its own.
        settings.setDoPrintReceiptSecondary(true);
        settings.setReceiptPrinterNameSecondary(QString());
        EXPECT_FALSE(StationSelfTest::receiptPrintersReady(settings).ok);
    }
}

// The order folder cannot be written at start: the screen covers the station with the reason
// and blocks every window under it; once the folder is mended, the next round lifts it.
TEST(OutOfService, ScreenUntilTheOrderFolderIsMendedThenBackInService)
{
    test::TestRoot root;
    Settings settings(root.file("config/KivoSalesStation.plist"));
    ASSERT_NO_FATAL_FAILURE(setUp(root, settings));
    const QString orders = root.file("shared/KivoSalesStation");
    ASSERT_TRUE(QDir(orders).removeRecursively());
    test::writeFile(orders, "a file where the order folder belongs");
    const QString log = root.file("logs/KivoSalesStation.log");

    QWidget salesWindow;
    salesWindow.resize(1024, 768);
    salesWindow.show();
    OutOfServiceGuard controller(
        [&settings, log] { return SelfTest::coreChecks(settings, log).run(); });
    controller.setCoveredWindow(&salesWindow);
    controller.setRetryInterval(100);
    QSignalSpy changes(&controller, &OutOfServiceGuard::outOfServiceChanged);
    QSignalSpy rounds(&controller, &OutOfServiceGuard::checked);

    controller.check();
    ASSERT_TRUE(test::waitUntil([&] { return rounds.count() == 1; }));
    ASSERT_TRUE(controller.isOutOfService());
    OutOfServiceScreen* screen = controller.screen();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->accessibleName(), "Out of Service");
    EXPECT_EQ(QApplication::activeModalWidget(), screen);
    EXPECT_EQ(screen->reasons().size(), 1);
    EXPECT_TRUE(screen->reasonsLabel()->text().startsWith("Order folder: "))
        << screen->reasonsLabel()->text().toStdString();
    EXPECT_TRUE(screen->reasonsLabel()->text().contains(orders));
    EXPECT_TRUE(screen->nextCheckLabel()->isVisible());
    ASSERT_EQ(changes.count(), 1);
    EXPECT_TRUE(changes.at(0).at(0).toBool());

    // Still broken: it keeps trying, and stays out of service without telling it again.
    ASSERT_TRUE(test::waitUntil([&] { return rounds.count() >= 3; }));
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(changes.count(), 1);

    ASSERT_TRUE(QFile::remove(orders));
    ASSERT_TRUE(QDir().mkpath(orders));
    ASSERT_TRUE(test::waitUntil([&] { return !controller.isOutOfService(); }));
    EXPECT_FALSE(screen->isVisible());
    ASSERT_EQ(changes.count(), 2);
    EXPECT_FALSE(changes.at(1).at(0).toBool());
    // In service: no more rounds until asked.
    const int done = int(rounds.count());
    QTest::qWait(400);
    EXPECT_EQ(rounds.count(), done);
}

// A failure that does not stop sales (no print host, a printer fault) never shows the screen.
TEST(OutOfService, FailuresThatLeaveSalesAloneShowNoScreen)
{
    OutOfServiceGuard controller([] {
        CheckResult host;
        host.name = QStringLiteral("Print host");
        host.reason = QStringLiteral("org.kivo.app.KVXq is not on the session bus");
        return QList<CheckResult>{host};
    });
    QSignalSpy rounds(&controller, &OutOfServiceGuard::checked);
    controller.check();
    ASSERT_TRUE(test::waitUntil([&] { return rounds.count() == 1; }));
    EXPECT_TRUE(rounds.at(0).at(0).toBool());
    EXPECT_FALSE(controller.isOutOfService());
    EXPECT_FALSE(controller.screen()->isVisible());
}
