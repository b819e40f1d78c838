#include "core/PropertyList.h"
#include "core/Settings.h"
#include "output/OrderOutput.h"
#include "output/ReceiptContent.h"
#include "output/ReceiptNamePrompt.h"
#include "output/ReceiptRenderer.h"
#include "output/print/CupsReceiptPrinter.h"
#include "output/print/ReceiptPrinting.h"
#include "support/TestRoot.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

#include <thread>

using namespace kivo;

namespace {

QVariantMap entry(const QString& name, const QString& plu, const QString& display, int qty,
                  double unit)
{
    return {{"name", name},          {"pkgPLU", plu},        {"pkgDisplayName", display},
            {"pkgQty", qint64(qty)}, {"pkgUnitPrice", unit}, {"pkgTotal", unit * qty}};
}

const QVariantMap kCatalogue{{"P810", QVariantMap{{"pkgType", "Print"}}},
                             {"USB1", QVariantMap{{"pkgType", "flash"}}},
                             {"MUG", QVariantMap{{"pkgType", "PROMO"}}}};

// The receipt's order as the order files hold it.
ReceiptOrder order(const QVariantMap& totals = {})
{
    // The first entry carries an orientation suffix; the catalogue knows its original PLU.
    QVariantMap first = entry("/img/a.jpg", "P810L", "8x10", 3, 10.0);
    first["pkgPLU_original"] = "P810";
    QVariantMap o{
        {"listOfPackages", QVariantList{first, entry("/img/a.jpg", "usb1", "USB Drive", 2, 20.0),
                                        entry("/img/b.jpg", "MUG", "Mug", 1, 12.5),
                                        entry("/img/b.jpg", "ZZZ", "Unknown", 4, 1.0)}}};
    if (!totals.isEmpty())
        o["curOrderTotalsInfo"] = totals;
    return ReceiptOrder::fromOrderMap(o);
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    if (!p.waitForFinished(10000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Records what would have gone to the printers. Called on the receipt's worker; a test reads it
// after receiptPrinted.
class FakePrinters : public ReceiptPrintService
{
public:
    QStringList known{"Front", "Back"};
    QStringList printedOn;
    QList<int> copies;
    QSemaphore* gate = nullptr; // when set, every print waits for one release of it
    bool hasPrinter(const QString& name) override { return known.contains(name); }
    bool print(const QString& name, const QByteArray& pdf, int n, QString*) override
    {
        if (gate)
            gate->acquire();
        if (!pdf.startsWith("%PDF"))
            return false;
        printedOn.append(name);
        copies.append(n);
        return true;
    }
};

} // namespace

TEST(ReceiptRules, UsbLabel)
{
    const QList<std::tuple<int, std::optional<int>, const char*>> table = {
        {0, 14, "USB"},
        {0, {}, "USB"},
        {1, 14, "USB [14 photos]"},
        {2, 14, "USBs [14 photos]"},
        {1, {}, "USB(s)"},
        {3, {}, "USB(s)"}};
    for (const auto& [usb, photos, label] : table)
        EXPECT_EQ(ReceiptRules::usbLabel(usb, photos), label) << usb;
}

TEST(ReceiptRules, LinesNamesAndFileNames)
{
    // A line is read from the order file's entry; one missing its unit price or display name
    // has no description.
    const QList<std::tuple<QVariantMap, const char*, const char*, float>> table = {
        {entry("/x/y/IMG_1.jpg", "P", "8x10", 2, 12.5), "IMG_1.jpg", "8x10  [QTY 2]  @ $12.50",
         25.0f},
        {{{"pkgQty", 1}}, "UNKNOWN NAME????", "UNKNOWN Description????", 0.0f},
        {{{"name", "a.jpg"}, {"pkgDisplayName", "8x10"}, {"pkgQty", 1}, {"pkgTotal", 3.0}},
         "a.jpg",
         "UNKNOWN Description????",
         0.0f},
    };
    for (const auto& [package, fileName, description, total] : table) {
        const ReceiptOrder o =
            ReceiptOrder::fromOrderMap({{"listOfPackages", QVariantList{package}}});
        ASSERT_EQ(o.packages.size(), 1);
        const ReceiptLine l = ReceiptRules::setItemInfo(o.packages[0]);
        EXPECT_EQ(l.fileName, fileName);
        EXPECT_EQ(l.description, description);
        EXPECT_FLOAT_EQ(l.total, total);
    }

    // A name that sets its own direction keeps it to itself: the quantity and the price after it
    // still read left to right, whatever the name leaves open.
    for (const QString& name :
         {QString("\u202E8x10 Print"), QString("\u05D4\u05D3\u05E4\u05E1\u202B"),
          QString("A\u2069\u202Eb"), QString("\u2067x\u202E")}) {
        const ReceiptLine l = ReceiptRules::setItemInfo(
            ReceiptOrder::fromOrderMap(
                {{"listOfPackages", QVariantList{entry("a.jpg", "P", name, 2, 12.5)}}})
                .packages.value(0));
        const QString tail = "  [QTY 2]  @ $12.50";
        ASSERT_TRUE(l.description.endsWith(tail));
        QTextLayout layout(l.description);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(10000);
        layout.endLayout();
        for (qsizetype i = l.description.size() - tail.size(); i + 1 < l.description.size(); ++i)
            EXPECT_LT(line.cursorToX(int(i)), line.cursorToX(int(i + 1)))
                << name.toStdString() << " at " << i;
    }
    EXPECT_EQ(ReceiptRules::isolatedName("8x10"), "8x10");

    EXPECT_EQ(ReceiptRules::thankYouLine(ReceiptRules::customerNameFromEntry("  \n ")),
              "Thank You, CUSTOMER !");
    EXPECT_EQ(ReceiptRules::thankYouLine(ReceiptRules::customerNameFromEntry(" ann lee\n")),
              "Thank You, ANN LEE !");

    const QDateTime when(QDate(2026, 12, 5), QTime(14, 5, 9));
    EXPECT_EQ(ReceiptRules::receiptFileName(when, std::nullopt), "20261205140509.pdf");
    EXPECT_EQ(ReceiptRules::receiptFileName(when, QString("ann lee")),
              "20261205140509_ann_lee.pdf");
    EXPECT_EQ(ReceiptRules::receiptFileName(when, QString("../../etc/passwd")),
              "20261205140509_______etc_passwd.pdf");
    EXPECT_EQ(ReceiptRules::safeFileNamePart(QString(60, 'x')).size(), 40);
}

TEST(ReceiptRules, SectionsAndCounters)
{
    const QDateTime now(QDate(2026, 12, 5), QTime(14, 5));
    auto plain = ReceiptRules::buildReceiptViewForBody(
        order({{"subTotal", 87.5}, {"tax", 0.0}, {"total", 87.5}, {"discount", 0.0}}), kCatalogue,
        14, std::nullopt, now);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->lines.size(), 4); // a line without catalogue record still prints
    EXPECT_EQ(plain->totalPrints, 3);  // found by its original PLU
    EXPECT_EQ(plain->totalUsbs, 2);    // PLU and type matched without regard to case
    EXPECT_EQ(plain->totalPromos, 1);
    EXPECT_TRUE(plain->hasTotals);
    EXPECT_FALSE(plain->showSubTotal);
    EXPECT_EQ(plain->taxDescription, "Tax");

    ReceiptOrder vat =
        order({{"subTotal", 87.5}, {"tax", 7.0}, {"total", 94.5}, {"discount", 0.0}});
    vat.taxDescription = "VAT 8%";
    auto taxed = ReceiptRules::buildReceiptViewForBody(vat, kCatalogue, std::nullopt,
                                                       QString("Customer"), now);
    ASSERT_TRUE(taxed);
    EXPECT_TRUE(taxed->showSubTotal);
    EXPECT_EQ(taxed->taxDescription, "VAT 8%");
    EXPECT_EQ(taxed->thankYouLine, "Thank You, CUSTOMER !");
    EXPECT_EQ(taxed->dateTimeText, "Saturday, December 5, 2026 at 2:05:00 PM");

    EXPECT_FALSE(ReceiptRules::buildReceiptViewForBody({}, kCatalogue, 1, std::nullopt, now));
}

class ReceiptPrintingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        receipts = root.file("receipts");
        settings().setLocalReceiptPath(receipts);
        controller.setPrintService(&printers);
        request.order =
            order({{"subTotal", 87.5}, {"tax", 0.0}, {"total", 87.5}, {"discount", 0.0}});
        request.curTotalImages = 3;
        request.startOver = [this] { ++startOvers; };
        request.startOverDelayMs = 50;
    }
    static Settings& settings() { return Settings::instance(); }
    // Starts a receipt and waits for it to have printed; its result.
    ReceiptResult printReceipt()
    {
        QSignalSpy printed(&controller, &ReceiptPrinting::receiptPrinted);
        controller.requestReceipt(request);
        EXPECT_TRUE(printed.wait(10000));
        return controller.lastResult();
    }
    bool waitForStartOvers(int count)
    {
        return test::waitUntil([&] { return startOvers >= count; }, 3000);
    }
    test::TestRoot root;
    QString receipts;
    FakePrinters printers;
    ReceiptPrinting controller{settings()};
    ReceiptRequest request;
    int startOvers = 0;
};

