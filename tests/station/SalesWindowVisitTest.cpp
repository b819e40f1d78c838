#include "core/CustomerLock.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/StaffNotices.h"
#include "imaging/ui/PhotoEditingWindow.h"
#include "imaging/ui/ZoomableImageView.h"
#include "orders/PackageCatalogue.h"
#include "screens/AttractScreen.h"
#include "screens/ImageBrowserModel.h"
#include "screens/ImageBrowserView.h"
#include "screens/InstructionSheet.h"
#include "screens/MarkingWindow.h"
#include "screens/OrderSummarySheet.h"
#include "screens/PackagePanelModel.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoGridView.h"
#include "screens/PhotoPreview.h"
#include "screens/ProgressSheet.h"
#include "screens/SellingScreen.h"
#include "screens/StationStyle.h"
#include "screens/StillTherePrompt.h"
#include "screens/ZoomedPhotoView.h"
#include "search/ui/HoldDownButton.h"
#include "search/ui/KeypadSheet.h"
#include "station/SalesWindow.h"
#include "station/VisitIdleGuard.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"
#include "visit/SalesSession.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

using namespace kivo;
using State = SalesSession::State;

namespace {

// The sales window over an images folder of its own, searched by the station's own folder scan.
class SalesWindowVisitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        images = root.folder(QStringLiteral("images"));
        settings.setMainImagesFolder(images);
        settings.setAllowMultipleIds(false);
        settings.setSearchDailySubFolder(false);
        settings.setSearchIdMethodTag(2); // folder scan
        controller.setTerminator([] {});
        controller.window()->resize(1280, 800);
        controller.startOver();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
    }
    KeypadSheet* keypad() { return controller.keypad(); }
    bool locked(const QString& id) const
    {
        return QFileInfo::exists(CustomerLock::lockPath(images, id));
    }
    // The customer 123456 with COUNT real photos, found by the search.
    QStringList visitWithPhotos(int count)
    {
        QStringList photos;
        for (int i = 1; i <= count; ++i) {
            photos << images + QStringLiteral("/123456_%1.jpg").arg(i);
            test::writeJpeg(photos.constLast(), test::markedImage(60, 40), 1);
        }
        press(QStringLiteral("123456"));
        EXPECT_TRUE(searchEnded());
        return photos;
    }
    bool searchEnded()
    {
        return test::waitUntil([&] { return controller.session()->state() != State::Searching; },
                               10000);
    }
    // KEYS on the on-screen keypad, then "Enter".
    void press(const QString& keys)
    {
        for (const QChar c : keys)
            QTest::mouseClick(keypad()->digitKey(QString(c)), Qt::LeftButton);
        QTest::mouseClick(keypad()->enterButton(), Qt::LeftButton);
    }
    // KEYS typed as the barcode scanner types them, then Return.
    void type(const QString& keys)
    {
        QTest::keyClicks(keypad()->textField(), keys);
        QTest::keyClick(keypad()->textField(), Qt::Key_Return);
    }

    test::TestRoot root;
    Settings& settings = Settings::instance();
    QString images;
    SalesWindow controller{Settings::instance()};
};

} // namespace

