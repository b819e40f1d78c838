// A visit released through the sales window into the real order output: order files, pending
// invoice, receipt PDF copy, the operators' figures and metrics, the start-over, and a release
// whose invoice folder is missing.
#include "core/CustomerLock.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/OrdersTestSupport.h"
#include "orders/PackageCatalogue.h"
#include "orders/SinglePackageModel.h"
#include "output/OrderReleaseBridge.h"
#include "output/ReleaseJournal.h"
#include "screens/OrderSummaryModel.h"
#include "screens/OrderSummarySheet.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoGridView.h"
#include "screens/ProgressSheet.h"
#include "screens/SellingScreen.h"
#include "search/ui/HoldDownButton.h"
#include "search/ui/KeypadSheet.h"
#include "station/SalesWindow.h"
#include "station/StationApp.h"
#include "station/StationMetrics.h"
#include "station/StationMonitor.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"
#include "visit/SalesSession.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmapCache>
#include <QProcess>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace kivo;
using State = SalesSession::State;

namespace {

// A small JPEG with the EXIF tags a camera station writes.
void writePhoto(const QString& path, int width, int height)
{
    test::writeJpeg(path, test::markedImage(width, height), 1,
                    QStringLiteral("2025:12:05 14:05:00"));
}

// How often STATES (a spy on stateChanged) went back to the attract screen.
int attracts(const QSignalSpy& states)
{
    int n = 0;
    for (const QList<QVariant>& s : states)
        n += s.at(0).value<State>() == State::Attract;
    return n;
}

struct Choice
{
    int photo;
    const char* package;
    int qty;
    int prePrinted;
};

class ReleaseToOrderOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // No session bus: the host announcement must neither block nor fail the release.
        qputenv("DBUS_SESSION_BUS_ADDRESS",
                QFile::encodeName("unix:path=" + root.path() + "/no-bus"));
        images = root.folder(QStringLiteral("images"));
        server = root.folder(QStringLiteral("server"));
        receipts = root.folder(QStringLiteral("receipts"));
        pos = root.file(QStringLiteral("pos"));
        for (int i = 1; i <= 3; ++i) {
            // Grid order is file-name order; the middle photo is landscape.
            const bool landscape = i == 2;
            writePhoto(photo(i), landscape ? 96 : 64, landscape ? 64 : 96);
        }
        writePhoto(images + QStringLiteral("/654321_0001.jpg"), 64, 96);

        auto& s = Settings::instance();
        s.setMainImagesFolder(images);
        s.setLocalServerPath(server);
        s.setTilboxPendingInvoiceFolder(pos);
        s.setLocalReceiptPath(receipts);
        s.setAllowMultipleIds(false);
        s.setSearchDailySubFolder(false);
        s.setSearchIdMethodTag(2); // folder scan
        s.setMustEnterReleaseCode(true);
        s.setDoPreprintFirstPhoto(false);
        // A receipt is made (its PDF copy kept) but no printer is asked for.
        s.setPrintReceipt(true);
        s.setDoPrintReceiptPrimary(false);
        s.setDoPrintReceiptSecondary(false);
        s.setPromptForCustomerNameOnReceipt(false);

