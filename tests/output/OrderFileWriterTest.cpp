#include "output/OrderFileWriter.h"

#include "orders/OrdersTestSupport.h"

#include "core/FileNames.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/OrientationTranslation.h"
#include "output/HostLink.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace kivo;

namespace {

OrderLine line(const QString& plu, const QString& display, int qty, float unit, int prePrinted = 0)
{
    return {display, display + " host", plu, unit, qty, float(qty) * unit, prePrinted};
}

class OrderFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server = root.folder("server");
        pos = root.folder("pos");
        Settings& s = Settings::instance();
        s.setLocalServerPath(server);
        s.setTilboxPendingInvoiceFolder(pos);
    }

    ReleasedOrder order(const QString& id = "123456")
    {
        ReleasedOrder o;
        o.customerId = id;
        o.freeSheetPackageInfo = {"FS1", "Free Sheets Discount", "freeSheet", -2.0f, {}};
        o.discountAmounts = {"DSC", "Discount", "Discount Amt", 0.0f, {}};
        o.orientationTranslation = [](PackageEntry& e) {
            applyOrientationTranslation(e, Settings::instance());
        };
        return o;
    }

    static OrderFileWriter writer() { return OrderFileWriter(Settings::instance()); }

    QVariantMap readPlist(const QString& name)
    {
        return plist::readFile(server + "/" + name).toMap();
    }

    test::TestRoot root;
    QString server, pos;
};

} // namespace

TEST_F(OrderFiles, PrePrintedUnitsLeaveThePrintJobOnly)
{
    ReleasedOrder o = order();
    o.listOfImages = {"/img/a.jpg", "/img/b.jpg", "/img/c.jpg"};
    o.photos = {{"/img/a.jpg", {line("P810", "8x10", 3, 10.0f, 1), line("P57", "5x7", 0, 5.0f)}},
                {"/img/b.jpg", {line("USB1", "USB", 1, 20.0f)}}};
    o.upsellCount = 2;
    o.freeSheets = 1;
    o.discount = 2.0f;
    o.totals = OrderTotals{50.0f, 0.0f, 48.0f, 2.0f, 0.0f};
    const QDateTime now(QDate(2026, 12, 5), QTime(14, 5));

    const OrderFilesResult r = writer().sendOrderToBeProcessed(o, now);
    ASSERT_TRUE(r.ok) << r.error.toStdString();

    const QVariantMap full = readPlist("123456_orderOrig.plist");
    EXPECT_EQ(full["version"].toString(), "v0.02beta");
    EXPECT_EQ(full["orderNumber"].toString(), "123456");
    EXPECT_EQ(full["upsellCount"].toLongLong(), 2);
    EXPECT_FALSE(full.contains("curOrderTotalsInfo"));
    EXPECT_EQ(full["listOfImages"].toList().size(), 3); // every photo on show, ordered or not
    const QVariantList fullLines = full["listOfPackages"].toList();
    ASSERT_EQ(fullLines.size(), 2); // the zero-quantity line is not written
    EXPECT_EQ(fullLines[0].toMap()["pkgQty"].toLongLong(), 3);
    EXPECT_EQ(fullLines[0].toMap()["pkgPrePrintQty"].toLongLong(), 1);
    EXPECT_EQ(fullLines[0].toMap()["pkgKivoPkgName"].toString(), "8x10 host");

    const QVariantMap job = readPlist("123456_order.plist");
    const QVariantList jobLines = job["listOfPackages"].toList();
    ASSERT_EQ(jobLines.size(), 2);
    EXPECT_EQ(jobLines[0].toMap()["pkgQty"].toLongLong(), 2);
    EXPECT_FALSE(jobLines[0].toMap().contains("pkgPrePrintQty"));
    EXPECT_DOUBLE_EQ(jobLines[0].toMap()["pkgTotal"].toDouble(), 30.0);
    EXPECT_DOUBLE_EQ(job["curOrderTotalsInfo"].toMap()["total"].toDouble(), 48.0);

    // The invoice bills what was bought, pre-printed or not.
    const QByteArray invoice = test::readFile(pos + "/123456.txt");
    EXPECT_TRUE(invoice.endsWith("\rV1002\t12/05/26\t14:05 PM\tP810,8x10,a.jpg,3,10.00,30.00~"
                                 "USB1,USB,b.jpg,1,20.00,20.00~FS1,Free Sheets Discount,freeSheet,"
                                 "1,-2.00,-2.00~DSC,Discount,Discount Amt,1,-2.00,-2.00~"))
        << invoice.toStdString();
}