TEST_F(ReceiptPrintingTest, BothPrintersWithCopiesAtLeastOne)
{
    Settings& s = settings();
    s.setDoPrintReceiptPrimary(true);
    s.setReceiptPrinterNamePrimary("Front");
    s.setDoPrintReceiptSecondary(true);
    s.setReceiptPrinterNameSecondary("Back");
    s.setPrintCopies(0);
    const ReceiptResult r = printReceipt();
    EXPECT_EQ(printers.printedOn, (QStringList{"Front", "Back"}));
    EXPECT_EQ(printers.copies, (QList<int>{1, 1}));
    EXPECT_TRUE(r.primary.ok);
    EXPECT_TRUE(r.secondary.ok);
    // The settings are remembered, so no later receipt asks for a page setup.
    EXPECT_EQ(s.persistentPrinterSettings().value("copies").toLongLong(), 1);
    EXPECT_TRUE(waitForStartOvers(1));
}

TEST_F(ReceiptPrintingTest, MissingPrintersAreSkippedAndThePdfIsStillKept)
{
    request.order = order({{"subTotal", 87.5}, {"tax", 7.0}, {"total", 92.5}, {"discount", 2.0}});
    Settings& s = settings();
    s.setDoPrintReceiptPrimary(true); // no name set
    s.setDoPrintReceiptSecondary(true);
    s.setReceiptPrinterNameSecondary("Gone");
    s.setPrintCopies(3);
    const ReceiptResult r = printReceipt();
    EXPECT_EQ(r.primary.error, "No Primary Printer Selected...");
    EXPECT_EQ(r.secondary.error, "UNABLE To find Secondary Printer with Name = [Gone]...");
    EXPECT_TRUE(printers.printedOn.isEmpty());
    EXPECT_EQ(r.copies, 3);
    EXPECT_TRUE(r.pdfWritten) << r.pdfError.toStdString();
    EXPECT_EQ(QFileInfo(r.pdfPath).absolutePath(), receipts); // the folder was created
    const QString text = pdfText(r.pdfPath).simplified();
    for (const char* expected :
         {"8x10 [QTY 3] @ $10.00", "a.jpg", "$92.50", "Subtotal", "$87.50", "Mug [QTY 1] @ $12.50"})
        EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("Free Sheets")); // none were given
    EXPECT_TRUE(waitForStartOvers(1));
}