        makeStation();
    }

    // A fresh sales window at its ID prompt.
    void makeStation()
    {
        controller = std::make_unique<SalesWindow>(Settings::instance());
        controller->setTerminator([] {});
        controller->session()->releaseBridge()->setStartOverDelay(50);
        controller->window()->resize(1280, 800);
        controller->startOver();
    }

    // The bus comes back for the tests after these (the station process tests need it).
    void TearDown() override
    {
        controller.reset();
        qputenv("DBUS_SESSION_BUS_ADDRESS", busAddress);
    }

    QString photo(int i) const { return images + QStringLiteral("/123456_000%1.jpg").arg(i); }

    bool waitForState(State state, int ms = 10000)
    {
        return test::waitUntil([&] { return controller->session()->state() == state; }, ms);
    }

    void press(const QString& keys)
    {
        for (const QChar c : keys)
            QTest::mouseClick(controller->keypad()->digitKey(QString(c)), Qt::LeftButton);
        QTest::mouseClick(controller->keypad()->enterButton(), Qt::LeftButton);
    }

    // The customer's ID, the station's own search, and the package rows touched for CHOICES.
    void reachPhotosAndChoose(const QList<Choice>& choices)
    {
        press(QStringLiteral("123456"));
        ASSERT_TRUE(waitForState(State::Choosing));
        for (const Choice& c : choices) {
            // A fresh row for each touch, as the package panel gives its rows.
            SinglePackageModel row;
            row.assignName(QString::fromUtf8(c.package));
            row.assignPrePrintedQtyValue(qint16(c.prePrinted));
            row.assignValue(qint16(c.qty));
            PhotoGridModel* grid = controller->photoGrid();
            ASSERT_TRUE(grid->selectItem(c.photo));
            ASSERT_TRUE(grid->thisImageOrder()->copySinglePackageModelToOrder(&row));
        }
    }

    // "Show Summary", "Accept", then the release code.
    void acceptAndRelease()
    {
        controller->session()->showOrderSummary();
        OrderSummarySheet* summary = controller->orderSummary();
        ASSERT_TRUE(summary->isVisible());
        QTest::mouseClick(summary->acceptButton(), Qt::LeftButton);
        ASSERT_EQ(controller->session()->state(), State::ReleaseCode);
        EXPECT_EQ(controller->screenMode(), ScreenMode::ContentHidden);
        // The sales person's code, asked hidden.
        ASSERT_TRUE(controller->keypad()->isVisible());
        EXPECT_TRUE(controller->keypad()->isSecureTextMode());
        EXPECT_EQ(controller->keypad()->messageLabel()->text(),
                  QStringLiteral("Enter Release Code..."));
        press(QStringLiteral("3582"));
    }

    QStringList receiptCopies() const
    {
        return QDir(receipts).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }

    test::TestRoot root;
    QString images, server, receipts, pos;
    std::unique_ptr<SalesWindow> controller;
    const QByteArray busAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
};

// The units the pending invoice bills for the photo file FILE_NAME.
int billedUnits(const QString& invoice, const QString& fileName)
{
    int units = 0;
    for (const test::InvoiceRecord& record : test::invoiceRecords(invoice.toUtf8()))
        units += record.photoName == fileName ? int(record.qty) : 0;
    return units;
}

// The metrics served on PORT, read by curl as a collector would: each sample's value by its
// name and labels.
QMap<QString, double> scrapeMetrics(quint16 port)
{
    QProcess curl;
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-sS"), QStringLiteral("--max-time"), QStringLiteral("5"),
                QStringLiteral("http://127.0.0.1:%1/metrics").arg(port)});
    QMap<QString, double> samples;
    if (!curl.waitForFinished(10000) || curl.exitCode() != 0)
        return samples;
    for (const QByteArray& line : curl.readAllStandardOutput().split('\n')) {
        const qsizetype space = line.lastIndexOf(' ');
        if (line.startsWith('#') || space < 0)
            continue;
        samples.insert(QString::fromUtf8(line.left(space)), line.mid(space + 1).toDouble());
    }
    return samples;
}

} // namespace

