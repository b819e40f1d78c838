// The selling screen's models without widgets: the photo grid with its orders, the package
// panel, the order summary and the coordinator that keeps them in step.
#include "orders/SinglePackageModel.h"
#include "screens/SellingTotals.h"
#include "screens/SellingVisit.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace kivo;

namespace {

// Rows of the demo catalogue, every one a regular row: each package is bought from its own row.
constexpr int kRow8x10 = 0;
constexpr int kRow5x7 = 1;
constexpr int kRowWallets = 3;
constexpr int kRowUsb = 4;
constexpr int kRowOrnament = 5;

// A visit over the demo catalogue with real photos in the test's own root.
struct Visit : test::SellingVisit
{
    explicit Visit(int photoCount = 3, const QList<QVariantMap>& records = {},
                   const QStringList& displayPLUs = {}, int firstItems = 2)
        : SellingVisit({photoCount, 0, {64, 48}, 20, records, displayPLUs, firstItems})
    {}

    qint16 qty(int row) const { return panel.rowModel(row)->packageQtyValue(); }
    int lineQty(int photo, int line) const { return grid->orderAt(photo).line(line).pkgQty(); }
};

} // namespace

TEST(PhotoGridModel, ThumbnailsInReadingOrderAndPlaceholdersAfterThem)
{
    struct Case
    {
        const char* what;
        QList<QPointF> origins;
        QSizeF size;
        QList<int> expected; // thumbnail index of entries 0..n-1
    } cases[] = {
        {"wide grid: left to right", {{300, 0}, {0, 0}, {150, 0}}, {450, 100}, {1, 2, 0}},
        {"tall grid: top to bottom", {{0, 200}, {0, 0}, {0, 100}}, {100, 300}, {1, 2, 0}},
    };
    Visit visit(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PhotoGridModel grid(visit.catalogue);
        grid.buildGrid(c.origins, c.size);
        ASSERT_EQ(grid.entryCount(), PhotoGridModel::kMaxPhotos);
        for (int i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(grid.thumbnailIndex(i), c.expected.at(i));
        // A placeholder sits at the origin, left of every thumbnail: it still comes last, so
        // photo 0 lands on a thumbnail that shows it.
        EXPECT_EQ(grid.thumbnailIndex(3), -1);
        EXPECT_EQ(grid.orderAt(39).line(0).pkgDisplayName(), "8x10 Print");
    }
}

// With no photo on show nothing can be selected, so no quantity lands on an order that no photo
// will carry into the release.
TEST(PhotoGridModel, NoSelectionWithoutPhotos)
{
    Visit visit(0);
    QSignalSpy refused(visit.grid.get(), &PhotoGridModel::selectionRefused);
    visit.coordinator->startVisit({});
    EXPECT_EQ(visit.grid->selectedIndex(), -1);
    EXPECT_FALSE(visit.grid->selectItem(0));
    EXPECT_EQ(refused.count(), 1);
    visit.panel.increment(kRow8x10);
    EXPECT_EQ(visit.grid->computeAllTotalSheets(), 0);
    EXPECT_EQ(visit.coordinator->currentPhotoName(), "????????");
}

TEST(SellingCoordinator, QuantitiesStayWithTheirPhoto)
{
    for (bool firstPackage : {false, true}) {
        SCOPED_TRACE(firstPackage ? "after a buy-first-one press" : "plain");
        Visit visit(3);
        visit.coordinator->startVisit(visit.photos);
        // No other row carries the wallets: the press buys one of them.
        if (firstPackage)
            visit.panel.buyFirstOne(kRowWallets);
        visit.panel.increment(kRow8x10);
        visit.panel.increment(kRow8x10);
        visit.panel.increment(kRowUsb);

        visit.grid->selectItem(1);
        EXPECT_EQ(visit.qty(kRow8x10), 0);
        visit.panel.increment(kRow5x7);

        visit.grid->selectItem(0);
        EXPECT_EQ(visit.qty(kRow8x10), 2);
        EXPECT_EQ(visit.qty(kRow5x7), 0);
        EXPECT_EQ(visit.qty(kRowUsb), 1);
        EXPECT_EQ(visit.lineQty(0, kRow8x10), 2);
        EXPECT_EQ(visit.lineQty(0, kRow5x7), 0);
        EXPECT_EQ(visit.lineQty(1, kRow8x10), 0);
        EXPECT_EQ(visit.lineQty(1, kRow5x7), 1);
        EXPECT_EQ(visit.qty(kRowWallets), firstPackage ? 1 : 0);
        EXPECT_EQ(visit.coordinator->totals().photoSheets, firstPackage ? 4 : 3);
        EXPECT_EQ(visit.coordinator->totals().orderSheets, firstPackage ? 5 : 4);
    }
}

TEST(SellingCoordinator, RowsGoToTheirOwnLinesBeyondEightPackagesAndUnderSharedNames)
{
    // Ten packages, rows 1 and 6 shown under the same name.
    QList<QVariantMap> records;
    QStringList plus;
    for (int i = 0; i < 10; ++i) {
        const QString plu = QStringLiteral("P2%1").arg(i, 4, 10, QChar('0'));
        records.append(test::packageRecord(plu, i == 6 ? "Prints" : QStringLiteral("Pkg %1").arg(i),
                                           1.0 + i, "Print"));
        plus.append(plu);
    }
    records[1] = test::packageRecord(plus.at(1), "Prints", 2.0, "Print");
    Visit visit(2, records, plus);
    visit.coordinator->startVisit(visit.photos);
    visit.panel.increment(6);
    visit.panel.increment(9);
    visit.grid->selectItem(1);
    visit.grid->selectItem(0);

    EXPECT_EQ(visit.qty(1), 0);
    EXPECT_EQ(visit.qty(6), 1);
    EXPECT_EQ(visit.qty(9), 1);
    visit.coordinator->showSummary();
    EXPECT_EQ(visit.summary->itemCount(), 2);
}

TEST(PackagePanelModel, ButtonsKeepQuantitiesWithinZeroAndTwenty)
{
    struct Case
    {
        const char* what;
        int startQty, extra;
        bool (PackagePanelModel::*press)(int);
        int presses, qty, alt, announced;
    } cases[] = {
        {"21 increments", 0, 0, &PackagePanelModel::increment, 21, 20, 20, 20},
        {"increments with an extra item", 18, 1, &PackagePanelModel::increment, 3, 20, 21, 2},
        {"decrement at 0", 0, 0, &PackagePanelModel::decrement, 1, 0, 0, 0},
        {"decrement with an extra item", 3, 1, &PackagePanelModel::decrement, 1, 2, 3, 1},
        {"clear with an extra item", 3, 1, &PackagePanelModel::clear, 1, 0, 1, 1},
    };
    Visit visit(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ImageOrder order;
        order.copyDefaultsToOrder(visit.catalogue.displayPackageList());
        order.line(kRow8x10).setPkgQty(c.startQty);
        order.line(kRow8x10).setPkgHasExtraCount(c.extra);
        visit.panel.copyImageOrderToModelData(order);
        EXPECT_EQ(visit.panel.rowModel(kRow8x10)->altPackageQtyValue(), c.startQty + c.extra);

        QSignalSpy changed(&visit.panel, &PackagePanelModel::quantityChanged);
        for (int i = 0; i < c.presses; ++i)
            (visit.panel.*c.press)(kRow8x10);
        EXPECT_EQ(visit.qty(kRow8x10), c.qty);
        EXPECT_EQ(visit.panel.rowModel(kRow8x10)->altPackageQtyValue(), c.alt);
        EXPECT_EQ(changed.count(), c.announced);
    }
}

TEST(PackagePanelModel, BuyFirstOneZeroingAndSamplePrints)
{
    QList<QVariantMap> records{test::packageRecord("P1", "First 5x7", 20, "Print"),
                               test::packageRecord("P2", "First USB", 40, "Flash"),
                               test::packageRecord("P3", "5x7", 8, "Print"),
                               test::packageRecord("P4", "USB", 20, "Flash"),
                               test::packageRecord("P10021", "Sample", 0, "Print")};
    records[0]["pkgKivoName"] = "FIVE";
    records[2]["pkgKivoName"] = "five";
    Visit visit(0, records, {"P1", "P2", "P3", "P4", "P10021"});
    ASSERT_TRUE(visit.panel.isSpecial(1));
    ASSERT_FALSE(visit.panel.isSpecial(2));

    QSignalSpy first(&visit.panel, &PackagePanelModel::firstPackageEntered);
    visit.panel.showPackageView(1);
    visit.panel.buyFirstOne(0);
    EXPECT_EQ(visit.qty(0), 0);
    EXPECT_EQ(visit.qty(2), 1);
    EXPECT_EQ(visit.qty(3), 0);
    EXPECT_EQ(first.count(), 1);
    EXPECT_EQ(visit.panel.shownContainer(), PackagePanelModel::Container::Regular);

    visit.panel.increment(0);
    visit.panel.increment(1);
    visit.panel.zeroSubtotalsAndQtys(true);
    EXPECT_EQ(visit.qty(0), 1);
    EXPECT_EQ(visit.qty(1), 1);
    EXPECT_EQ(visit.qty(2), 0);

    EXPECT_EQ(visit.panel.addSamplePrint(QString()), 0);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(visit.panel.addSamplePrint("p10021"), 1);
    EXPECT_EQ(visit.panel.rowModel(4)->prePrintedQtyValue(), 20);
    EXPECT_EQ(visit.qty(4), 20);

    // Row 1's package has no regular row: it is shown with the regular rows, and its button buys
    // one.
    EXPECT_TRUE(visit.panel.hasRegularRow(0));
    EXPECT_FALSE(visit.panel.hasRegularRow(1));
    visit.panel.buyFirstOne(1);
    EXPECT_EQ(visit.qty(1), 2);
}

TEST(SellingCoordinator, EachChangeRecomputesFromTheQuantitiesOfThatMoment)
{
    Visit visit(2);
    visit.settings.setMinPrintsForReducedUsbPrice(3);
    visit.coordinator->startVisit(visit.photos);
    QSignalSpy totals(visit.coordinator.get(), &SellingCoordinator::totalsChanged);
    QSignalSpy summaryButton(visit.coordinator.get(),
                             &SellingCoordinator::summaryButtonEnabledChanged);

    visit.panel.increment(kRow8x10);
    visit.panel.increment(kRow8x10);
    visit.panel.increment(kRowUsb);
    EXPECT_EQ(totals.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return totals.count() >= 3; }));
    EXPECT_EQ(visit.coordinator->pendingRecomputations(), 0);
    // Already the first recomputation shows all three changes, priced as the summary prices
    // them: the first 8x10 at 25.00, the drive at 40.00 while the prints stay below three.
    for (const QList<QVariant>& emitted : totals) {
        const auto t = emitted.at(0).value<SellingTotals>();
        EXPECT_FLOAT_EQ(t.photoSubTotal, 75.0f);
        EXPECT_FLOAT_EQ(t.orderSubTotal, 75.0f);
        EXPECT_EQ(t.printItems, 2);
        EXPECT_EQ(t.usbItems, 1);
    }
    EXPECT_EQ(summaryButton.count(), 1);
    EXPECT_TRUE(visit.coordinator->summaryButtonEnabled());
    EXPECT_TRUE(visit.coordinator->backButtonEnabled());

    // A change made and then a photo change before its recomputation: it still counts for the
    // visit when it runs, while the panel shows the photo now selected.
    visit.panel.increment(kRow5x7);
    visit.grid->selectItem(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return totals.count() >= 5; }));
    EXPECT_FLOAT_EQ(visit.coordinator->totals().photoSubTotal, 0.0f);
    // Three print sheets now: the drive at its reduced 20.00.
    EXPECT_FLOAT_EQ(visit.coordinator->totals().orderSubTotal, 63.0f);
    visit.coordinator->showSummary();
    EXPECT_FLOAT_EQ(visit.summary->totals().subTotal, visit.coordinator->totals().orderSubTotal);
}

