#include "core/CustomerLock.h"
#include "core/PropertyList.h"
#include "core/SalesSession.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "orders/PackageCatalogue.h"
#include "screens/ImageBrowserModel.h"
#include "screens/ImageBrowserView.h"
#include "screens/InstructionSheet.h"
#include "screens/MarkingWindow.h"
#include "screens/PackagePanelModel.h"
#include "screens/PhotoGridModel.h"
#include "screens/ProgressWindowController.h"
#include "screens/ScreenSaverViewController.h"
#include "screens/SellingScreen.h"
#include "screens/ZoomedPhotoView.h"
#include "search/ui/EnterKeyPadController.h"
#include "search/ui/HoldDownButton.h"
#include "station/SalesWindowController.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using State = kivo::SalesSession::State;

namespace {

struct FakeSearcher : kivo::PhotoSearcher
{
    QList<QStringList> searches;
    bool searchForImagesWithID(const QStringList& ids) override
    {
        searches << ids;
        return true;
    }
};

class SalesWindowVisitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        images = root.folder(QStringLiteral("images"));
        auto& s = kivo::Settings::standardUserDefaults();
        s.setString(images, QString::fromLatin1(kivo::sPrefMainImagesFolder));
        s.setBool(false, QString::fromLatin1(kivo::sPrefAllowMultipleIDs));
        controller.setPhotoSearcher(&searcher);
        controller.setTerminator([this] { ++terminations; });
        controller.window()->resize(1280, 800);
        controller.startOver();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
    }
    kivo::EnterKeyPadController* keypad() { return controller.keypad(); }
    // The customer 123456 with COUNT real photos found.
    QStringList visitWithPhotos(int count)
    {
        QStringList photos;
        for (int i = 1; i <= count; ++i) {
            photos << images + QStringLiteral("/123456_%1.jpg").arg(i);
            kivo::test::writeJpeg(photos.constLast(), kivo::test::markedImage(60, 40), 1);
        }
        press(QStringLiteral("123456"));
        controller.searchFinished({QStringLiteral("123456")}, photos, false);
        return photos;
    }
    void press(const QString& keys)
    {
        for (const QChar c : keys)
            QTest::mouseClick(keypad()->digitKey(QString(c)), Qt::LeftButton);
        QTest::mouseClick(keypad()->ibEnterButton(), Qt::LeftButton);
    }

    kivo::test::TestRoot root;
    QString images;
    FakeSearcher searcher;
    int terminations = 0;
    kivo::SalesWindowController controller{kivo::Settings::standardUserDefaults()};
};

} // namespace

TEST_F(SalesWindowVisitTest, IdOnTheKeysStartsTheSearchAndPhotosShowTheSellingScreen)
{
    EXPECT_EQ(controller.session()->state(), State::Attract);
    EXPECT_EQ(controller.screenMode(), kivo::ScreenMode::Attract);
    EXPECT_TRUE(controller.screenSaver()->view()->isVisible());
    ASSERT_TRUE(keypad()->isVisible());
    EXPECT_EQ(keypad()->messageLabel()->text(), QStringLiteral("Please Enter/Scan Your Photo ID"));

    press(QStringLiteral("123456"));
    EXPECT_FALSE(keypad()->isVisible());
    EXPECT_EQ(controller.session()->state(), State::Searching);
    ASSERT_EQ(searcher.searches.size(), 1);
    EXPECT_EQ(searcher.searches[0], QStringList{QStringLiteral("123456")});
    EXPECT_TRUE(QFileInfo::exists(kivo::CustomerLock::lockPath(images, QStringLiteral("123456"))));

    controller.searchFinished({QStringLiteral("123456")},
                              {images + QStringLiteral("/123456_a.jpg")}, false);
    EXPECT_EQ(controller.session()->state(), State::Choosing);
    EXPECT_EQ(controller.screenMode(), kivo::ScreenMode::Selling);
    EXPECT_FALSE(controller.screenSaver()->view()->isVisible());
    EXPECT_TRUE(controller.myContentView()->isVisible());

    // The customer walks away with "Start Over": the ID is free again.
    controller.session()->cancelOrder();
    EXPECT_EQ(controller.session()->state(), State::Attract);
    EXPECT_FALSE(QFileInfo::exists(kivo::CustomerLock::lockPath(images, QStringLiteral("123456"))));
    EXPECT_TRUE(keypad()->isVisible());
}