TEST_F(ReleaseToOrderOutputTest, ReleasedVisitWritesEveryFileAndStartsOverOnce)
{
    StationMonitor monitor(QStringLiteral("test"));
    StationApp::feedMonitor(monitor, *controller);
    StationMetrics metrics(monitor);
    QString metricsError;
    const bool served = StationMetrics::available() && metrics.start(0, &metricsError);
    if (StationMetrics::available()) {
        ASSERT_TRUE(served) << metricsError.toStdString();
        const QMap<QString, double> before = scrapeMetrics(metrics.port());
        EXPECT_EQ(before.value("kivo_visits_started_total", -1), 0);
        EXPECT_EQ(before.value("kivo_orders_released_total", -1), 0);
    }
    reachPhotosAndChoose(
        {{0, "8x10 Print", 2, 0}, {2, "USB Drive", 1, 0}, {2, "5x7 Prints (2)", 3, 1}});
    ASSERT_TRUE(QDir().mkpath(pos));
    QSignalSpy states(controller->session(), &SalesSession::stateChanged);
    // Qt's pixmap cache holds the scaled copies of the grid's thumbnails; what the visit left
    // there (this entry standing for them) is gone when it ends, or every visit adds its photos.
    ASSERT_TRUE(QPixmapCache::insert(QStringLiteral("drawn during the visit"), QPixmap(64, 64)));
    acceptAndRelease();
    // Without a bus the announcement is only logged: the release is not held up by it (a hang
    // would outlast the wait's ten seconds).
    ASSERT_TRUE(waitForState(State::Attract));
    QTest::qWait(300); // room for a second, stray completion
    EXPECT_EQ(attracts(states), 1);
    EXPECT_TRUE(controller->keypad()->isVisible());
    EXPECT_EQ(controller->photoGrid()->countOfVisibleViews(), 0);
    EXPECT_FALSE(QFileInfo::exists(CustomerLock::lockPath(images, QStringLiteral("123456"))));
    QPixmap kept;
    EXPECT_FALSE(QPixmapCache::find(QStringLiteral("drawn during the visit"), &kept));

    // Both order files are written; what each holds is the order file writer's (tested with it).
    EXPECT_TRUE(QFileInfo::exists(server + "/123456_orderOrig.plist"));
    EXPECT_TRUE(QFileInfo::exists(server + "/123456_order.plist"));

    // The pending invoice bills every unit, under the photos' file names.
    const QString invoice = QString::fromUtf8(test::readFile(pos + "/123456.txt"));
    EXPECT_TRUE(invoice.contains("\rV1002\t"));
    EXPECT_EQ(billedUnits(invoice, "123456_0001.jpg"), 2) << invoice.toStdString();
    EXPECT_EQ(billedUnits(invoice, "123456_0002.jpg"), 0);
    EXPECT_EQ(billedUnits(invoice, "123456_0003.jpg"), 4);

    // One receipt, kept as a PDF copy (no printer was asked for).
    EXPECT_EQ(receiptCopies().size(), 1);

    // The operators' figures moved by one visit and one release of what the invoice bills.
    EXPECT_EQ(monitor.visitsStarted(), 1);
    EXPECT_EQ(monitor.ordersReleased(), 1);
    EXPECT_EQ(monitor.ordersToday(), 1);
    EXPECT_EQ(monitor.releaseFailures(), 0);
    const float billed = plist::readFile(server + "/123456_order.plist")
                             .toMap()
                             .value("curOrderTotalsInfo")
                             .toMap()
                             .value("total")
                             .toFloat();
    EXPECT_GT(billed, 0.0f);
    EXPECT_NEAR(monitor.salesToday(), double(billed), 0.005);

    if (!served)
        GTEST_SKIP() << "built without prometheus-cpp: the metrics were not read";
    const QMap<QString, double> after = scrapeMetrics(metrics.port());
    EXPECT_EQ(after.value("kivo_visits_started_total", -1), 1);
    EXPECT_EQ(after.value("kivo_orders_released_total", -1), 1);
    EXPECT_EQ(after.value("kivo_release_failures_total", -1), 0);
    EXPECT_NEAR(after.value("kivo_sales_total", -1), double(billed), 0.005);
    EXPECT_EQ(after.value("kivo_out_of_service", -1), 0);
    EXPECT_GT(after.value("kivo_uptime_seconds", -1), 0);
    // Two 8x10 prints, one drive and three sets of 5x7 prints.
    double items = 0;
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        items += it.key().startsWith("kivo_items_released_total{") ? it.value() : 0;
    EXPECT_EQ(items, 6) << QStringList(after.keys()).join(' ').toStdString();
}

// A catalogue saved while the customer looks at the summary serves from the next visit: this one
// is billed at the prices the summary showed.
TEST_F(ReleaseToOrderOutputTest, CatalogueSavedDuringTheVisitLeavesTheBillAsShown)
{
    reachPhotosAndChoose({{0, "8x10 Print", 2, 0}, {2, "USB Drive", 1, 0}});
    ASSERT_TRUE(QDir().mkpath(pos));
    controller->session()->showOrderSummary();
    const OrderTotals shown = controller->orderSummaryModel()->totals();
    ASSERT_GT(shown.total, 0.0f);

    QVariantMap master = plist::readFile(PackageCatalogue::masterItemListPath()).toMap();
    for (auto it = master.begin(); it != master.end(); ++it) {
        QVariantMap record = it.value().toMap();
        record["pkgUnitPrice"] = record.value("pkgUnitPrice").toDouble() * 3.0 + 1.0;
        it.value() = record;
    }
    const QDir site(PackageCatalogue::siteCatalogueFolder());
    ASSERT_TRUE(site.mkpath("."));
    ASSERT_TRUE(plist::writeFile(site.filePath("MasterItemList.plist"), master));
    ASSERT_TRUE(QFile::copy(PackageCatalogue::displayListPath(),
                            site.filePath("UIDisplayPackageList.plist")));
    ASSERT_TRUE(PackageCatalogue::hasSiteCatalogue());

    acceptAndRelease();
    ASSERT_TRUE(waitForState(State::Attract));
    const QVariantMap totals =
        plist::readFile(server + "/123456_order.plist").toMap().value("curOrderTotalsInfo").toMap();
    EXPECT_FLOAT_EQ(totals.value("subTotal").toFloat(), shown.subTotal);
    EXPECT_FLOAT_EQ(totals.value("total").toFloat(), shown.total);
}