TEST_F(OrderFiles, LandscapeSuffixOnlyInThePrintJob)
{
    Settings& s = Settings::instance();
    s.setAppendLandscapeSuffix(true);
    s.setLandscapePkgPluSuffix("L");
    s.setAppendPortraitSuffix(true);
    s.setPortraitPkgPluSuffix("");
    const QString wide = root.folder("img") + "/wide.jpg";
    const QString turned = root.folder("img") + "/turned.jpg";
    test::writeJpeg(wide, test::markedImage(300, 200), 1);
    test::writeJpeg(turned, test::markedImage(300, 200), 6);

    ReleasedOrder o = order();
    o.listOfImages = {wide, turned};
    o.photos = {{wide, {line("P100", "4x6", 1, 5.0f)}}, {turned, {line("P100", "4x6", 1, 5.0f)}}};
    ASSERT_TRUE(writer().sendOrderToBeProcessed(o).ok);

    const QVariantList job = readPlist("123456_order.plist")["listOfPackages"].toList();
    ASSERT_EQ(job.size(), 2);
    EXPECT_EQ(job[0].toMap()["pkgPLU"].toString(), "P100L");
    EXPECT_EQ(job[0].toMap()["pkgPLU_original"].toString(), "P100");
    EXPECT_EQ(job[1].toMap()["pkgPLU"].toString(), "P100"); // turned: portrait, empty suffix
    EXPECT_FALSE(job[1].toMap().contains("pkgPLU_original"));

    for (const QVariant& e : readPlist("123456_orderOrig.plist")["listOfPackages"].toList()) {
        EXPECT_EQ(e.toMap()["pkgPLU"].toString(), "P100");
        EXPECT_FALSE(e.toMap().contains("pkgPLU_original"));
    }
    const QByteArray invoice = test::readFile(pos + "/123456.txt");
    EXPECT_TRUE(invoice.contains("P100,4x6,wide.jpg,1,5.00,5.00~"));
    EXPECT_FALSE(invoice.contains("P100L"));
}

TEST_F(OrderFiles, MissingFoldersAreFailuresNotRootFiles)
{
    Settings::instance().remove(Setting::localServerPath);
    ReleasedOrder o = order("990001");
    o.listOfImages = {"/img/a.jpg"};
    o.photos = {{"/img/a.jpg", {line("P1", "4x6", 1, 1.0f)}}};
    OrderFilesResult r = writer().sendOrderToBeProcessed(o);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedFile, "full order");
    EXPECT_TRUE(r.error.contains("prefLocalServerPath"));
    EXPECT_FALSE(r.pendingInvoice.attempted); // no full order, no invoice
    EXPECT_FALSE(QFile::exists("/990001_orderOrig.plist"));
    EXPECT_FALSE(QFile::exists("/990001_order.plist"));

    // A release whose invoice cannot be written leaves nothing new in the shared folder: the
    // host never prints an order the point of sale does not bill.
    Settings::instance().setLocalServerPath(server);
    ASSERT_TRUE(writer().sendOrderToBeProcessed(o).ok);
    const QStringList before = QDir(server).entryList(QDir::Files | QDir::Hidden);
    const QByteArray jobBefore = test::readFile(server + "/990001_order.plist");
    o.photos[0].lines.append(line("P2", "5x7", 2, 3.0f));
    for (const QString& missing : {QString(), root.path() + "/no/such/folder"}) {
        Settings::instance().setTilboxPendingInvoiceFolder(missing);
        r = writer().sendOrderToBeProcessed(o);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.failedFile, "pending invoice");
        EXPECT_FALSE(r.fullOrder.ok);
        EXPECT_FALSE(r.printJob.ok);
        EXPECT_EQ(QDir(server).entryList(QDir::Files | QDir::Hidden), before);
        EXPECT_EQ(test::readFile(server + "/990001_order.plist"), jobBefore);
    }
}

