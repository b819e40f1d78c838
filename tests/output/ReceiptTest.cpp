#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "output/KivoReceiptViewController.h"
#include "output/OrderOutput.h"
#include "output/ReceiptContent.h"
#include "output/ReceiptPrinter.h"
#include "output/ReceiptRenderer.h"
#include "support/TestRoot.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

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

QVariantMap order(const QVariantMap& totals = {})
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
    return o;
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    if (!p.waitForFinished(10000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Records what would have gone to the printers.
class FakePrinters : public ReceiptPrintService
{
public:
    QStringList known{"Front", "Back"};
    QStringList printedOn;
    QList<int> copies;
    bool hasPrinter(const QString& name) const override { return known.contains(name); }
    bool print(const QString& name, const ReceiptRenderer& receipt, int n, bool, QString*) override
    {
        if (receipt.heightPoints() <= 0)
            return false;
        printedOn.append(name);
        copies.append(n);
        return true;
    }
};

} // namespace

TEST(ReceiptRules, UsbLabel)
{
    struct Case
    {
        int usb;
        std::optional<int> photos;
        const char* label;
    };
    const Case cases[] = {{0, 14, "USB"},
                          {0, std::nullopt, "USB"},
                          {1, 14, "USB [14 photos]"},
                          {2, 14, "USBs [14 photos]"},
                          {1, std::nullopt, "USB(s)"},
                          {3, std::nullopt, "USB(s)"}};
    for (const Case& c : cases)
        EXPECT_EQ(ReceiptRules::usbLabel(c.usb, c.photos), c.label) << c.usb;
}

TEST(ReceiptRules, LinesNamesAndFileNames)
{
    const ReceiptLine l = ReceiptRules::setItemInfo(entry("/x/y/IMG_1.jpg", "P", "8x10", 2, 12.5));
    EXPECT_EQ(l.fileName, "IMG_1.jpg");
    EXPECT_EQ(l.description, "8x10  [QTY 2]  @ $12.50");
    EXPECT_FLOAT_EQ(l.total, 25.0f);
    const ReceiptLine bad = ReceiptRules::setItemInfo({{"pkgQty", 1}});
    EXPECT_EQ(bad.fileName, "UNKNOWN NAME????");
    EXPECT_EQ(bad.description, "UNKNOWN Description????");
    EXPECT_FLOAT_EQ(bad.total, 0.0f);

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
    EXPECT_EQ(ReceiptRules::receiptFileName(when.addDays(1), QString("a")),
              "20261206140509_a.pdf"); // another day, another name
    EXPECT_EQ(ReceiptRules::safeFileNamePart(QString(60, 'x')).size(), 40);
}

TEST(ReceiptRules, SectionsAndCounters)
{
    test::TestRoot root;
    const QDateTime now(QDate(2026, 12, 5), QTime(14, 5));
    auto plain = ReceiptRules::buildReceiptViewForBody(
        order({{"subTotal", 87.5}, {"tax", 0.0}, {"total", 87.5}, {"discount", 0.0}}), kCatalogue,
        14, std::nullopt, now);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->lines.size(), 4); // a line without catalogue record still prints
    EXPECT_EQ(plain->totalPrints, 3);  // found by its original PLU
    EXPECT_EQ(plain->totalUsbs, 2);    // PLU and type matched without regard to case
    EXPECT_EQ(plain->totalPromos, 1);
    EXPECT_EQ(plain->usbLabel, "USBs [14 photos]");
    EXPECT_TRUE(plain->hasTotals);
    EXPECT_FALSE(plain->showSubTotal);
    EXPECT_FALSE(plain->customerName);

    auto taxed = ReceiptRules::buildReceiptViewForBody(
        order({{"subTotal", 87.5}, {"tax", 7.0}, {"total", 94.5}, {"discount", 0.0}}), kCatalogue,
        std::nullopt, QString("Customer"), now);
    ASSERT_TRUE(taxed);
    EXPECT_TRUE(taxed->showSubTotal);
    EXPECT_EQ(taxed->usbLabel, "USB(s)");
    EXPECT_EQ(taxed->thankYouLine, "Thank You, CUSTOMER !");
    EXPECT_EQ(taxed->dateTimeText, "Saturday, December 5, 2026 at 2:05:00 PM");

    EXPECT_FALSE(ReceiptRules::buildReceiptViewForBody({}, kCatalogue, 1, std::nullopt, now));
    EXPECT_FALSE(ReceiptRules::buildReceiptViewForBody({{"listOfPackages", QVariantList{}}},
                                                       kCatalogue, 1, std::nullopt, now));
}

