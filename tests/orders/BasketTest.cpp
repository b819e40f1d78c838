#include "OrdersTestSupport.h"

#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/Basket.h"
#include "orders/PricedSession.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kivo;

using test::basketLine;
using test::basketOf;

TEST(Basket, MalformedEntriesAreRefusedByName)
{
    const struct
    {
        QVariant basket;
        const char* message;
    } table[] = {
        {QVariantList{}, "the basket is not a dictionary"},
        {QVariantMap{{"photos", QVariantList{}}}, "customerID is missing or not a string"},
        {QVariantMap{{"customerID", "1"}}, "photos is missing or not an array"},
        {QVariantMap{{"customerID", "1"}, {"photos", QVariantList{QVariantMap{}}}},
         "photos[0].path is missing or not a string"},
        {basketOf({basketLine("8x10 Print", -2)}),
         "photos[0].lines[0] (\"8x10 Print\").pkgQty is negative (-2)"},
        {basketOf({basketLine("8x10 Print", "three")}),
         "photos[0].lines[0] (\"8x10 Print\").pkgQty is not a number"},
        {basketOf({basketLine("8x10 Print", 1), basketLine("5x7", 1.5)}),
         "photos[0].lines[1] (\"5x7\").pkgQty is not a whole number"},
        {basketOf({basketLine("8x10 Print", 40000)}),
         "photos[0].lines[0] (\"8x10 Print\").pkgQty is too large (40000)"},
        {basketOf({QVariantMap{{"pkgDisplayName", "A"}}}),
         "photos[0].lines[0] (\"A\").pkgQty is missing"},
        {basketOf({QVariantMap{{"pkgQty", 1}}}),
         "photos[0].lines[0].pkgDisplayName is missing or not a string"},
        {basketOf({QVariantMap{{"pkgDisplayName", "A"}, {"pkgQty", 1}, {"pkgPrePrintQty", 2}}}),
         "photos[0].lines[0] (\"A\").pkgPrePrintQty (2) exceeds pkgQty (1)"},
    };
    for (const auto& row : table) {
        QString error;
        EXPECT_FALSE(Basket::fromVariant(row.basket, &error));
        EXPECT_EQ(error, row.message);
    }
}

// Hostile or broken basket files are refused at once, with a message naming the file (and the
// key), by the reader and by kivo-order: no crash, no hang, no runaway memory.
TEST(Basket, BadFilesAreRefusedByTheReaderAndTheTool)
{
    test::TestRoot root;
    const QByteArray good = plist::toXml(basketOf({basketLine("8x10 Print", 1)}));
    auto withQty = [&good](const QByteArray& element) {
        const QByteArray one = "<integer>1</integer>";
        return QByteArray(good).replace(good.indexOf(one, good.indexOf("pkgQty")), one.size(),
                                        element);
    };
    // An array holding itself: offset table at 13, one object, top object 0.
    const QByteArray selfHolding = QByteArray("bplist00\xa1\0\0\0\0\0\0\0\x08", 17) +
                                   QByteArray(6, '\0') + "\x04\x04" + QByteArray(7, '\0') + "\x01" +
                                   QByteArray(15, '\0') + "\x0d";
    const struct
    {
        const char* label;
        QByteArray data;
        const char* reason;
    } table[] = {
        {"deep", "<plist>" + QByteArray("<array>").repeated(47000) + "</plist>",
         "nested deeper than 64 levels"},
        {"self", selfHolding, "an object contains itself"},
        {"nul", QByteArray(good).replace("123456", QByteArray("12\0003456", 7)), "NUL byte"},
        {"12abc", withQty("<integer>12abc</integer>"), "pkgQty\" is not a number: \"12abc\""},
        {"0x10", withQty("<integer>0x10</integer>"), "pkgQty\" is not a number: \"0x10\""},
        {"NaN", withQty("<real>NaN</real>"), "pkgQty\" is not a number: \"NaN\""},
        {"big", good + QByteArray(plist::kMaxBytes, ' '), "is larger than 16777216 bytes"},
        {"fifo", {}, "is not a regular file"},
        {"folder", {}, "is not a regular file"},
        {"/dev/zero", {}, "is not a regular file"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.label);
        QString path = root.file(QString(row.label) + ".plist");
        if (!row.data.isEmpty())
            test::writeFile(path, row.data);
        else if (row.label == QLatin1String("fifo"))
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            path = row.label[0] == '/' ? QString(row.label) : root.folder(row.label);
        QElapsedTimer timer;
        timer.start();
        QString error;
        EXPECT_FALSE(Basket::fromFile(path, &error));
        EXPECT_LT(timer.elapsed(), 2000);
        EXPECT_TRUE(error.contains(path) && error.contains(row.reason)) << error.toStdString();
#ifdef KIVO_ORDER_TOOL
        const test::ToolRun run = test::runOrderTool({"--basket", path});
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(path.toUtf8()) && run.err.contains(row.reason))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
#endif
    }
}

