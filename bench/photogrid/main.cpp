// The selling screen with a visit of 40 camera photos (6000 x 4000 JPEGs with EXIF, every file
// different), on the offscreen platform:
//   - the time from the search handing the photos over to the first photo painted;
//   - the time until every thumbnail and the preview's own decode are in, against decoding the
//     same 40 reduced-size thumbnails on 2 threads and nothing else (the two alternate, medians);
//   - the peak memory of a process that runs the visit with the preview shown (VmHWM), measured
//     in a fresh child process so that making the photos does not count.
//
//   bench_photogrid [runs=5] [photo folder]     photos are made (once) in the folder, else in a
//                                                temporary one
//   bench_photogrid --visit FOLDER               the child: one visit, then prints its VmHWM

#include "core/Settings.h"
#include "imaging/ImageLoader.h"
#include "imaging/ThumbnailLoader.h"
#include "orders/PackageCatalogue.h"
#include "screens/OrderSummaryModel.h"
#include "screens/PackagePanelModel.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoGridView.h"
#include "screens/PhotoPreview.h"
#include "screens/SellingCoordinator.h"
#include "screens/SellingScreen.h"
#include "screens/StationStyle.h"

#include "BenchSupport.h"
#include "SellingStation.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include <time.h>
#include <vector>

using namespace kivo;
using namespace kivo::bench;

namespace {

constexpr int kPhotos = 40;
constexpr QSize kCameraSize(6000, 4000);
const QSize kWindow(1920, 1080);

struct VisitTimes
{
    double firstPhotoMs = -1;
    double filledMs = -1;
    double cpuMs = 0;     // the whole process
    double mainCpuMs = 0; // the main thread
    double firstPhotoMainCpuMs = 0;
};

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

VisitTimes runVisit(const QStringList& photos)
{
    SellingStation station(kWindow);
    PhotoPreview& preview = *station.view().preview();
    VisitTimes times;
    const double cpu = processCpuMs();
    const double mainCpu = threadCpuMs();
    QElapsedTimer t;
    t.start();
    station.coordinator->startVisit(photos);
    const bool shown = spinUntil([&] { return !preview.image().isNull(); });
    preview.repaint(); // what the customer sees: the photo painted
    if (shown) {
        times.firstPhotoMs = t.nsecsElapsed() / 1e6;
        times.firstPhotoMainCpuMs = threadCpuMs() - mainCpu;
    }
    // Every photo's arrival wakes the loop anyway; the tick only bounds a late look.
    if (spinUntil([&] { return station.filled(photos); }, 20))
        times.filledMs = t.nsecsElapsed() / 1e6;
    times.cpuMs = processCpuMs() - cpu;
    times.mainCpuMs = threadCpuMs() - mainCpu;
    return times;
}

// The reference: the 40 reduced-size thumbnails decoded upright on 2 threads, nothing else.
double decodeThumbnailsAlone(const QStringList& photos, double* cpuMs)
{
    const double cpu = processCpuMs();
    QThreadPool pool;
    pool.setMaxThreadCount(2);
    std::atomic<int> decoded{0};
    QElapsedTimer t;
    t.start();
    for (const QString& path : photos) {
        pool.start([&decoded, path] {
            QImageReader reader(path);
            reader.setAutoTransform(true);
            const int side = PhotoGridView::kThumbnailSide;
            reader.setScaledSize(reader.size().scaled(side, side, Qt::KeepAspectRatio));
            decoded += !reader.read().isNull();
        });
    }
    pool.waitForDone();
    const double ms = t.nsecsElapsed() / 1e6;
    *cpuMs = processCpuMs() - cpu;
    return decoded == photos.size() ? ms : -1;
}

// Where a thumbnail's time goes, on this thread's clock (a busy machine does not count): the
// file read, the decode from memory, and the loader that does both, against the decoder alone.
void profileOnePhoto(const QStringList& photos)
{
    const QSize bound(PhotoGridView::kThumbnailSide, PhotoGridView::kThumbnailSide);
    const auto perPhoto = [&](auto fn) {
        const double start = threadCpuMs();
        for (const QString& path : photos)
            fn(path);
        return (threadCpuMs() - start) / photos.size();
    };
    const double alone = perPhoto([&](const QString& path) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        reader.setScaledSize(reader.size().scaled(bound, Qt::KeepAspectRatio));
        reader.read();
    });
    const double read = perPhoto([](const QString& path) { readPhotoFile(path); });
    const double fromMemory = perPhoto(
        [&](const QString& path) { decodeUprightImage(readPhotoFile(path).data, path, bound); });
    const double loader = perPhoto([&](const QString& path) { loadUprightThumbnail(path, bound); });
    std::printf("one thumbnail, CPU of the calling thread: decoder alone %.1f ms, loader %.1f ms "
                "(file read %.1f ms, read and decode from memory %.1f ms)\n",
                alone, loader, read, fromMemory);
}