TEST(ReceiptPdf, CopyCarriesTheReceiptsText)
{
    test::TestRoot root;
    auto content = ReceiptRules::buildReceiptViewForBody(
        order({{"subTotal", 87.5}, {"tax", 7.0}, {"total", 92.5}, {"discount", 2.0}}), kCatalogue,
        14, QString("Ann"), QDateTime::currentDateTime());
    ASSERT_TRUE(content);
    const QByteArray pdf = ReceiptRenderer(*content).pdf();
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QString path = root.file("r.pdf");
    test::writeFile(path, pdf);
    const QString text = pdfText(path);
    for (const char* expected : {"8x10 [QTY 3] @ $10.00", "a.jpg", "$92.50", "Subtotal", "$87.50",
                                 "USBs [14 photos]", "Thank You, ANN !", "Mug [QTY 1] @ $12.50"})
        EXPECT_TRUE(text.simplified().contains(expected)) << expected << "\n" << text.toStdString();
}

class ReceiptController : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Settings& s = Settings::standardUserDefaults();
        receipts = root.file("receipts");
        s.setString(receipts, sPrefLocalReceiptPath);
        controller.setPrintService(&printers);
        controller.setStartOverDelay(50);
        controller.setOwner([this](const QVariantMap& info) { startOvers.append(info); });
        request.curOrderDictionary =
            order({{"subTotal", 87.5}, {"tax", 0.0}, {"total", 87.5}, {"discount", 0.0}});
        request.curTotalImages = 3;
    }
    void waitForStartOver()
    {
        QDeadlineTimer deadline(3000);
        while (startOvers.isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    test::TestRoot root;
    QString receipts;
    FakePrinters printers;
    KivoReceiptViewController controller;
    ReceiptRequest request;
    QList<QVariantMap> startOvers;
};

TEST_F(ReceiptController, BothPrintersWithCopiesAtLeastOne)
{
    Settings& s = Settings::standardUserDefaults();
    s.setBool(true, sPrefDoPrintReceiptPrimary);
    s.setString("Front", sPrefReceiptPrinterNamePrimary);
    s.setBool(true, sPrefDoPrintReceiptSecondary);
    s.setString("Back", sPrefReceiptPrinterNameSecondary);
    s.setInteger(0, PrefKeyForPrintCopies);
    ASSERT_TRUE(controller.doStartReceiptPrinting(request));
    EXPECT_EQ(printers.printedOn, (QStringList{"Front", "Back"}));
    EXPECT_EQ(printers.copies, (QList<int>{1, 1}));
    EXPECT_EQ(controller.lastResult().primary.ok, true);
    EXPECT_EQ(controller.lastResult().secondary.ok, true);
    // The settings are remembered, so no later receipt asks for a page setup.
    EXPECT_EQ(s.dictionaryForKey("persistent printer settings").value("copies").toLongLong(), 1);
    waitForStartOver();
    ASSERT_EQ(startOvers.size(), 1);
    EXPECT_EQ(startOvers[0].value("doMethodType").toInt(), 2);
}

TEST_F(ReceiptController, MissingPrintersAreSkippedAndThePdfIsStillKept)
{
    Settings& s = Settings::standardUserDefaults();
    s.setBool(true, sPrefDoPrintReceiptPrimary); // no name set
    s.setBool(true, sPrefDoPrintReceiptSecondary);
    s.setString("Gone", sPrefReceiptPrinterNameSecondary);
    s.setInteger(3, PrefKeyForPrintCopies);
    controller.doStartReceiptPrinting(request);
    const ReceiptResult& r = controller.lastResult();
    EXPECT_EQ(r.primary.error, "No Primary Printer Selected...");
    EXPECT_EQ(r.secondary.error, "UNABLE To find Secondary Printer with Name = [Gone]...");
    EXPECT_TRUE(printers.printedOn.isEmpty());
    EXPECT_EQ(r.copies, 3);
    EXPECT_TRUE(r.pdfWritten) << r.pdfError.toStdString();
    EXPECT_EQ(QFileInfo(r.pdfPath).absolutePath(), receipts); // the folder was created
    EXPECT_TRUE(pdfText(r.pdfPath).contains("8x10"));
    waitForStartOver();
    EXPECT_EQ(startOvers.size(), 1);
}

TEST_F(ReceiptController, NamePromptAddsTheCustomerSection)
{
    struct Prompt : ReceiptNamePrompt
    {
        std::function<void(int, const QString&)> done;
        bool isShowing() const override { return bool(done); }
        void open(std::function<void(int, const QString&)> d) override { done = std::move(d); }
    } prompt;
    Settings::standardUserDefaults().setBool(true, sPrefPromptForCustomerNameOnReceipt);
    controller.setNamePrompt(&prompt);
    controller.doStartReceiptPrinting(request);
    ASSERT_TRUE(prompt.isShowing());
    EXPECT_FALSE(controller.lastResult().built); // nothing before the name is entered
    prompt.done(kSheetAccepted, "  zoë ");
    ASSERT_TRUE(controller.content());
    EXPECT_EQ(controller.content()->thankYouLine, "Thank You, ZOË !");
    EXPECT_TRUE(controller.lastResult().pdfPath.endsWith("_zo.pdf"));
    EXPECT_TRUE(pdfText(controller.lastResult().pdfPath).contains("Thank You, ZOË !"));

    // A cancelled prompt prints nothing, and the station still starts over.
    startOvers.clear();
    prompt.done = nullptr;
    controller.doStartReceiptPrinting(request);
    prompt.done(kSheetCancelled, "x");
    waitForStartOver();
    EXPECT_EQ(startOvers.size(), 1);
}

TEST_F(ReceiptController, ReleaseWithoutAReceiptStartsOverFromTheOrderOutput)
{
    Settings& s = Settings::standardUserDefaults();
    s.setString(root.folder("server"), sPrefLocalServerPath);
    s.setString(root.folder("pos"), sPrefTilboxPendingInvoiceFolder);
    ReleasedOrder released;
    released.customerId = "100200";
    released.listOfImages = {"/img/a.jpg"};
    const QVariantMap line{{"pkgPLU", "P810"},    {"pkgDisplayName", "8x10"}, {"pkgQty", 2},
                           {"pkgPrePrintQty", 2}, {"pkgUnitPrice", 10.0},     {"pkgTotal", 20.0}};
    released.photos = {OrderPhoto{"/img/a.jpg", {line}}};
    released.totals =
        QVariantMap{{"subTotal", 20.0}, {"tax", 0.0}, {"total", 20.0}, {"discount", 0.0}};

    for (bool printReceipt : {false, true}) {
        SCOPED_TRACE(printReceipt);
        startOvers.clear();
        s.setBool(printReceipt, sPrefPrintReceipt);
        OrderOutput output(&controller, [this](const QVariantMap& i) { startOvers.append(i); });
        output.setStartOverDelay(50);
        const ReleaseResult r = output.doSaveOrderToFileInThread(released);
        EXPECT_TRUE(r.ok());
        EXPECT_FALSE(r.announced); // fully pre-printed: nothing for the host
        EXPECT_EQ(r.receiptStarted, printReceipt);
        waitForStartOver();
        EXPECT_EQ(startOvers.size(), 1);
        // The receipt bills what the customer paid for, even when it was all pre-printed.
        if (printReceipt) {
            EXPECT_TRUE(controller.lastResult().built);
            EXPECT_TRUE(pdfText(controller.lastResult().pdfPath).contains("[QTY 2]"));
        }
    }
}

// Printing for real: needs the "ReceiptPDF" cups-pdf queue of scripts/cups-test-queue.sh.
TEST(ReceiptCups, PrintsOnTheReceiptPdfQueue)
{
    if (QPrinterInfo::printerInfo("ReceiptPDF").isNull())
        GTEST_SKIP()
            << "no CUPS scheduler with a ReceiptPDF queue (scripts/cups-test-queue.sh start)";
    test::TestRoot root;
    auto content = ReceiptRules::buildReceiptViewForBody(order(), kCatalogue, 2, std::nullopt,
                                                         QDateTime::currentDateTime());
    ASSERT_TRUE(content);
    const QDir out(QDir::homePath() + "/PDF");
    const QStringList before = out.entryList(QDir::Files);

    CupsReceiptPrinter printer;
    EXPECT_FALSE(printer.hasPrinter("NoSuchPrinter"));
    QString error;
    EXPECT_FALSE(printer.print("NoSuchPrinter", ReceiptRenderer(*content), 1, false, &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(printer.hasPrinter("ReceiptPDF"));
    ASSERT_TRUE(printer.print("ReceiptPDF", ReceiptRenderer(*content), 2, false, &error))
        << error.toStdString();

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
