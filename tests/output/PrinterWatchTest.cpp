#include "output/print/PrinterWatch.h"
#include "core/Settings.h"
#include "output/ReceiptOrder.h"
#include "output/print/CupsReceiptPrinter.h"
#include "output/print/ReceiptPrintJob.h"
#include "support/TestRoot.h"

#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

// Printers by name with a state each; records where receipts went.
class StatePrinters : public ReceiptPrintService
{
public:
    QMap<QString, PrinterStatus> printers;
    QStringList failing; // take the job, then fail it
    QStringList printedOn;
    bool hasPrinter(const QString& name) override { return printers.contains(name); }
    PrinterStatus status(const QString& name, int) override { return printers.value(name); }
    bool print(const QString& name, const QByteArray&, int, QString* error) override
    {
        if (failing.contains(name)) {
            *error = "job aborted";
            return false;
        }
        printedOn << name;
        return true;
    }
};

PrinterStatus state(bool found, bool paused = false, bool accepting = true)
{
    PrinterStatus s;
    s.found = found;
    s.paused = paused;
    s.accepting = accepting;
    return s;
}

bool runCups(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

// A primary that cannot print hands the receipt to a named secondary that is off only when the
// site asked for that failover; a job that fails is never counted as printed.
TEST(ReceiptFallback, SecondaryStandsInOnlyWhenThePrimaryCannotPrint)
{
    const struct
    {
        const char* why;
        PrinterStatus primary;
        bool primaryJobFails;
        QString secondaryName;
        bool failover;
        QStringList printedOn;
        bool standsIn;
    } cases[] = {
        {"prints", state(true), false, "Back", true, {"Front"}, false},
        {"paused", state(true, true), false, "Back", true, {"Back"}, true},
        {"rejecting", state(true, false, false), false, "Back", true, {"Back"}, true},
        {"missing", state(false), false, "Back", true, {"Back"}, true},
        {"job fails", state(true), true, "Back", true, {"Back"}, true},
        {"job fails, no secondary", state(true), true, "", true, {}, false},
        {"paused, no failover", state(true, true), false, "Back", false, {}, false},
        {"job fails, no failover", state(true), true, "Back", false, {}, false},
    };
    test::TestRoot root;
    Settings& settings = Settings::instance();
    settings.setLocalReceiptPath(root.folder("receipts"));
    settings.setPrintReceipt(true);
    settings.setDoPrintReceiptPrimary(true);
    settings.setReceiptPrinterNamePrimary("Front");
    settings.setDoPrintReceiptSecondary(false);
    ReceiptRequest request;
    request.order = ReceiptOrder::fromOrderMap(
        {{"listOfPackages", QVariantList{QVariantMap{{"name", "/img/a.jpg"},
                                                     {"pkgPLU", "P810"},
                                                     {"pkgDisplayName", "8x10"},
                                                     {"pkgQty", qint64(1)},
                                                     {"pkgUnitPrice", 10.0},
                                                     {"pkgTotal", 10.0}}}}});
    for (const auto& c : cases) {
        StatePrinters service;
        if (c.primary.found)
            service.printers["Front"] = c.primary;
        service.printers["Back"] = state(true);
        if (c.primaryJobFails)
            service.failing << "Front";
        settings.setReceiptPrinterNameSecondary(c.secondaryName);
        settings.setReceiptFailoverToSecondary(c.failover);
        ReceiptPrintJob job = ReceiptPrintJob::fromSettings(settings, request, std::nullopt);
        job.pauseBetweenPrintersMs = 0;
        const ReceiptResult result = job.run(service);
        EXPECT_EQ(service.printedOn, c.printedOn) << c.why;
        EXPECT_EQ(result.secondaryStandsIn, c.standsIn) << c.why;
        EXPECT_EQ(result.printed(), !c.printedOn.isEmpty()) << c.why;
        EXPECT_EQ(result.primary.ok, c.printedOn.contains("Front")) << c.why;
        // The printer watch looks after a secondary that may have to print.
        QStringList watched{"Front"};
        if (c.failover && !c.secondaryName.isEmpty())
            watched << c.secondaryName;
        EXPECT_EQ(PrinterWatch::receiptPrinters(settings), watched) << c.why;
    }
}

// A cups-pdf queue of the test's own paused with cupsdisable: the notice comes within 10 s and
// goes when the queue is enabled again; a printer CUPS does not know is reported missing. The
// suite's ReceiptPDF queue is left alone: a receipt test printing on it beside this one would
// find it paused.
TEST(PrinterWatch, PausedQueueAndMissingPrinterShowWithinTenSeconds)
{
    auto cups = std::make_shared<CupsReceiptPrinter>();
    if (!cups->hasPrinter("ReceiptPDF"))
        GTEST_SKIP() << "no CUPS scheduler with a ReceiptPDF queue (scripts/cups-test-queue.sh "
                        "start)";
    const QString queue = "KivoPrinterWatchTest";
    if (!runCups("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/", "-m",
                             "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"}))
        GTEST_SKIP() << "cannot add a CUPS queue here";
    const auto removeQueue = qScopeGuard([&queue] { runCups("lpadmin", {"-x", queue}); });
    PrinterWatch watch(cups);
    watch.setPrinters({queue, "NoSuchKivoPrinter"});
    QSignalSpy changed(&watch, &PrinterWatch::noticeChanged);
    watch.start(3000);
    ASSERT_TRUE(changed.wait(10000));
    EXPECT_EQ(watch.notice(), "Receipt printer NoSuchKivoPrinter is missing");

    ASSERT_TRUE(runCups("cupsdisable", {queue}));
    ASSERT_TRUE(changed.wait(10000));
    EXPECT_TRUE(watch.notice().contains(QString("Receipt printer %1 is paused").arg(queue)))
        << watch.notice().toStdString();
    ASSERT_TRUE(runCups("cupsenable", {queue}));
    ASSERT_TRUE(changed.wait(10000));
    EXPECT_EQ(watch.notice(), "Receipt printer NoSuchKivoPrinter is missing");
}
