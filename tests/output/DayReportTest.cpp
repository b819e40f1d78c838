#include "output/DayReport.h"

#include "orders/OrdersTestSupport.h"

#include "core/PropertyList.h"
#include "core/Settings.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QDate kDay(2026, 3, 14);

Cents cents(const QJsonValue& amount)
{
    return qRound64(amount.toDouble() * 100.0);
}

// One order's figures as kivo-order priced it.
SalesFigures figuresOf(const QJsonObject& priced)
{
    return {1, cents(priced["subTotal"]),
            cents(priced["discount"]) + cents(priced["freeSheetValue"]), cents(priced["tax"]),
            cents(priced["total"])};
}

bool same(const SalesFigures& a, const SalesFigures& b)
{
    return std::tie(a.orders, a.subTotal, a.discounts, a.tax, a.total) ==
           std::tie(b.orders, b.subTotal, b.discounts, b.tax, b.total);
}

// A line of the tool's tables: LEAD, then the four amounts of F.
QByteArray csvLine(const QString& lead, const SalesFigures& f)
{
    return QStringLiteral("%1,%2,%3,%4,%5")
        .arg(lead, DayReport::money(f.subTotal), DayReport::money(f.discounts),
             DayReport::money(f.tax), DayReport::money(f.total))
        .toUtf8();
}

// Runs kivo-report with ARGS; its exit status.
int runReportTool(const QStringList& args)
{
    QProcess tool;
    tool.start(KIVO_REPORT_TOOL, args);
    EXPECT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit) << tool.readAllStandardError().toStdString();
    return tool.exitCode();
}

struct Line
{
    const char* package;
    int qty;
    int prePrinted;
};

struct Sale
{
    const char* id;
    int hour;
    QList<Line> lines; // one photo each
};

// A day of orders released through kivo-order --write, dated KDAY at each sale's hour.
class Day : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server = root.folder("server");
        pos = root.folder("pos");
        Settings& s = Settings::instance();
        s.setLocalServerPath(server);
        s.setTilboxPendingInvoiceFolder(pos);
        s.setComputeSalesTax(true);
        s.setBuyNGet1FreeAmt(2); // free sheets beside the percentage discount
        ASSERT_TRUE(s.sync());

        const QList<Sale> sales = {
            {"1001", 10, {{"8x10 Print", 2, 0}}},
            // A returning customer, before the point-of-sale system billed the first order: the
            // order files are the second order's, the first invoice stays beside the second.
            {"1001", 11, {{"5x7 Prints (2)", 2, 0}}},
            {"1002", 10, {{"5x7 Prints (2)", 1, 0}, {"USB Drive", 1, 0}}},
            {"1003", 14, {{"8x10 Print", 3, 0}, {"4x6 Prints (4)", 3, 0}}},
            // Every unit pre-printed: no print job, so no totals record to take tax from.
            {"1004", 15, {{"Wallets (8)", 2, 2}}},
        };
        for (const Sale& sale : sales)
            release(sale);
    }

    void release(const Sale& sale)
    {
        QVariantList photos;
        int n = 0;
        for (const Line& l : sale.lines)
            photos.append(QVariantMap{
                {"path", QStringLiteral("/photos/%1_%2.jpg").arg(sale.id).arg(++n)},
                {"lines", QVariantList{QVariantMap{{"pkgDisplayName", l.package},
                                                   {"pkgQty", l.qty},
                                                   {"pkgPrePrintQty", l.prePrinted}}}}});
        const QString basket = root.file("basket.plist");
        ASSERT_TRUE(
            plist::writeFile(basket, QVariantMap{{"customerID", sale.id}, {"photos", photos}}));
        const test::ToolRun run = test::runOrderTool({"--basket", basket, "--json", "--write"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QByteArray& out = run.out;
        const QJsonObject priced = test::pricedJson(out);
        ASSERT_FALSE(priced.isEmpty()) << out.toStdString();
        orders.append({sale, priced});

        // Released at the sale's hour of the report's day: the invoice's data line and the
        // files' times say so.
        const QDateTime when(kDay, QTime(sale.hour, 25));
        const qsizetype wrote = out.indexOf("\nwrote " + pos.toUtf8());
        ASSERT_GE(wrote, 0) << out.toStdString();
        const QString invoice =
            QString::fromUtf8(out.mid(wrote + 7, out.indexOf('\n', wrote + 1) - wrote - 7));
        QByteArray text = test::readFile(invoice);
        const qsizetype date = text.indexOf("\rV1002\t") + 7;
        const qsizetype records = text.indexOf('\t', text.indexOf('\t', date) + 1);
        ASSERT_GT(date, 6);
        text.replace(date, records - date,
                     when.toString("MM/dd/yy\tHH:mm ").toUtf8() + (sale.hour < 12 ? "AM" : "PM"));
        test::writeFile(invoice, text);
        const QString orderFolder = Settings::instance().localServerPath();
        for (const QString& path : {invoice, orderFolder + "/" + sale.id + "_orderOrig.plist"}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
        }
    }

    DayReport report(const QDate& day = kDay)
    {
        DayReport r;
        QString error;
        EXPECT_TRUE(r.load(DayReport::foldersFromSettings(Settings::instance()), day, &error))
            << error.toStdString();
        return r;
    }

    test::TestRoot root;
    QString server, pos;
    QList<std::pair<Sale, QJsonObject>> orders;
};

} // namespace