TEST_F(OrderFiles, FailedWriteLeavesThePreviousFileWhole)
{
    ReleasedOrder small = order();
    small.listOfImages = {"/img/a.jpg"};
    small.photos = {{"/img/a.jpg", {line("P1", "4x6", 1, 1.0f)}}};
    ASSERT_TRUE(writer().sendOrderToBeProcessed(small).ok);
    const QByteArray before = test::readFile(server + "/123456_orderOrig.plist");
    const QByteArray invoiceBefore = test::readFile(pos + "/123456.txt");

    ReleasedOrder big = small;
    for (int i = 0; i < 40; ++i)
        big.photos.append({QString("/img/long/path/photo_%1.jpg").arg(i),
                           {line("P1", "4x6", 1, 1.0f), line("P2", "8x10", 2, 2.0f)}});
    // Let the disk "fill up" part-way through the new file.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = rlim_t(before.size() + 64);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const OrderFilesResult r = writer().sendOrderToBeProcessed(big);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedFile, "full order");
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(test::readFile(server + "/123456_orderOrig.plist"), before);
    EXPECT_EQ(test::readFile(pos + "/123456.txt"), invoiceBefore);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(server).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A returning customer's next order while the point-of-sale system has not yet billed the first:
// the first invoice stays as it was and the next goes beside it under a name of its own.
TEST_F(OrderFiles, AnInvoiceNotYetBilledIsNeverReplaced)
{
    ReleasedOrder o = order();
    o.listOfImages = {"/img/a.jpg"};
    const QStringList plus = {"P1", "P2", "P3"};
    QList<QByteArray> invoices;
    for (const QString& plu : plus) {
        o.photos = {{"/img/a.jpg", {line(plu, "4x6", 1, 1.0f)}}};
        const OrderFilesResult r = writer().sendOrderToBeProcessed(o);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        invoices.append(test::readFile(r.pendingInvoice.path));
        EXPECT_TRUE(invoices.last().contains(plu.toUtf8() + ",4x6,")) << plu.toStdString();
    }
    EXPECT_EQ(QDir(pos).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"123456-2.txt", "123456-3.txt", "123456.txt"}));
    EXPECT_EQ(test::readFile(pos + "/123456.txt"), invoices[0]);
    EXPECT_EQ(test::readFile(pos + "/123456-2.txt"), invoices[1]);
    EXPECT_EQ(test::readFile(pos + "/123456-3.txt"), invoices[2]);

    // The print jobs the host has not taken yet stay too, and the newest is the one announced.
    const QStringList jobs = {"123456_order.plist", "123456-2_order.plist", "123456-3_order.plist"};
    for (qsizetype i = 0; i < jobs.size(); ++i)
        EXPECT_EQ(readPlist(jobs[i])["listOfPackages"].toList().value(0).toMap()["pkgPLU"], plus[i])
            << jobs[i].toStdString();
    EXPECT_EQ(announcedOrderFilePath(server, "123456"), server + "//123456-3_order.plist");
    // Once the host took the first, the next order's job takes its name, and is the newest
    // (the earlier ones dated a minute back, as a returning customer's are).
    QFile::remove(server + "/123456_order.plist");
    for (const QString& job : jobs.mid(1)) {
        QFile file(server + "/" + job);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                     QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(writer().sendOrderToBeProcessed(o).ok);
    EXPECT_EQ(announcedOrderFilePath(server, "123456"), server + "//123456_order.plist");
}

TEST_F(OrderFiles, CustomerIdsThatCannotNameAFileWriteNothing)
{
    const QString outside = root.path() + "/x";
    for (const QString id : {"../x", "..", "a/b", "12\n34", "12\t3", "", " 1", "1.2", "é1",
                             "ID_20261205140500", "123456", "ab-CD_9"}) {
        ReleasedOrder o = order(id);
        o.listOfImages = {"/img/a.jpg"};
        o.photos = {{"/img/a.jpg", {line("P1", "4x6", 1, 1.0f)}}};
        const bool valid = id == "ID_20261205140500" || id == "123456" || id == "ab-CD_9";
        EXPECT_EQ(writer().sendOrderToBeProcessed(o).ok, valid) << id.toStdString();
        EXPECT_EQ(writer().sendOrderToBePrePrinted(id, "/img/a.jpg").ok, valid) << id.toStdString();
        if (valid) {
            EXPECT_TRUE(QFile::exists(server + "/" + id + "_order.plist"));
        }
    }
    EXPECT_FALSE(QFile::exists(outside + "_orderOrig.plist"));
    EXPECT_FALSE(QFile::exists(outside + "_prePrintOrder.plist"));
    EXPECT_FALSE(QFile::exists(outside + ".txt"));
    // Only the three valid IDs' files (three each plus a pre-print file) are there.
    EXPECT_EQ(QDir(server).entryList(QDir::Files | QDir::Hidden).size(), 9);
    EXPECT_EQ(QDir(pos).entryList(QDir::Files | QDir::Hidden).size(), 3);

#ifdef KIVO_ORDER_TOOL
    // kivo-order refuses such a basket before it prices or writes anything.
    Settings::instance().sync();
    for (const QString id : {"../x", "..", "1\n2"}) {
        const QString basket = root.file("basket.plist");
        ASSERT_TRUE(
            plist::writeFile(basket, test::basketOf({test::basketLine("8x10 Print", 1)}, id)));
        const test::ToolRun run = test::runOrderTool({"--basket", basket, "--write"});
        EXPECT_EQ(run.exitCode, 2) << id.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(outside + "_orderOrig.plist"));
    EXPECT_EQ(QDir(server).entryList(QDir::Files | QDir::Hidden).size(), 9);
#endif
}