TEST_F(SalesWindowVisitTest, ScannerTypesAnIdThatAnotherStationHolds)
{
    kivo::test::writeFile(kivo::CustomerLock::lockPath(images, QStringLiteral("222222")),
                          "ID in use = 222222");
    QTest::keyClicks(keypad()->ibTextField(), QStringLiteral("222222"));
    QTest::keyClick(keypad()->ibTextField(), Qt::Key_Return);
    EXPECT_TRUE(keypad()->isVisible());
    EXPECT_EQ(keypad()->secondMessageLabel()->text(),
              QStringLiteral("Sorry - Your ID [222222] Is In Use By Another System..."));
    EXPECT_TRUE(keypad()->secondMessageLabel()->property("isError").toBool());
    EXPECT_TRUE(searcher.searches.isEmpty());
}

TEST_F(SalesWindowVisitTest, QuitCodeAndTheHostsQuitEndTheStation)
{
    QTest::keyClicks(keypad()->ibTextField(), QStringLiteral("*5281#"));
    QTest::keyClick(keypad()->ibTextField(), Qt::Key_Return);
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(controller.session()->state(), State::Quit);

    controller.startOver();
    controller.handleAEQuitApplication();
    EXPECT_EQ(terminations, 2);
}

TEST_F(SalesWindowVisitTest, ReleaseCodeIsAskedHiddenAfterTheSummary)
{
    kivo::Settings::standardUserDefaults().setBool(
        true, QString::fromLatin1(kivo::sPrefMustEnterReleaseCode));
    std::atomic<int> releases{0};
    controller.setReleaseFunction([&](const kivo::ReleaseRequest&) {
        ++releases;
        return kivo::ReleaseOutcome{true, QString()};
    });
    controller.session()->setCompletionDelay(10);
    press(QStringLiteral("123456"));
    controller.searchFinished({QStringLiteral("123456")}, {QStringLiteral("/p/123456.jpg")}, false);
    controller.session()->showOrderSummary();
    EXPECT_EQ(controller.screenMode(), kivo::ScreenMode::ContentHidden);
    controller.session()->didEndSheet(
        kivo::SheetReturn::Accepted,
        {kivo::SheetMethod::ShowOrderSummary, QString(), kivo::KeypadCommand::None});
    ASSERT_TRUE(keypad()->isVisible());
    EXPECT_TRUE(keypad()->isSecureTextMode());
    EXPECT_EQ(keypad()->messageLabel()->text(), QStringLiteral("Enter Release Code..."));

    press(QStringLiteral("1111"));
    EXPECT_EQ(controller.session()->state(), State::Choosing); // no package chosen yet
    EXPECT_EQ(controller.screenMode(), kivo::ScreenMode::Selling);
    EXPECT_EQ(releases.load(), 0);

    controller.session()->enterReleaseCode();
    press(QStringLiteral("3582"));
    EXPECT_TRUE(
        kivo::test::waitUntil([&] { return controller.session()->state() == State::Attract; }));
    EXPECT_EQ(releases.load(), 1);
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
        {true, {2, 0}, {0, 2}, 0},
        {true, {}, {0, 1, 2}, 0},      // nothing marked: every photo
        {false, {0, 1}, {0, 1, 2}, 1}, // a touch chooses one photo, which is then shown
    };
    auto& settings = kivo::Settings::standardUserDefaults();
    settings.setBool(true, QStringLiteral("prefDoShowWowWindow"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sellMarkedOnly ? "marked only" : "every photo");
        settings.setBool(c.sellMarkedOnly, QString::fromLatin1(kivo::sPrefSellMarkedPhotosOnly));
        const QStringList photos = visitWithPhotos(3);
        kivo::MarkingWindow* marking = controller.markingWindow();
        ASSERT_TRUE(marking->isVisible());
        ASSERT_TRUE(kivo::test::waitUntil([&] { return marking->model().rowCount() == 3; }));
        // The shipped instructions come up first.
        ASSERT_TRUE(marking->instructions()->isVisible());
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
        EXPECT_EQ(controller.photoGrid()->snapshot().photos, sold);
        EXPECT_EQ(controller.photoGrid()->selectedIndex(), c.selected);
        EXPECT_EQ(controller.session()->state(), State::Choosing);
        controller.session()->cancelOrder();
    }
}