TEST_F(ReleaseToOrderOutputTest, MissingInvoiceFolderIsShownAndATryAfterTheFixSucceedsOnce)
{
    reachPhotosAndChoose({{1, "Wallets (8)", 2, 0}});
    const QString lock = CustomerLock::lockPath(images, QStringLiteral("123456"));
    QSignalSpy notices(controller->session()->releaseBridge(),
                       &OrderReleaseBridge::staffNoticeChanged);
    StationMonitor monitor(QStringLiteral("test"));
    StationApp::feedMonitor(monitor, *controller);
    acceptAndRelease();
    ASSERT_TRUE(waitForState(State::ReleaseFailed));
    EXPECT_EQ(monitor.releaseFailures(), 1);
    EXPECT_EQ(monitor.ordersReleased(), 0);

    // The customer reads plain words; the staff's notice names the file and the folder.
    ProgressSheet* sheet = controller->progress();
    ASSERT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->statusLabel()->text().toStdString(),
              "UNABLE to Save This Order...\nYour order could not be saved. Please ask a member "
              "of staff for help.");
    ASSERT_TRUE(test::waitUntil([&] { return notices.size() == 1; }, 2000));
    const QString notice = notices.takeFirst().at(0).toString();
    EXPECT_TRUE(notice.contains(QStringLiteral("pending invoice")) && notice.contains(pos))
        << notice.toStdString();
    EXPECT_EQ(sheet->firstButton()->text(), QStringLiteral("Try Again"));

    // No receipt for an order that was not saved.
    EXPECT_TRUE(receiptCopies().isEmpty());

    // The folder appears; "Try Again" releases the same order and starts over once.
    ASSERT_TRUE(QDir().mkpath(pos));
    QSignalSpy states(controller->session(), &SalesSession::stateChanged);
    QTest::mouseClick(sheet->firstButton(), Qt::LeftButton);
    ASSERT_TRUE(waitForState(State::Attract));
    QTest::qWait(300);
    EXPECT_EQ(attracts(states), 1);
    EXPECT_FALSE(QFileInfo::exists(lock));
    const QString invoice = QString::fromUtf8(test::readFile(pos + "/123456.txt"));
    EXPECT_EQ(billedUnits(invoice, "123456_0002.jpg"), 2) << invoice.toStdString();
    EXPECT_EQ(receiptCopies().size(), 1);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices.takeFirst().at(0).toString().isEmpty()); // the notice goes
}

// A photo that breaks after it was chosen (its file cut short) stops the release before any file
// is written: the customer is told, it is taken off the order, and the order released again
// bills the rest alone.
TEST_F(ReleaseToOrderOutputTest, PhotoBrokenAfterItWasChosenIsCaughtBeforeTheRelease)
{
    reachPhotosAndChoose({{0, "8x10 Print", 1, 0}, {2, "USB Drive", 1, 0}});
    ASSERT_TRUE(QDir().mkpath(pos));
    const QByteArray bytes = test::readFile(photo(3));
    test::writeFile(photo(3), bytes.left(bytes.size() * 2 / 3));
    acceptAndRelease();
    ASSERT_TRUE(waitForState(State::ReleaseFailed));

    ProgressSheet* sheet = controller->progress();
    ASSERT_TRUE(sheet->isVisible());
    const QString shown = sheet->statusLabel()->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("123456_0003.jpg"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(images)) << shown.toStdString();
    EXPECT_EQ(sheet->firstButton()->text(), QStringLiteral("Back to Order"));
    EXPECT_FALSE(sheet->secondButton()->isVisible());
    EXPECT_FALSE(QFileInfo::exists(pos + "/123456.txt"));
    EXPECT_FALSE(QFileInfo::exists(server + "/123456_order.plist"));
    EXPECT_TRUE(receiptCopies().isEmpty());
    EXPECT_FALSE(controller->photoGrid()->isOrderable(2));
    EXPECT_EQ(controller->photoGrid()->orderAt(2).computeTotalSheets(), 0);

    QTest::mouseClick(sheet->firstButton(), Qt::LeftButton);
    ASSERT_TRUE(test::waitUntil([&] { return !sheet->isVisible(); }));
    acceptAndRelease();
    ASSERT_TRUE(waitForState(State::Attract));
    const QString invoice = QString::fromUtf8(test::readFile(pos + "/123456.txt"));
    EXPECT_EQ(billedUnits(invoice, "123456_0001.jpg"), 1) << invoice.toStdString();
    EXPECT_EQ(billedUnits(invoice, "123456_0003.jpg"), 0) << invoice.toStdString();
}