TEST_F(Day, FiguresMatchTheBasketsPrices)
{
    const DayReport r = report();
    EXPECT_EQ(r.orderCount(), 5);
    EXPECT_TRUE(r.crossCheckClean()) << r.toText().toStdString();

    SalesFigures day, unknown;
    QMap<int, SalesFigures> hours;
    QMap<std::pair<QString, QString>, std::pair<qint64, Cents>> packages;
    for (qsizetype i = 0; i < orders.size(); ++i) {
        const auto& [sale, priced] = orders.at(i);
        // The first order of the returning customer has its invoice but no longer its order
        // files, so no print job to take its tax from.
        const QString id(sale.id);
        const bool replaced =
            std::any_of(orders.begin() + i + 1, orders.end(),
                        [&id](const auto& later) { return QString(later.first.id) == id; });
        const SalesFigures f = figuresOf(priced);
        if (QString(sale.id) == "1004" || replaced) {
            unknown += SalesFigures{1, f.subTotal, f.discounts, 0, 0};
        } else {
            day += f;
            hours[sale.hour] += f;
        }
        for (const QJsonValue& l : priced["lines"].toArray()) {
            auto& p = packages[{l["pkgPLU"].toString(), l["pkgDisplayName"].toString()}];
            p.first += l["pkgQty"].toInt();
            p.second += cents(l["pkgTotal"]);
        }
    }
    // The day has discounts, free sheets and tax, so each column is really checked.
    ASSERT_GT(orders[3].second["discount"].toDouble(), 0.0);
    ASSERT_GT(orders[3].second["freeSheets"].toInt(), 0);
    ASSERT_GT(day.tax, 0);

    EXPECT_TRUE(same(r.dayTotals(), day)) << r.toText().toStdString();
    EXPECT_TRUE(same(r.taxNotKnown(), unknown)) << r.toText().toStdString();
    EXPECT_EQ(r.taxNotKnownIds(), (QStringList{"1001", "1004"}));
    QList<int> reportedHours;
    for (const HourSales& h : r.hours()) {
        reportedHours.append(h.hour);
        EXPECT_TRUE(same(h.figures, hours.value(h.hour))) << h.hour;
    }
    EXPECT_EQ(reportedHours, (QList<int>{10, 11, 14, 15}));
    ASSERT_EQ(r.packages().size(), packages.size());
    for (const PackageSales& p : r.packages()) {
        const auto want = packages.value({p.plu, p.displayName});
        EXPECT_EQ(std::make_pair(p.quantity, p.amount), want) << p.plu.toStdString();
    }

    // Another day has none of these orders.
    EXPECT_EQ(report(kDay.addDays(1)).orderCount(), 0);
}

