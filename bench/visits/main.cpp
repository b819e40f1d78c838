// Resident memory over a day of visits: whole visits on the sales window, offscreen, each one the
// customer's ID on the keypad, the station's own search, a package on a photo, the summary, the
// release code and the release into the order output (order files, pending invoice, receipt
// copy), and the start-over to the attract screen. Prints the resident size after a warm-up and
// every 50 visits after it, and the growth per visit; a station that keeps something of every
// visit grows by that much a visit, and over a day of visits that is what it runs out of.
//
//     bench_visits [VISITS [WARMUP]]      (300 and 30 by default)
//
// With KIVO_BENCH_NO_TEARDOWN=1 it ends without taking the window down, so that under heaptrack
// what the station still holds counts as leaked; the difference between a short and a long run
// (heaptrack_print -d) is what the visits kept.
#include "core/Settings.h"
#include "orders/SinglePackageModel.h"
#include "output/OrderReleaseBridge.h"
#include "screens/OrderSummarySheet.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoGridView.h"
#include "screens/SellingScreen.h"
#include "search/ui/HoldDownButton.h"
#include "search/ui/KeypadSheet.h"
#include "station/SalesWindow.h"
#include "visit/SalesSession.h"

#include "BenchSupport.h"
#include "SellingStation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

using namespace kivo;
using State = SalesSession::State;

namespace {

bool waitForState(SalesWindow& controller, State state)
{
    return bench::spinUntil([&] { return controller.session()->state() == state; }, 2, 30000);
}

void press(SalesWindow& controller, const QString& keys)
{
    for (const QChar c : keys)
        QTest::mouseClick(controller.keypad()->digitKey(QString(c)), Qt::LeftButton);
    QTest::mouseClick(controller.keypad()->enterButton(), Qt::LeftButton);
}

// One whole visit; false (with a message) when the station did not get through it.
bool visit(SalesWindow& controller, const QStringList& photos, int number)
{
    press(controller, QStringLiteral("123456"));
    if (!waitForState(controller, State::Choosing)) {
        std::fprintf(stderr, "visit %d: the photos were not shown\n", number);
        return false;
    }
    // The customer looks at the photos: every thumbnail and the preview are decoded.
    PhotoGridView* view = controller.sellingScreen()->photoGrid();
    if (!bench::spinUntil([&] {
            return view->previewComplete() &&
                   std::all_of(photos.begin(), photos.end(),
                               [view](const QString& p) { return !view->thumbnail(p).isNull(); });
        })) {
        std::fprintf(stderr, "visit %d: the photos were not decoded\n", number);
        return false;
    }
    PhotoGridModel* grid = controller.photoGrid();
    SinglePackageModel row;
    row.assignName(QStringLiteral("8x10 Print"));
    row.assignValue(qint16(1 + number % 3));
    if (!grid->selectItem(number % 4) ||
        !grid->thisImageOrder()->copySinglePackageModelToOrder(&row)) {
        std::fprintf(stderr, "visit %d: no package could be chosen\n", number);
        return false;
    }
    controller.session()->showOrderSummary();
    QTest::mouseClick(controller.orderSummary()->acceptButton(), Qt::LeftButton);
    press(controller, QStringLiteral("3582"));
    if (!waitForState(controller, State::Attract)) {
        std::fprintf(stderr, "visit %d: the release did not end at the attract screen\n", number);
        return false;
    }
    // The start-over's own timers, as the next customer's approach would leave them.
    QTest::qWait(60);
    return true;
}

void emptyFolder(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
}

long residentKiB()
{
    // Freed memory handed back first, so that only what is still held counts.
    malloc_trim(0);
    return bench::statusKiB("VmRSS:");
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    bench::useBenchEnvironment(KIVO_SOURCE_RESOURCES, root);
    // No session bus: the host announcement is only logged, as at a station without a host.
    qputenv("DBUS_SESSION_BUS_ADDRESS", QFile::encodeName("unix:path=" + root.path() + "/no-bus"));
    QApplication app(argc, argv);
    const int visits = argc > 1 ? std::atoi(argv[1]) : 300;
    const int warmup = argc > 2 ? std::atoi(argv[2]) : 30;

    const QString images = QDir(root.path()).filePath(QStringLiteral("images"));
    const QString server = QDir(root.path()).filePath(QStringLiteral("server"));
    const QString pos = QDir(root.path()).filePath(QStringLiteral("pos"));
    const QString receipts = QDir(root.path()).filePath(QStringLiteral("receipts"));
    for (const QString& folder : {images, server, pos, receipts})
        QDir().mkpath(folder);
    const QStringList photos = bench::ensureCameraPhotos(images, 4, QSize(1600, 1200));
    if (photos.isEmpty()) {
        std::fprintf(stderr, "the photos could not be made\n");
        return 1;
    }
    Settings& s = Settings::instance();
    s.setMainImagesFolder(images);
    s.setLocalServerPath(server);
    s.setTilboxPendingInvoiceFolder(pos);
    s.setLocalReceiptPath(receipts);
    s.setAllowMultipleIds(false);
    s.setSearchDailySubFolder(false);
    s.setSearchIdMethodTag(2); // folder scan
    s.setMustEnterReleaseCode(true);
    s.setDoPreprintFirstPhoto(false);
    s.setPrintReceipt(true); // the receipt is made and kept as a PDF copy
    s.setDoPrintReceiptPrimary(false);
    s.setDoPrintReceiptSecondary(false);
    s.setPromptForCustomerNameOnReceipt(false);

    SalesWindow controller(s);
    controller.setTerminator([] {});
    controller.session()->releaseBridge()->setStartOverDelay(10);
    controller.window()->resize(1280, 800);
    controller.window()->show();
    controller.startOver();
    QCoreApplication::processEvents();

    std::printf("%d visits, resident size in KiB (load %s)\n", visits,
                bench::loadAverage().c_str());
    long afterWarmup = 0;
    for (int i = 1; i <= visits; ++i) {
        if (!visit(controller, photos, i))
            return 1;
        for (const QString& folder : {server, pos, receipts})
            emptyFolder(folder);
        if (i == warmup) {
            afterWarmup = residentKiB();
            std::printf("after %4d visits (warm-up): %7ld\n", i, afterWarmup);
        } else if (i > warmup && (i % 50 == 0 || i == visits)) {
            std::printf("after %4d visits:           %7ld\n", i, residentKiB());
        }
        std::fflush(stdout);
    }
    if (visits > warmup) {
        const long end = residentKiB();
        std::printf("growth after the warm-up: %ld KiB in all, %.1f KiB a visit\n",
                    end - afterWarmup, double(end - afterWarmup) / (visits - warmup));
    }
    if (qEnvironmentVariableIsSet("KIVO_BENCH_NO_TEARDOWN")) {
        std::fflush(stdout);
        ::_exit(0);
    }
    return 0;
}