// A printer that takes its time must not hold the main thread: its event loop keeps running
// (here a timer) while the job waits, and the start-over still follows the printing.
TEST_F(ReceiptPrintingTest, BlockedPrinterLeavesTheMainThreadRunning)
{
    Settings& s = settings();
    s.setDoPrintReceiptPrimary(true);
    s.setReceiptPrinterNamePrimary("Front");
    s.setDoPrintReceiptSecondary(false);
    QSemaphore gate;
    printers.gate = &gate;
    QSignalSpy printed(&controller, &ReceiptPrinting::receiptPrinted);
    // The printer answers after 1.5 s, so that printing on the main thread would show as a slow
    // call below instead of hanging the test.
    std::thread printerAnswers([&gate] {
        QThread::msleep(1500);
        gate.release();
    });

    QElapsedTimer clock;
    clock.start();
    controller.requestReceipt(request);
    EXPECT_LT(clock.elapsed(), 1000); // the call itself returns at once
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    EXPECT_TRUE(test::waitUntil([&] { return ticks >= 5; }, 1000));
    EXPECT_EQ(printed.size(), 0); // the printer is still busy
    EXPECT_EQ(startOvers, 0);

    const bool done = printed.wait(10000);
    printerAnswers.join();
    ASSERT_TRUE(done);
    EXPECT_EQ(printers.printedOn, QStringList{"Front"});
    EXPECT_TRUE(waitForStartOvers(1));
}

TEST_F(ReceiptPrintingTest, NamePromptAddsTheCustomerSection)
{
    struct Prompt : ReceiptNamePrompt
    {
        Done done;
        bool isShowing() const override { return bool(done); }
        void ask(Done d) override { done = std::move(d); }
    } prompt;
    settings().setPromptForCustomerNameOnReceipt(true);
    controller.setNamePrompt(&prompt);
    QSignalSpy printed(&controller, &ReceiptPrinting::receiptPrinted);
    controller.requestReceipt(request);
    ASSERT_TRUE(prompt.isShowing());
    QTest::qWait(50);
    EXPECT_EQ(printed.size(), 0); // nothing before the name is entered
    prompt.done(SheetReturn::Accepted, "  zoë ");
    ASSERT_TRUE(printed.wait(10000));
    const ReceiptResult& r = controller.lastResult();
    ASSERT_TRUE(r.content);
    EXPECT_EQ(r.content->thankYouLine, "Thank You, ZOË !");
    EXPECT_TRUE(r.pdfPath.endsWith("_zo.pdf"));
    EXPECT_TRUE(pdfText(r.pdfPath).contains("Thank You, ZOË !"));
    EXPECT_TRUE(waitForStartOvers(1));

    // A cancelled prompt prints nothing, and the station still starts over.
    prompt.done = nullptr;
    controller.requestReceipt(request);
    prompt.done(SheetReturn::Cancelled, "x");
    EXPECT_TRUE(waitForStartOvers(2));
    EXPECT_EQ(printed.size(), 1);
}