// A row shows what one more unit costs: the first-item price while it applies, else the unit
// price.
TEST(PackagePanelModel, RowsShowTheFirstItemPriceWhileItApplies)
{
    struct Case
    {
        const char* what;
        int row, add, minimum; // ADD more units of ROW, with MINIMUM prints for the cheap drive
        const char *print, *fiveBySeven, *drive, *ornament;
    } cases[] = {
        {"nothing ordered", -1, 0, 3, "25.00", "20.00", "40.00", "15.00"},
        {"a drive without prints", kRowUsb, 1, 3, "25.00", "20.00", "20.00", "15.00"},
        {"one print", kRow8x10, 1, 3, "10.00", "8.00", "40.00", "15.00"},
        {"as many prints as the minimum", kRow8x10, 3, 3, "10.00", "8.00", "20.00", "15.00"},
        {"one print, no minimum", kRow8x10, 1, 0, "10.00", "8.00", "20.00", "15.00"},
        {"an ornament only", kRowOrnament, 1, 3, "25.00", "20.00", "40.00", "15.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Visit visit(1);
        visit.settings.setMinPrintsForReducedUsbPrice(c.minimum);
        visit.coordinator->startVisit(visit.photos);
        for (int i = 0; i < c.add; ++i)
            visit.panel.increment(c.row);
        visit.coordinator->recomputeTotals();
        const auto price = [&visit](int row) {
            return visit.panel.index(row).data(PackagePanelModel::PriceRole).toString();
        };
        EXPECT_EQ(price(kRow8x10), c.print);
        EXPECT_EQ(price(kRow5x7), c.fiveBySeven);
        EXPECT_EQ(price(kRowUsb), c.drive);
        EXPECT_EQ(price(kRowOrnament), c.ornament);
    }
}

TEST(SellingCoordinator, BackClearsEveryPhotoAndTheSummary)
{
    Visit visit(3);
    visit.coordinator->startVisit(visit.photos);
    visit.panel.buyFirstOne(0);
    for (int photo = 0; photo < 3; ++photo) {
        visit.grid->selectItem(photo);
        visit.panel.increment(kRow5x7);
    }
    visit.coordinator->showSummary();
    ASSERT_EQ(visit.summary->rowCount(), 3);
    EXPECT_TRUE(visit.coordinator->sessionStarted());

    visit.coordinator->back();
    EXPECT_EQ(visit.grid->selectedIndex(), 0);
    for (int photo = 0; photo < 3; ++photo)
        EXPECT_EQ(visit.grid->orderAt(photo).computeTotalSheets(), 0);
    EXPECT_EQ(visit.panel.computeAllTotalSheets(), 0);
    EXPECT_EQ(visit.summary->rowCount(), 0);
    EXPECT_FLOAT_EQ(visit.summary->totals().total, 0.0f);
    EXPECT_FALSE(visit.coordinator->summaryButtonEnabled());
    EXPECT_FALSE(visit.coordinator->sessionStarted());
    EXPECT_FALSE(visit.coordinator->enteredFirstPackage());
    EXPECT_EQ(visit.coordinator->totals(), SellingTotals());
    // A recomputation still due from before "Back" finds nothing ordered.
    ASSERT_TRUE(QTest::qWaitFor([&] { return visit.coordinator->pendingRecomputations() == 0; }));
    EXPECT_EQ(visit.coordinator->totals(), SellingTotals());
}

// Its totals are the pricing's (tested with it) and, with the item count, the whole visit's.
TEST(OrderSummaryModel, ShowsTheReleasedFiguresWithFirstItemPrices)
{
    Visit visit(2);
    visit.settings.setMinPrintsForReducedUsbPrice(3);
    visit.coordinator->startVisit(visit.photos);
    visit.panel.increment(kRow8x10);
    visit.panel.increment(kRow8x10);
    visit.grid->selectItem(1);
    visit.panel.increment(kRowUsb);
    visit.coordinator->showSummary();

    // The first 8x10 at its first-item price, the drive re-priced while prints stay below 3.
    ASSERT_EQ(visit.summary->rowCount(), 2);
    const QVariantList lines = visit.summary->index(0).data(OrderSummaryModel::LinesRole).toList();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).toMap().value("name"), "First 8x10 Print");
    EXPECT_EQ(lines.at(0).toMap().value("lineTotal"), "25.00");
    EXPECT_EQ(lines.at(1).toMap().value("lineTotal"), "10.00");
    EXPECT_EQ(visit.summary->index(0).data(OrderSummaryModel::SubTotalRole), "35.00");
    EXPECT_EQ(visit.summary->index(1).data(OrderSummaryModel::SubTotalRole), "40.00");
    EXPECT_FALSE(visit.summary->pricesHidden());

    visit.settings.setZeroOutMasterItemListPrices(true);
    visit.coordinator->showSummary();
    EXPECT_TRUE(visit.summary->pricesHidden());
}