// The keypad stands whole in the middle of the attract screen, whatever its size.
TEST_F(SalesWindowVisitTest, TheKeypadStandsWholeInTheMiddleOfTheScreen)
{
    qApp->setStyleSheet(stationStyleSheet());
    for (const QSize size :
         {QSize(1024, 768), QSize(1280, 800), QSize(1920, 1080), QSize(1080, 1920)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        controller.window()->resize(size);
        controller.startOver();
        ASSERT_TRUE(keypad()->isVisible());
        const QRect screen = controller.window()->geometry();
        const QRect pad = keypad()->window()->geometry();
        EXPECT_TRUE(screen.contains(pad));
        EXPECT_LE(std::abs(pad.center().y() - screen.center().y()), 1);
        EXPECT_LE(std::abs(pad.center().x() - screen.center().x()), 1);
    }
    qApp->setStyleSheet(QString());
}

// The session's answers at the ID prompt reach the keypad: its prompt, and a refusal in red.
TEST_F(SalesWindowVisitTest, TheIdPromptAndItsRefusalShowOnTheKeypad)
{
    EXPECT_EQ(controller.session()->state(), State::Attract);
    EXPECT_EQ(controller.screenMode(), ScreenMode::Attract);
    EXPECT_TRUE(controller.screenSaver()->view()->isVisible());
    ASSERT_TRUE(keypad()->isVisible());
    EXPECT_EQ(keypad()->messageLabel()->text(), QStringLiteral("Please Enter/Scan Your Photo ID"));

    // An ID another station holds: refused in red, nothing searched.
    test::writeFile(CustomerLock::lockPath(images, QStringLiteral("222222")), "ID in use = 222222");
    type(QStringLiteral("222222"));
    EXPECT_EQ(controller.session()->state(), State::Attract);
    EXPECT_TRUE(keypad()->isVisible());
    EXPECT_EQ(keypad()->secondMessageLabel()->text(),
              QStringLiteral("Sorry - Your ID [222222] Is In Use By Another System..."));
    EXPECT_TRUE(keypad()->secondMessageLabel()->property("isError").toBool());
}

TEST_F(SalesWindowVisitTest, MarkingWindowHandsTheMarkedPhotosToTheSale)
{
    struct Case
    {
        bool sellMarkedOnly;
        QList<int> touched;
        QList<int> sold; // the photos in the grid afterwards
        int selected;    // the grid's selected photo
    } cases[] = {
        {true, {}, {0, 1, 2}, 0},      // nothing marked: every photo
        {false, {0, 1}, {0, 1, 2}, 1}, // a touch chooses one photo, which is then shown
    };
    settings.setDoShowWowWindow(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sellMarkedOnly ? "marked only" : "every photo");
        settings.setSellMarkedPhotosOnly(c.sellMarkedOnly);
        const QStringList photos = visitWithPhotos(3);
        MarkingWindow* marking = controller.markingWindow();
        ASSERT_TRUE(marking->isVisible());
        ASSERT_TRUE(test::waitUntil([&] { return marking->model().rowCount() == 3; }));
        marking->instructions()->closeInstructionWindow();

        QListView* list = marking->browser()->list();
        for (int row : c.touched)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(row, 0)).center());
        QTest::mouseClick(marking->continueButton(), Qt::LeftButton);
        EXPECT_FALSE(marking->isVisible());
        QStringList sold;
        for (int row : c.sold)
            sold << photos.at(row);
        EXPECT_EQ(controller.photoGrid()->photoList(), sold);
        EXPECT_EQ(controller.photoGrid()->selectedIndex(), c.selected);
        EXPECT_EQ(controller.session()->state(), State::Choosing);
        controller.session()->cancelOrder();
    }
}

TEST_F(SalesWindowVisitTest, ZoomShowsTheSelectedPhotoAndPrintsASample)
{
    // Sample prints reach the print host as order files: the first photo's as the visit starts,
    // the zoomed photo's from the zoom window's "Sample Print".
    const QString orders = root.folder(QStringLiteral("orders"));
    settings.setLocalServerPath(orders);
    settings.setDoPreprintFirstPhoto(true);
    settings.setEnableTransparentButton1(true);
    const auto samplePrinted = [&orders](const QString& file) {
        return plist::readFile(orders + file).toMap().value("listOfImages").toList();
    };
    const QStringList photos = visitWithPhotos(2);
    EXPECT_EQ(samplePrinted("/123456_prePrintOrder.plist"), QVariantList{photos.at(0)});
    controller.photoGrid()->selectItem(1);
    ZoomedPhotoView* zoom = controller.zoomView();
    QTest::mouseClick(controller.sellingScreen()->zoomButton(), Qt::LeftButton);
    QTest::mouseClick(zoom->samplePrintButton(), Qt::LeftButton);
    EXPECT_FALSE(zoom->isVisible());
    EXPECT_EQ(samplePrinted("/123456-2_prePrintOrder.plist"), QVariantList{photos.at(1)});
}

// A close of the sales window ends the visit as the station's end does: the customer's lock is
// released, the open sheets and the selling screen are cleared, and the station ends.
TEST_F(SalesWindowVisitTest, ClosingTheWindowEndsTheVisitAndFreesTheLock)
{
    int ended = 0;
    controller.setTerminator([&ended] { ++ended; });
    visitWithPhotos(1);
    ASSERT_TRUE(locked(QStringLiteral("123456")));
    controller.session()->showOrderSummary();
    ASSERT_TRUE(controller.orderSummary()->isVisible());
    EXPECT_TRUE(controller.window()->close());
    EXPECT_FALSE(locked(QStringLiteral("123456")));
    EXPECT_FALSE(controller.orderSummary()->isVisible());
    EXPECT_TRUE(controller.photoGrid()->photoList().isEmpty());
    EXPECT_EQ(ended, 1);
}