int visitChild(const QString& folder)
{
    QStringList photos;
    for (int i = 0; i < kPhotos; ++i)
        photos << cameraPhotoPath(folder, i);
    SellingStation station(kWindow);
    station.coordinator->startVisit(photos);
    if (!spinUntil([&] { return station.filled(photos); }))
        return 1;
    // The customer looks through a few photos; each comes up in the preview.
    for (int i : {5, 17, 33, 0}) {
        station.grid->selectItem(i);
        spinUntil([&] { return station.view().previewComplete(); });
        station.screen->repaint();
    }
    std::printf("VmHWM %ld kB VmRSS %ld kB\n", statusKiB("VmHWM:"), statusKiB("VmRSS:"));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    useBenchEnvironment(KIVO_SOURCE_RESOURCES, root);
    QApplication app(argc, argv);
    applyStationStyleSheet();
    // The station's console trace goes to its log; here it would only slow the loop down.
    std::FILE* keep = std::freopen("/dev/null", "w", stderr);
    (void)keep;

    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == QLatin1String("--visit"))
        return visitChild(args.at(2));

    const int runs = args.size() > 1 ? std::max(1, args.at(1).toInt()) : 5;
    QTemporaryDir temporary;
    const QString folder = args.size() > 2 ? args.at(2) : temporary.path();
    const QStringList photos = ensureCameraPhotos(folder, kPhotos, kCameraSize);
    if (photos.isEmpty()) {
        std::printf("cannot make the photos in %s\n", qPrintable(folder));
        return 1;
    }
    qint64 bytes = 0;
    for (const QString& path : photos)
        bytes += QFileInfo(path).size();
    std::printf("%d photos of %dx%d, %.1f MB on average; window %dx%d; %d runs\n", kPhotos,
                kCameraSize.width(), kCameraSize.height(), bytes / 1048576.0 / kPhotos,
                kWindow.width(), kWindow.height(), runs);

    profileOnePhoto(photos);

    std::vector<double> first, filled, alone, ratio;
    for (int r = 0; r < runs; ++r) {
        // Alternating which goes first, so that neither always meets a warmer machine.
        double a = 0, aloneCpu = 0;
        VisitTimes v;
        if (r % 2 == 0) {
            a = decodeThumbnailsAlone(photos, &aloneCpu);
            v = runVisit(photos);
        } else {
            v = runVisit(photos);
            a = decodeThumbnailsAlone(photos, &aloneCpu);
        }
        if (a < 0 || v.firstPhotoMs < 0 || v.filledMs < 0) {
            std::printf("run %d: a photo did not decode or the grid never filled\n", r + 1);
            return 1;
        }
        std::printf("run %d: first photo %7.1f ms   grid filled %8.1f ms   thumbnails alone "
                    "%8.1f ms   ratio %.3f\n",
                    r + 1, v.firstPhotoMs, v.filledMs, a, v.filledMs / a);
        std::printf("       CPU: grid %.0f ms (main thread %.0f ms, %.1f ms of it up to the first "
                    "photo), thumbnails alone %.0f ms, ratio %.3f\n",
                    v.cpuMs, v.mainCpuMs, v.firstPhotoMainCpuMs, aloneCpu, v.cpuMs / aloneCpu);
        std::fflush(stdout);
        first.push_back(v.firstPhotoMs);
        filled.push_back(v.filledMs);
        alone.push_back(a);
        ratio.push_back(v.filledMs / a);
    }
    std::printf("median: first photo %.1f ms (target 150), grid filled %.1f ms, thumbnails alone "
                "%.1f ms, ratio %.3f (median of the runs' ratios %.3f, target 1.1)\n",
                median(first), median(filled), median(alone), median(filled) / median(alone),
                median(ratio));

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--visit"), folder});
    child.waitForFinished(300000);
    const QByteArray out = child.readAllStandardOutput().trimmed();
    std::printf("visit process with the preview shown: %s (target VmHWM below 250 MB)\n",
                out.isEmpty() ? "failed" : out.constData());
    return child.exitCode();
}