TEST_F(Day, CrossCheckListsWhatDiffers)
{
    const QString invoice1004 = pos + "/1004.txt";
    const QString invoice1001 = pos + "/1001-2.txt";
    const QString order1002 = server + "/1002_orderOrig.plist";
    const QString invoice1003 = pos + "/1003.txt";
    const QString printJob1003 = server + "/1003_order.plist";
    const QByteArray text = test::readFile(invoice1003);
    const qsizetype firstRecord = text.lastIndexOf('\t') + 1;
    const QByteArray plu = text.mid(firstRecord, text.indexOf(',', firstRecord) - firstRecord);
    const struct
    {
        const char* what;
        QString file;
        std::function<void()> change;
        CrossCheckFinding::Kind kind;
        const char* id;
        const char* detail; // part of the finding's text
    } table[] = {
        {"missing invoice", invoice1004, [&] { QFile::remove(invoice1004); },
         CrossCheckFinding::Kind::MissingInvoice, "1004", "no pending invoice"},
        // The returning customer's order file is checked against its own invoice, the newest.
        {"returning customer's invoice changed", invoice1001,
         [&] {
             QByteArray t = test::readFile(invoice1001);
             const qsizetype record = t.lastIndexOf('\t') + 1;
             test::writeFile(invoice1001, t.replace(record, t.indexOf(',', record) - record, "X1"));
         },
         CrossCheckFinding::Kind::DifferentRecord, "1001", "X1 in the invoice"},
        {"orphan invoice", order1002, [&] { QFile::remove(order1002); },
         CrossCheckFinding::Kind::OrphanInvoice, "1002", "without an order file"},
        {"changed quantity", invoice1003,
         [&] {
             QByteArray t = text;
             const qsizetype qty = t.indexOf(",3,", firstRecord);
             test::writeFile(invoice1003, t.replace(qty, 3, ",4,"));
         },
         CrossCheckFinding::Kind::DifferentRecord, "1003", "quantity 3 in the order file, 4"},
        {"changed PLU", invoice1003,
         [&] {
             QByteArray t = text;
             test::writeFile(invoice1003, t.replace(firstRecord, plu.size(), "X1"));
         },
         CrossCheckFinding::Kind::DifferentRecord, "1003", "PLU"},
        {"print job of another order", printJob1003,
         [&] {
             QVariantMap job = plist::readFile(printJob1003).toMap();
             job["curOrderTotalsInfo"] =
                 QVariantMap{{"subTotal", 5.0}, {"tax", 0.5}, {"total", 5.5}, {"discount", 0.0}};
             ASSERT_TRUE(plist::writeFile(printJob1003, job));
         },
         CrossCheckFinding::Kind::DifferentRecord, "1003", "print job's totals"},
        {"discount record dropped", invoice1003,
         [&] { test::writeFile(invoice1003, text.left(text.lastIndexOf('~', -2) + 1)); },
         CrossCheckFinding::Kind::DifferentRecord, "1003", "not in the invoice"},
    };
    for (const auto& row : table) {
        const QByteArray kept = test::readFile(row.file);
        row.change();
        const DayReport r = report();
        ASSERT_EQ(r.findings().size(), 1) << row.what << "\n" << r.toText().toStdString();
        const CrossCheckFinding& f = r.findings().first();
        EXPECT_EQ(f.kind, row.kind) << row.what;
        EXPECT_EQ(f.customerId, row.id) << row.what;
        EXPECT_TRUE(f.detail.contains(row.detail)) << row.what << ": " << f.detail.toStdString();
        test::writeFile(row.file, kept);
    }

    // Free sheets billed in whole cents as two records stand for the one free-sheets record.
    const SalesFigures before = report().dayTotals();
    const QByteArray freeSheets = ",freeSheet,2,-2.00,-4.00~";
    const qsizetype free = text.indexOf(freeSheets);
    ASSERT_GT(free, 0) << text.toStdString();
    const qsizetype start = text.lastIndexOf('~', free) + 1;
    const QByteArray record = text.mid(start, free - start) + ",freeSheet,1,-2.00,-2.00~";
    QByteArray split = text;
    test::writeFile(invoice1003,
                    split.replace(start, free + freeSheets.size() - start, record + record));
    const DayReport r = report();
    EXPECT_TRUE(r.crossCheckClean()) << r.toText().toStdString();
    EXPECT_EQ(r.dayTotals().discounts, before.discounts);
    EXPECT_EQ(r.dayTotals().total, before.total);
}