// The share of the photos goes away during the visit (its folder no longer answers): the photos
// are not taken for broken. The release fails as a failed write does, keeps the whole order and
// goes through with "Try Again" once the share is back.
TEST_F(ReleaseToOrderOutputTest, PhotosOnAShareThatWentAwayStayOnTheOrderForATryAgain)
{
    reachPhotosAndChoose({{0, "8x10 Print", 1, 0}, {2, "USB Drive", 1, 0}});
    ASSERT_TRUE(QDir().mkpath(pos));
    QSignalSpy notices(controller->session()->releaseBridge(),
                       &OrderReleaseBridge::staffNoticeChanged);
    // The photos on show were read while the share was there.
    controller->sellingScreen()->photoGrid()->waitForImages();
    const QString away = images + QStringLiteral("-away");
    ASSERT_TRUE(QDir().rename(images, away));
    acceptAndRelease();
    ASSERT_TRUE(waitForState(State::ReleaseFailed));

    ProgressSheet* sheet = controller->progress();
    EXPECT_EQ(sheet->firstButton()->text(), QStringLiteral("Try Again"));
    ASSERT_TRUE(test::waitUntil([&] { return notices.size() == 1; }, 2000));
    EXPECT_TRUE(notices.takeFirst().at(0).toString().contains(images));
    for (int row : {0, 2}) {
        EXPECT_TRUE(controller->photoGrid()->isOrderable(row)) << row;
        EXPECT_EQ(controller->photoGrid()->orderAt(row).computeTotalSheets(), 1) << row;
    }
    EXPECT_FALSE(QFileInfo::exists(pos + "/123456.txt"));

    ASSERT_TRUE(QDir().rename(away, images));
    QTest::mouseClick(sheet->firstButton(), Qt::LeftButton);
    ASSERT_TRUE(waitForState(State::Attract));
    const QString invoice = QString::fromUtf8(test::readFile(pos + "/123456.txt"));
    EXPECT_EQ(billedUnits(invoice, "123456_0001.jpg"), 1) << invoice.toStdString();
    EXPECT_EQ(billedUnits(invoice, "123456_0003.jpg"), 1) << invoice.toStdString();
}

