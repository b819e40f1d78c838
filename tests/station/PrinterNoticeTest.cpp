#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "screens/ScreenSaverViewController.h"
#include "station/AppController.h"
#include "station/SalesWindowController.h"
#include "support/TestRoot.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace kivo;

// The station's own receipt printer unknown to the printing service (or no service at all):
// the staff read it on the attract screen.
TEST(PrinterNotice, AReceiptPrinterThatCannotPrintShowsOnTheAttractScreen)
{
    test::TestRoot root;
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
    for (const char* key :
         {sPrefPrintReceipt, sPrefDoPrintReceiptPrimary, sPrefReceiptPrinterNamePrimary})
        settings.removeObjectForKey(QString::fromLatin1(key));
}