TEST(Basket, PricesAsThePanelWouldAndRefusesUnofferedPackages)
{
    test::TestRoot root;
    PackageCatalogue catalogue;
    test::loadCatalogue(root, catalogue,
                        {test::packageRecord("P810", "8x10 Print", 10.00, "Print", "P810F"),
                         test::packageRecord("P810F", "First 8x10", 25.00, "Print"),
                         test::packageRecord("P11021", "USB Drive", 20.00, "Flash", "P11022"),
                         test::packageRecord("P11022", "USB Drive", 40.00, "Flash")},
                        {"P810", "P11021"});
    Settings& settings = Settings::instance();
    settings.setMinPrintsForReducedUsbPrice(5);

    QString error;
    PricedSession session(catalogue, settings);
    EXPECT_FALSE(
        session.price(*Basket::fromVariant(basketOf({basketLine("Mug", 1)}), &error), &error));
    EXPECT_EQ(error, "photos[0].lines[0] (\"Mug\"): the catalogue offers no such package");

    // The worked example, with a second photo on show that orders nothing.
    QVariantMap value = basketOf({basketLine("8x10 print", 3), basketLine("USB Drive", 1)});
    value.insert("photos", value.value("photos").toList() << QVariantMap{{"path", "/p/b.jpg"}});
    const auto basket = Basket::fromVariant(value, &error);
    ASSERT_TRUE(basket) << error.toStdString();
    ASSERT_TRUE(session.price(*basket, &error)) << error.toStdString();
    EXPECT_EQ(session.photosOnShow(), QStringList({"/p/a.jpg", "/p/b.jpg"}));
    EXPECT_EQ(session.photoOrders().at(0).line(0).pkgQty(), 3); // the customer's own quantities

    EXPECT_EQ(session.toJson().value("total").toDouble(), 85.00);
    EXPECT_EQ(session.toJson().value("lines").toArray().size(), 3);
    EXPECT_TRUE(session.toText().contains("First 8x10"));
}

#ifdef KIVO_ORDER_TOOL
// Only the first 40 ordered photos make up an order: the summary, the discount, the order files
// and the invoice all name the same photos (the discount used to count every photo and drove
// the total below 0).
TEST(Basket, MoreThanFortyPhotosAreBilledForTheFirstFortyEverywhere)
{
    test::TestRoot root;
    Settings& settings = Settings::instance();
    settings.setLocalServerPath(root.folder("server"));
    settings.setTilboxPendingInvoiceFolder(root.folder("pos"));
    ASSERT_TRUE(settings.sync());

    QVariantList photos;
    QStringList billed; // the first 40 ordered photos are the first 50 on show
    for (int i = 0; i < 200; ++i) {
        // Every fifth photo on show orders nothing.
        const QString name = QString("%1.jpg").arg(i, 3, 10, QChar('0'));
        const bool ordered = i % 5 != 4;
        photos.append(QVariantMap{
            {"path", "/p/" + name},
            {"lines", ordered ? QVariantList{basketLine("8x10 Print", 3)} : QVariantList{}}});
        if (ordered && i < 50)
            billed << name;
    }
    const QString path = root.file("many.plist");
    ASSERT_TRUE(plist::writeFile(path, QVariantMap{{"customerID", "123456"}, {"photos", photos}}));
    const test::ToolRun run = test::runOrderTool({"--basket", path, "--json", "--write"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = test::pricedJson(run.out);

    // 120 prints, the first at 25.00, a quarter off.
    EXPECT_EQ(json.value("itemCount").toInt(), 120);
    EXPECT_EQ(json.value("subTotal").toDouble(), 1215.00);
    EXPECT_EQ(json.value("discount").toDouble(), 303.75);
    const QVariantMap printJob = plist::readFile(root.file("server/123456_order.plist")).toMap();
    EXPECT_NEAR(printJob.value("curOrderTotalsInfo").toMap().value("total").toDouble(),
                json.value("total").toDouble(), 0.005);
    QStringList inFile;
    for (const QVariant& entry : printJob.value("listOfPackages").toList())
        inFile << QFileInfo(entry.toMap().value("name").toString()).fileName();
    inFile.removeDuplicates();
    EXPECT_EQ(inFile, billed);

    double invoiced = 0.0;
    QStringList invoicedPhotos;
    for (const test::InvoiceRecord& record :
         test::invoiceRecords(test::readFile(root.file("pos/123456.txt")))) {
        invoiced += record.extPrice;
        if (record.photoName.endsWith(".jpg"))
            invoicedPhotos << record.photoName;
    }
    invoicedPhotos.removeDuplicates();
    EXPECT_EQ(invoicedPhotos, billed);
    EXPECT_NEAR(invoiced, 1215.00 - 303.75, 0.001);

    // The receipt of the same order: its PDF copy is drawn and written.
    // The receipt module uses the tool's own copies of the libraries' globals (the tool exports
    // them); AddressSanitizer would count the module's unused copies as second definitions.
    const QByteArray asan = qgetenv("ASAN_OPTIONS");
    if (!asan.isEmpty())
        qputenv("ASAN_OPTIONS", asan + ":detect_odr_violation=0");
    const test::ToolRun receipt = test::runOrderTool({"--basket", path, "--receipt"});
    if (!asan.isEmpty())
        qputenv("ASAN_OPTIONS", asan);
    EXPECT_EQ(receipt.exitCode, 0) << receipt.err.toStdString();
    const qsizetype at = receipt.out.indexOf("\nreceipt /");
    ASSERT_GE(at, 0) << receipt.out.toStdString();
    const QByteArray pdf = receipt.out.mid(at + 9).split('\n').first();
    EXPECT_TRUE(test::readFile(QString::fromUtf8(pdf)).startsWith("%PDF")) << pdf.toStdString();
}
#endif