// Forty of forty-five photos are sold, each a row of the summary.
TEST(OrderSummaryModel, FortyRowsPagedAndNamedWithoutExtension)
{
    Visit visit(0);
    QStringList paths;
    const QString first = visit.root.folder(QStringLiteral("photos")) + "/100000.jpg";
    test::writeJpeg(first, test::markedImage(8, 8), 1);
    for (int i = 0; i < 45; ++i) {
        paths.append(
            visit.root.file(QStringLiteral("photos/1000%1.jpg").arg(i, 2, 10, QChar('0'))));
        QFile::copy(first, paths.last());
    }
    visit.coordinator->startVisit(paths);
    EXPECT_EQ(visit.grid->rowCount(), 40);
    EXPECT_EQ(visit.grid->snapshot().photos, paths.mid(0, 40));
    for (int i = 0; i < 40; ++i) {
        visit.grid->selectItem(i);
        visit.panel.increment(kRow5x7);
    }
    visit.summary->setRowsPerPage(6);
    visit.coordinator->showSummary();
    EXPECT_EQ(visit.summary->rowCount(), 40);
    EXPECT_EQ(visit.summary->summaryRow(39).name, "100039");
    EXPECT_EQ(OrderSummaryModel::rowName(QString()), "<unknown>");
    EXPECT_EQ(visit.summary->pageCount(), 7);
    EXPECT_FALSE(visit.summary->pageUp());
    int pages = 0;
    while (visit.summary->pageDown())
        ++pages;
    EXPECT_EQ(pages, 6);
    EXPECT_EQ(visit.summary->firstRowOfPage(), 36);
}

TEST(OrderSummaryModel, ShownFiguresAddUpWithFreeSheets)
{
    Visit visit(1);
    visit.settings.setComputeSalesTax(true);
    visit.settings.setTaxRate(0.10);
    visit.settings.setBuyNGet1FreeAmt(2);
    visit.coordinator->startVisit(visit.photos);
    for (int i = 0; i < 3; ++i)
        visit.panel.increment(kRow5x7);
    visit.coordinator->showSummary();

    // The three lines as the customer reads them make the total shown.
    const OrderTotals& t = visit.summary->totals();
    EXPECT_EQ(visit.summary->freeSheetsText(), "-2.00");
    const double shown = moneyText(t.subTotal).toDouble() - moneyText(t.discount).toDouble() +
                         visit.summary->freeSheetsText().toDouble() + moneyText(t.tax).toDouble();
    EXPECT_NEAR(shown, moneyText(t.total).toDouble(), 0.011);

    // Without free sheets the line is left out.
    visit.settings.setBuyNGet1FreeAmt(0);
    visit.coordinator->showSummary();
    EXPECT_TRUE(visit.summary->freeSheetsText().isEmpty());
}