TEST_F(SalesWindowVisitTest, ZoomShowsTheSelectedPhotoAndTheOpenPanelStartsASale)
{
    const QStringList photos = visitWithPhotos(2);
    controller.photoGrid()->selectItem(1);
    QTest::mouseClick(controller.sellingScreen()->zoomButton(), Qt::LeftButton);
    kivo::ZoomedPhotoView* zoom = controller.zoomView();
    ASSERT_TRUE(zoom->isVisible());
    EXPECT_EQ(zoom->photoPath(), photos.at(1));
    zoom->waitForPhoto();
    EXPECT_EQ(zoom->image().size(), QSize(60, 40));
    QTest::keyClick(zoom, Qt::Key_Escape);
    EXPECT_FALSE(zoom->isVisible());

    // A photo chosen in the open panel starts a sale with it; nothing chosen starts over.
    controller.selectFolderToOpen();
    ASSERT_TRUE(controller.openPanel()->isVisible());
    controller.openPanel()->selectFile(photos.at(0));
    static_cast<QDialog*>(controller.openPanel())->accept();
    EXPECT_EQ(controller.session()->state(), State::Choosing);
    EXPECT_EQ(controller.photoGrid()->photoList(), QStringList{photos.at(0)});
    controller.selectFolderToOpen();
    controller.openPanel()->reject();
    EXPECT_EQ(controller.session()->state(), State::Attract);
    EXPECT_TRUE(keypad()->isVisible());
}

TEST_F(SalesWindowVisitTest, MissingFoldersShowTheSetupError)
{
    kivo::Settings::standardUserDefaults().removeObjectForKey(
        QString::fromLatin1(kivo::sPrefTilboxPendingInvoiceFolder));
    controller.validateSetupBeforeStarting();
    ASSERT_TRUE(
        kivo::test::waitUntil([&] { return controller.session()->state() == State::SetupError; }));
    ASSERT_TRUE(controller.progress()->isVisible());
    EXPECT_EQ(controller.progress()->firstButton()->text(), QStringLiteral("Open Preferences..."));
    EXPECT_TRUE(controller.progress()->ibStatusField()->text().startsWith(
        QStringLiteral("UNABLE to Find REQUIRED Volumes...")));
}

TEST(SalesWindowStationSearchTest, TheStationsOwnSearchFindsThePhotosOfTheId)
{
    kivo::test::TestRoot root;
    const QString images = root.folder(QStringLiteral("images"));
    kivo::test::writeFile(images + QStringLiteral("/123456_0001.jpg"), "x");
    kivo::test::writeFile(images + QStringLiteral("/654321_0001.jpg"), "x");
    auto& s = kivo::Settings::standardUserDefaults();
    s.setString(images, QString::fromLatin1(kivo::sPrefMainImagesFolder));
    s.setBool(false, QString::fromLatin1(kivo::sPrefAllowMultipleIDs));
    s.setBool(false, QString::fromLatin1(kivo::sPrefSearchDailySubFolder));
    s.setInteger(2, QString::fromLatin1(kivo::sPrefSearchIDMethodTag)); // folder scan

    kivo::SalesWindowController controller{kivo::Settings::standardUserDefaults()};
    controller.startOver();
    // Types ID on the keyboard and waits for the search to end.
    auto search = [&](const QString& id) {
        QTest::keyClicks(controller.keypad()->ibTextField(), id);
        QTest::keyClick(controller.keypad()->ibTextField(), Qt::Key_Return);
        return kivo::test::waitUntil(
            [&] { return controller.session()->state() != State::Searching; }, 10000);
    };
    ASSERT_TRUE(search(QStringLiteral("123456")));
    ASSERT_EQ(controller.session()->state(), State::Choosing);
    EXPECT_EQ(controller.session()->lastFoundArray(),
              QStringList{images + QStringLiteral("/123456_0001.jpg")});
    EXPECT_FALSE(controller.progress()->isVisible());

    // An ID without photos: three beeps and the prompt again, the ID free.
    controller.session()->cancelOrder();
    ASSERT_TRUE(search(QStringLiteral("111111")));
    EXPECT_EQ(controller.session()->state(), State::Attract);
    EXPECT_EQ(controller.keypad()->secondMessageLabel()->text(),
              QStringLiteral("No Images Found for ID: [111111]"));
    EXPECT_FALSE(QFileInfo::exists(kivo::CustomerLock::lockPath(images, QStringLiteral("111111"))));
}

// A catalogue saved beside the settings file (as the preferences save it) is sold from at the
// next start over, without a restart.
TEST_F(SalesWindowVisitTest, ASavedSiteCatalogueServesFromTheNextVisit)
{
    using kivo::PackageCatalogue;
    const int shipped = controller.packagePanel()->maxVisiblePackageItems();
    QVariantMap display = kivo::plist::readFile(PackageCatalogue::displayListPath()).toMap();
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
    ASSERT_TRUE(
        kivo::plist::writeFile(folder + QStringLiteral("/UIDisplayPackageList.plist"), display));
    controller.startOver();
    EXPECT_EQ(controller.packagePanel()->maxVisiblePackageItems(), shipped - 1);
}