// The host cannot print a line whose photo has no name, yet the invoice would bill it: such an
// order writes nothing, and the release fails as a failed write does.
TEST_F(OrderFiles, PhotosWithoutANameWriteNothing)
{
    const struct
    {
        QStringList onShow;
        QString ordered;
    } table[] = {
        {{"/img/a.jpg"}, ""},               // an ordered photo without a name
        {{"", "/img/a.jpg"}, "/img/a.jpg"}, // a photo on show without one
    };
    for (const auto& row : table) {
        ReleasedOrder o = order();
        o.listOfImages = row.onShow;
        o.photos = {{row.ordered, {line("P1", "4x6", 1, 1.0f)}}};
        const OrderFilesResult r = writer().sendOrderToBeProcessed(o);
        EXPECT_FALSE(r.ok) << row.onShow.join(',').toStdString();
        EXPECT_EQ(r.failedFile, "full order");
        EXPECT_TRUE(r.error.contains("no name")) << r.error.toStdString();
        EXPECT_TRUE(QDir(server).entryList(QDir::Files | QDir::Hidden).isEmpty());
        EXPECT_TRUE(QDir(pos).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

TEST_F(OrderFiles, SeparatorsAndControlCharactersInNamesAreReplaced)
{
    const struct
    {
        const char* photo;
        const char* display;
        const char* record; // as the invoice carries it
    } table[] = {
        {"/img/a,b.jpg", "5x7, glossy", "P1,5x7_ glossy,a_b.jpg,1,1.00,1.00~"},
        {"/img/a~P9.jpg", "5x7~X,Y,z,1,0.00,0.00",
         "P1,5x7_X_Y_z_1_0.00_0.00,a_P9.jpg,1,1.00,1.00~"},
        {"/img/a\tb\rc\nd.jpg", "5x7\r\n", "P1,5x7__,a_b_c_d.jpg,1,1.00,1.00~"},
        {"/img/a\x01"
         "b\x1f.jpg",
         "5\x7fx7", "P1,5_x7,a_b_.jpg,1,1.00,1.00~"},
        {"/img/Zoë 1.jpg", "Ünïcode 5x7", "P1,Ünïcode 5x7,Zoë 1.jpg,1,1.00,1.00~"}, // untouched
        // A Latin-1 byte as the search hands it over.
        {"/img/caf\xe9.jpg", "5x7", "P1,5x7,caf_.jpg,1,1.00,1.00~"},
    };
    for (const auto& row : table) {
        ReleasedOrder o = order();
        const QString photo = decodeFileName(row.photo);
        o.listOfImages = {photo};
        o.photos = {{photo, {line("P1", QString::fromUtf8(row.display), 1, 1.0f)}}};
        o.freeSheets = 0;
        ASSERT_TRUE(writer().sendOrderToBeProcessed(o).ok) << row.photo;
        const QByteArray invoice = test::readFile(pos + "/123456.txt");
        EXPECT_TRUE(invoice.endsWith(QByteArray("\t") + row.record)) << invoice.toStdString();
        QFile::remove(pos + "/123456.txt"); // billed: the point-of-sale system takes it away
        // Both order files stay readable property lists.
        for (const char* file : {"123456_orderOrig.plist", "123456_order.plist"}) {
            const QVariantMap read = readPlist(file);
            ASSERT_EQ(read["listOfPackages"].toList().size(), 1) << file << " " << row.photo;
            const QString name = read["listOfPackages"].toList()[0].toMap()["name"].toString();
            for (const QChar c : name)
                EXPECT_TRUE(c >= QChar(0x20) || c == '\t' || c == '\n' || c == '\r');
        }
    }
}

TEST_F(OrderFiles, PrePrintFileNamesThePhotoOnShow)
{
    const FileWriteResult r = writer().sendOrderToBePrePrinted("123456", "/img/a.jpg");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.path, server + "/123456_prePrintOrder.plist");
    const QVariantMap d = readPlist("123456_prePrintOrder.plist");
    EXPECT_EQ(d["version"].toString(), "v0.02beta preprint");
    EXPECT_EQ(d["listOfImages"].toList(), QVariantList{"/img/a.jpg"});
    const QVariantMap e = d["listOfPackages"].toList().value(0).toMap();
    EXPECT_EQ(e["pkgPLU"].toString(), "P10021");
    EXPECT_EQ(e["pkgQty"].toLongLong(), 1);
    EXPECT_EQ(e["name"].toString(), "/img/a.jpg");

    EXPECT_FALSE(writer().sendOrderToBePrePrinted("123456", QString()).attempted);

    // A second sample while the host has not taken the first goes beside it.
    const FileWriteResult next = writer().sendOrderToBePrePrinted("123456", "/img/b.jpg");
    ASSERT_TRUE(next.ok);
    EXPECT_EQ(next.path, server + "/123456-2_prePrintOrder.plist");
    EXPECT_EQ(readPlist("123456_prePrintOrder.plist")["listOfImages"].toList(),
              QVariantList{"/img/a.jpg"});
    EXPECT_EQ(readPlist("123456-2_prePrintOrder.plist")["listOfImages"].toList(),
              QVariantList{"/img/b.jpg"});
}