TEST_F(ReceiptPrintingTest, ReleaseOnAWorkerStartsOverOnceWithOrWithoutAReceipt)
{
    Settings& s = settings();
    s.setLocalServerPath(root.folder("server"));
    s.setTilboxPendingInvoiceFolder(root.folder("pos"));
    ReleasedOrder released;
    released.customerId = "100200";
    released.listOfImages = {"/img/a.jpg"};
    const OrderLine line{"8x10", QString(), "P810", 10.0f, 2, 20.0f, 2};
    released.photos = {OrderPhoto{"/img/a.jpg", {line}}};
    // One free sheet took 2.00 off; the receipt's lines add up to its total with it.
    released.freeSheets = 1;
    released.freeSheetValue = 2.0f;
    released.totals = OrderTotals{20.0f, 1.6f, 19.6f, 0.0f, 2.0f};
    released.taxDescription = "Sales Tax 8.000%"; // as the summary showed it
    // The print job of an earlier release of the same ID, which the host was told about then.
    test::writeFile(root.folder("server") + "/100200_order.plist", "<plist/>");

    for (bool printReceipt : {false, true}) {
        SCOPED_TRACE(printReceipt);
        startOvers = 0;
        s.setPrintReceipt(printReceipt);
        QSignalSpy printed(&controller, &ReceiptPrinting::receiptPrinted);
        OrderOutput output(s, &controller, [this] { ++startOvers; });
        output.setStartOverDelay(50);
        QFuture<ReleaseResult> done =
            QtConcurrent::run([&output, &released] { return output.saveOrder(released); });
        ASSERT_TRUE(test::waitUntil([&] { return done.isFinished(); }, 10000));
        const ReleaseResult r = done.result();
        EXPECT_TRUE(r.ok());
        EXPECT_FALSE(r.announced); // fully pre-printed: nothing for the host
        EXPECT_EQ(r.receiptStarted, printReceipt);
        EXPECT_TRUE(waitForStartOvers(1));
        QTest::qWait(100);
        EXPECT_EQ(startOvers, 1);
        // The receipt bills what the customer paid for, even when it was all pre-printed.
        EXPECT_EQ(printed.size(), printReceipt ? 1 : 0);
        if (printReceipt) {
            const QString text = pdfText(controller.lastResult().pdfPath).simplified();
            for (const char* expected :
                 {"[QTY 2]", "Sales Tax 8.000%", "Free Sheets -$2.00", "TOTAL $19.60"})
                EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
        }
    }
}

// Printing for real: needs the "ReceiptPDF" cups-pdf queue of scripts/cups-test-queue.sh.
TEST(ReceiptCups, PrintsOnTheReceiptPdfQueue)
{
    CupsReceiptPrinter printer;
    if (!printer.hasPrinter("ReceiptPDF"))
        GTEST_SKIP()
            << "no CUPS scheduler with a ReceiptPDF queue (scripts/cups-test-queue.sh start)";
    test::TestRoot root;
    auto content = ReceiptRules::buildReceiptViewForBody(order(), kCatalogue, 2, std::nullopt,
                                                         QDateTime::currentDateTime());
    ASSERT_TRUE(content);
    const QByteArray pdf = ReceiptRenderer(*content).pdf();
    const QDir out(QDir::homePath() + "/PDF");
    const QStringList before = out.entryList(QDir::Files);

    EXPECT_FALSE(printer.hasPrinter("NoSuchPrinter"));
    QString error;
    EXPECT_FALSE(printer.print("NoSuchPrinter", pdf, 1, &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(printer.print("ReceiptPDF", pdf, 2, &error)) << error.toStdString();

    // cups-pdf writes the job into the printing user's PDF folder.
    QDeadlineTimer deadline(30000);
    QStringList after;
    while (!deadline.hasExpired()) {
        after = out.entryList(QDir::Files);
        if (after.size() > before.size())
            break;
        QThread::msleep(200);
    }
    ASSERT_GT(after.size(), before.size()) << "no job arrived in " << out.path().toStdString();
}