TEST_F(Day, ToolExitsAndWritesTheTables)
{
    const QString csv = root.file("out/day.csv");
    const QString chart = root.file("out/day.png");
    QDir().mkpath(root.folder("out"));
    const auto run = runReportTool;
    const QStringList day{"--day", kDay.toString(Qt::ISODate)};
    EXPECT_EQ(run(day + QStringList{"--csv", csv, "--chart", chart}), 0);
    const QList<QByteArray> lines = test::readFile(csv).split('\n');
    const SalesFigures total = report().dayTotals();
    EXPECT_TRUE(lines.contains(csvLine("day,3", total))) << test::readFile(csv).toStdString();
    EXPECT_TRUE(lines.contains("plu,package,quantity,amount"));
    EXPECT_EQ(QImage(chart).size(), QSize(1200, 675));

    QFile::remove(pos + "/1002.txt");
    EXPECT_EQ(run(day), 1);
    for (const QStringList& bad :
         {QStringList{"--day", "2026-02-30"}, QStringList{"--day"}, QStringList{"extra"},
          day + QStringList{"--csv", root.path() + "/no/such/folder/day.csv"}})
        EXPECT_EQ(run(bad), 2) << bad.join(' ').toStdString();
    Settings::instance().setTilboxPendingInvoiceFolder(root.path() + "/gone");
    ASSERT_TRUE(Settings::instance().sync());
    EXPECT_EQ(run(day), 2);
}

// A second station with its own order folder bills into the same point-of-sale folder, one of
// its customers a returning one of the first station: each station is reported from its own
// order files and invoices, and the site as both together.
TEST_F(Day, SiteReportsEachStationAndTheSiteFromOneInvoiceFolder)
{
    const DayReport first = report();
    Settings& s = Settings::instance();
    const QString second = root.folder("server2");
    s.setLocalServerPath(second);
    ASSERT_TRUE(s.sync());
    const qsizetype before = orders.size();
    release({"2001", 12, {{"8x10 Print", 1, 0}}});
    release({"1002", 16, {{"USB Drive", 1, 0}}});
    ASSERT_TRUE(QFile::exists(pos + "/1002-2.txt"));
    SalesFigures secondDay;
    for (const auto& [sale, priced] : orders.mid(before))
        secondDay += figuresOf(priced);

    SiteReport site;
    QString error;
    ASSERT_TRUE(site.load({server, second}, pos, kDay, &error)) << error.toStdString();
    EXPECT_TRUE(site.crossCheckClean()) << site.toText().toStdString();
    ASSERT_EQ(site.stations().size(), 2);
    const DayReport& a = site.stations()[0].report;
    const DayReport& b = site.stations()[1].report;
    EXPECT_EQ(a.orderCount(), first.orderCount());
    EXPECT_TRUE(same(a.dayTotals(), first.dayTotals())) << a.toText().toStdString();
    EXPECT_TRUE(same(a.taxNotKnown(), first.taxNotKnown()));
    EXPECT_EQ(a.packages().size(), first.packages().size());
    EXPECT_EQ(b.orderCount(), 2);
    EXPECT_TRUE(same(b.dayTotals(), secondDay)) << b.toText().toStdString();
    EXPECT_EQ(site.site().orderCount(), first.orderCount() + 2);
    SalesFigures both = first.dayTotals();
    both += secondDay;
    EXPECT_TRUE(same(site.site().dayTotals(), both)) << site.toText().toStdString();
    qint64 units = 0;
    for (const DayReport* r : {&a, &b, &site.site()})
        for (const PackageSales& p : r->packages())
            units += (r == &site.site() ? -1 : 1) * p.quantity;
    EXPECT_EQ(units, 0);

    // An invoice no station has an order file for is the site's orphan.
    test::writeFile(pos + "/3001.txt", test::readFile(pos + "/2001.txt"));
    ASSERT_TRUE(site.load({server, second}, pos, kDay, &error));
    ASSERT_EQ(site.site().findings().size(), 1) << site.toText().toStdString();
    EXPECT_EQ(site.site().findings()[0].customerId, "3001");
    QFile::remove(pos + "/3001.txt");

    // The tool: each station's tables and the site's, each line led by whose it is.
    const QString csv = root.file("site.csv");
    EXPECT_EQ(runReportTool({"--day", kDay.toString(Qt::ISODate), "--orders", server, "--orders",
                             second, "--invoices", pos, "--csv", csv}),
              0);
    const QList<QByteArray> lines = test::readFile(csv).split('\n');
    const SalesFigures t = site.site().dayTotals();
    EXPECT_TRUE(lines.contains(csvLine(QString("site,day,%1").arg(t.orders), t)))
        << test::readFile(csv).toStdString();
    EXPECT_TRUE(
        lines.contains(csvLine(QString("%1,day,%2").arg(second).arg(secondDay.orders), secondDay)))
        << test::readFile(csv).toStdString();
}