// The point-of-sale folder goes away (as a share does) between the release's renames, and the
// customer leaves rather than trying again: the order they were told was not saved is neither
// billed nor printed, not even by the next start.
TEST_F(ReleaseToOrderOutputTest, ReleaseCutBetweenItsRenamesIsDroppedWhenTheCustomerLeaves)
{
    reachPhotosAndChoose({{0, "8x10 Print", 1, 0}});
    ASSERT_TRUE(QDir().mkpath(pos));
    const QString invoice = pos + QStringLiteral("/123456.txt");
    const QString away = pos + QStringLiteral("-away");
    ReleaseTransaction::setBeforeRenameForTests([&](const QString& final) {
        if (final == invoice)
            QDir().rename(pos, away);
    });
    acceptAndRelease();
    const bool failed = waitForState(State::ReleaseFailed);
    ReleaseTransaction::setBeforeRenameForTests({});
    ASSERT_TRUE(failed);
    ASSERT_TRUE(QDir().rename(away, pos));

    ProgressSheet* sheet = controller->progress();
    QTest::mouseClick(sheet->secondButton(), Qt::LeftButton); // "Back to Order"
    ASSERT_TRUE(test::waitUntil([&] { return !sheet->isVisible(); }));
    controller->session()->cancelOrder();
    QTest::mouseClick(sheet->firstButton(), Qt::LeftButton); // "Cancel Order"
    ASSERT_TRUE(waitForState(State::Attract));

    const RecoveryReport next = ReleaseJournal::recover(Settings::instance());
    EXPECT_TRUE(next.changedNothing()) << next.lines.join('\n').toStdString();
    EXPECT_EQ(QDir(pos).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_EQ(QDir(server).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(ReleaseIndexWarmTest, MethodOneWarmsTheIndexOfTheSearchFolderAfterTheStartUpCheck)
{
    struct Row
    {
        int method;
        bool daily;
        bool foldersPresent;
        bool warmed;
    };
    for (const Row& row :
         {Row{1, false, true, true}, Row{1, true, true, true}, Row{2, false, true, false},
          Row{0, false, true, false}, Row{1, false, false, false}}) {
        SCOPED_TRACE(testing::Message() << "method " << row.method << " daily " << row.daily
                                        << " folders " << row.foldersPresent);
        test::TestRoot root;
        const QString images = root.file(QStringLiteral("images"));
        const QString pos = root.file(QStringLiteral("pos"));
        if (row.foldersPresent) {
            ASSERT_TRUE(QDir().mkpath(images));
            ASSERT_TRUE(QDir().mkpath(pos));
        }
        auto& s = Settings::instance();
        s.setMainImagesFolder(images);
        s.setTilboxPendingInvoiceFolder(pos);
        s.setSearchIdMethodTag(row.method);
        s.setSearchDailySubFolder(row.daily);
        s.setDailyFolderDateFormat(QStringLiteral("yyyy-MM-dd"));

        SalesWindow controller{Settings::instance()};
        controller.setTerminator([] {});
        QStringList warmed;
        controller.setIndexWarmer([&](const QString& folder) { warmed << folder; });
        controller.validateSetupBeforeStarting();
        const State expected = row.foldersPresent ? State::Attract : State::SetupError;
        ASSERT_TRUE(
            test::waitUntil([&] { return controller.session()->state() == expected; }, 10000));
        if (!row.warmed) {
            EXPECT_TRUE(warmed.isEmpty());
            continue;
        }
        const QString folder =
            row.daily ? images + "/" + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))
                      : images;
        EXPECT_EQ(warmed, QStringList{folder});
    }
}

TEST_F(ReleaseToOrderOutputTest, CompletionThatBeatsTheOutcomeWaitsForIt)
{
    // An output whose start-over timer fires before its worker's answer is back on the main
    // thread: the start-over must not clear the visit under the outcome. The worker answers only
    // once the main thread has run the completion.
    SalesSession* session = controller->session();
    controller->session()->setReleaseFunction([session](const ReleaseRequest&) {
        QSemaphore completed;
        QMetaObject::invokeMethod(
            session,
            [session, &completed] {
                session->onStartOverTimer();
                completed.release();
            },
            Qt::QueuedConnection);
        completed.acquire();
        return ReleaseOutcome{true, QString(), true};
    });
    reachPhotosAndChoose({{0, "8x10 Print", 1, 0}});
    QList<State> stateAtOutcome;
    QObject::connect(session, &SalesSession::releaseFinished, controller.get(),
                     [&] { stateAtOutcome << session->state(); });
    QSignalSpy states(session, &SalesSession::stateChanged);
    acceptAndRelease();
    ASSERT_TRUE(waitForState(State::Attract));
    QTest::qWait(200); // room for a second, stray completion
    EXPECT_EQ(stateAtOutcome, QList<State>{State::Releasing});
    EXPECT_EQ(attracts(states), 1);
}

// The station ends while a release is still writing: the release finishes with its files, and
// nothing of the window that is going away is shown or rebuilt for its outcome.
TEST_F(ReleaseToOrderOutputTest, EndingTheStationDuringAReleaseKeepsItsFilesAndShowsNothing)
{
    for (const bool invoiceFolder : {true, false}) {
        SCOPED_TRACE(invoiceFolder ? "release succeeds" : "release fails");
        if (invoiceFolder)
            ASSERT_TRUE(QDir().mkpath(pos));
        else
            ASSERT_TRUE(QDir(pos).removeRecursively());
        makeStation();
        QSemaphore go;
        OrderReleaseBridge* bridge = controller->session()->releaseBridge();
        controller->session()->setReleaseFunction([bridge, &go](const ReleaseRequest& request) {
            go.acquire();
            return bridge->release(request);
        });
        reachPhotosAndChoose({{0, "8x10 Print", 1, 0}});
        acceptAndRelease();
        ASSERT_EQ(controller->session()->state(), State::Releasing);

        // The station's end as the application controller runs it; the worker goes on only once
        // the window controller is being destroyed.
        controller->session()->forceSessionToClose();
        QTimer::singleShot(50, [&go] { go.release(); });
        controller.reset();

        EXPECT_EQ(QFileInfo::exists(pos + "/123456.txt"), invoiceFolder);
        if (invoiceFolder) {
            EXPECT_TRUE(QFileInfo::exists(server + "/123456_orderOrig.plist"));
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_NE(w->objectName(), QStringLiteral("SalesWindow"));
    }
}