// A catalogue saved beside the settings file (as the preferences save it) is sold from at the
// next start over, without a restart.
TEST_F(SalesWindowVisitTest, ASavedSiteCatalogueServesFromTheNextVisit)
{
    const int shipped = controller.packagePanel()->maxVisiblePackageItems();
    QVariantMap display = plist::readFile(PackageCatalogue::displayListPath()).toMap();
    for (const QString key : {"UIDisplayPackageList", "UIDisplayPackageListNew"}) {
        QVariantList list = display.value(key).toList();
        ASSERT_GT(list.size(), 1) << key.toStdString();
        list.removeLast();
        display.insert(key, list);
    }
    const QString folder = PackageCatalogue::siteCatalogueFolder();
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(PackageCatalogue::masterItemListPath(),
                            folder + QStringLiteral("/MasterItemList.plist")));
    ASSERT_TRUE(plist::writeFile(folder + QStringLiteral("/UIDisplayPackageList.plist"), display));
    StaffNotices notices;
    controller.setStaffNotices(&notices);
    controller.startOver();
    EXPECT_EQ(controller.packagePanel()->maxVisiblePackageItems(), shipped - 1);

    // The site's catalogue spoilt by hand: the station sells on from the one it had (not the
    // shipped one, at other prices), and the staff are told why the change was refused.
    QFile broken(folder + QStringLiteral("/UIDisplayPackageList.plist"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("<plist><dict><key>UIDisplayPackageList</key>");
    broken.close();
    controller.startOver();
    EXPECT_EQ(controller.packagePanel()->maxVisiblePackageItems(), shipped - 1);
    EXPECT_TRUE(notices.line(QStringLiteral("catalogue")).contains(broken.fileName()))
        << notices.text().toStdString();
    // Mended, it serves, and the notice goes.
    for (const QString key : {"UIDisplayPackageList", "UIDisplayPackageListNew"}) {
        QVariantList list = display.value(key).toList();
        list.removeLast();
        display.insert(key, list);
    }
    // Saved within the same tick of the file system's clock as the bad one.
    const QDateTime brokenTime = QFileInfo(broken.fileName()).lastModified();
    ASSERT_TRUE(QFile::remove(broken.fileName()));
    ASSERT_TRUE(plist::writeFile(broken.fileName(), display));
    QFile mended(broken.fileName());
    ASSERT_TRUE(mended.open(QIODevice::ReadWrite));
    ASSERT_TRUE(mended.setFileTime(brokenTime, QFileDevice::FileModificationTime));
    mended.close();
    controller.startOver();
    EXPECT_EQ(controller.packagePanel()->maxVisiblePackageItems(), shipped - 2);
    EXPECT_TRUE(notices.isEmpty()) << notices.text().toStdString();
}

// A customer who walks away: asked first, kept by a touch, and ended with the lock released
// and the photos gone when nobody answers.
TEST_F(SalesWindowVisitTest, UnansweredIdlePromptEndsTheVisitAndATouchKeepsIt)
{
    settings.setIdleTimeoutSeconds(1);
    VisitIdleGuard guard(controller, settings);
    guard.idleTimeout().setPromptDuration(400);
    StillTherePrompt* prompt = guard.prompt();
    visitWithPhotos(1);
    ASSERT_EQ(controller.session()->state(), State::Choosing);
    ASSERT_TRUE(locked(QStringLiteral("123456")));

    // Over the summary, whose sheet is modal to the sales window, the prompt still takes the
    // touch that answers it.
    controller.session()->showOrderSummary();
    ASSERT_EQ(controller.session()->state(), State::Summary);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt->isVisible(); }, 3000));
    EXPECT_EQ(prompt->accessibleName(), QStringLiteral("Still there?"));
    EXPECT_EQ(prompt->geometry(), controller.window()->geometry());
    QTest::mouseClick(prompt->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(prompt->isVisible());
    QTest::qWait(600);
    EXPECT_EQ(controller.session()->state(), State::Summary);

    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt->isVisible(); }, 3000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return controller.session()->state() == State::Attract; }, 3000));
    EXPECT_FALSE(prompt->isVisible());
    EXPECT_FALSE(locked(QStringLiteral("123456")));
    EXPECT_TRUE(controller.photoGrid()->photoList().isEmpty());
    EXPECT_TRUE(keypad()->isVisible());
}
