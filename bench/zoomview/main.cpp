// bench_zoomview [ORIENTATION]
//
// The zoomable view over a 24 MP camera-like JPEG (6000 x 4000, tagged ORIENTATION, 1 by
// default) in a 1280 x 800 view, rendered offscreen into an image of that size:
// - opening: reading the file and decoding the screen-sized copy (off the GUI thread);
// - redraws while zooming in step by step, dragging about and zooming out again: the change and
//   the redraw of each step, median and worst (a frame at 60 Hz has 16.7 ms);
// - the full-resolution refresh at three zoom levels (the region as large as the view, a region
//   2.3 times as large, 1.5 times the whole width's zoom; the whole photo needs none, its copy
//   covers the view): from the change to the refreshed region drawn, median and worst of 5 runs
//   each (the refresh itself starts 0.23 s after the last change; that wait is not counted).

#include "imaging/ui/ZoomableImageView.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "imaging/Exiv2Compat.h"

using kivo::ZoomableImageView;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
const QSize kView(1280, 800);

bool tag(const QString& path, int orientation)
{
    try {
        auto file = Exiv2::ImageFactory::open(path.toStdString());
        file->readMetadata();
        Exiv2::ExifData exif;
        exif["Exif.Image.Orientation"] = uint16_t(orientation);
        file->setExifData(exif);
        file->writeMetadata();
        return true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_zoomview: %s\n", e.what());
        return false;
    }
}

double ms(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

void report(const char* what, const std::vector<double>& times)
{
    std::printf("%-44s median %7.2f ms  worst %7.2f ms  (%zu)\n", what, kivo::bench::median(times),
                *std::max_element(times.begin(), times.end()), times.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int orientation = argc > 1 ? std::atoi(argv[1]) : 1;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    if (!kivo::bench::cameraLikeImage(QSize(kWidth, kHeight), 7).save(path, "JPEG", 92) ||
        !tag(path, orientation))
        return 1;

    ZoomableImageView view;
    view.resize(kView);
    QImage frame(kView, QImage::Format_ARGB32_Premultiplied);
    const auto redraw = [&] {
        QPainter p(&frame);
        view.render(&p);
    };

    QElapsedTimer t;
    t.start();
    view.setImagePath(path);
    view.waitForPhoto();
    if (!view.hasPhoto()) {
        std::fprintf(stderr, "bench_zoomview: the photo did not open\n");
        return 1;
    }
    std::printf("24 MP photo, orientation %d, view %dx%d, load %s\n", orientation, kView.width(),
                kView.height(), kivo::bench::loadAverage().c_str());
    std::printf("%-44s %7.2f ms (copy %dx%d)\n", "open (read + screen-sized decode)", ms(t),
                view.screenImage().width(), view.screenImage().height());

    // Zooming in, dragging about, zooming out: each step a change and a redraw.
    std::vector<double> zooming, scrolling;
    redraw();
    for (int i = 0; i < 22; ++i) {
        t.restart();
        view.zoomIn();
        redraw();
        zooming.push_back(ms(t));
    }
    for (int i = 0; i < 120; ++i) {
        const double angle = i * 0.15;
        t.restart();
        view.scrollByViewDelta(QPointF(40 * std::cos(angle), 25 * std::sin(angle)));
        redraw();
        scrolling.push_back(ms(t));
    }
    for (int i = 0; i < 22; ++i) {
        t.restart();
        view.zoomOut();
        redraw();
        zooming.push_back(ms(t));
    }
    report("redraw while zooming (step + draw)", zooming);
    report("redraw while dragging (step + draw)", scrolling);

    // The full-resolution refresh: from the change (after the 0.23 s wait) to the region drawn.
    struct Level
    {
        const char* what;
        double factor; // view points per photo pixel
    };
    const Level levels[] = {{"refresh, region as large as the view (1:1)", 1.0},
                            {"refresh, region 2.3 times the view", 1 / 2.3},
                            {"refresh, 1.5 times the whole-width zoom", -1.5}};
    std::vector<double> blits;
    for (const Level& level : levels) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            view.zoomImageToFit();
            // A negative factor counts from the whole width's.
            view.setZoomFactor(level.factor > 0 ? level.factor
                                                : -level.factor * view.contents().zoomFactorMin());
            view.scrollByViewDelta(QPointF(run * 30 - 60, run * 20 - 40));
            t.restart();
            view.waitForRefresh();
            redraw();
            times.push_back(ms(t));
            if (view.sharpImage().isNull())
                break; // the copy is as sharp as the screen there
            t.restart();
            redraw();
            blits.push_back(ms(t));
        }
        if (view.sharpImage().isNull())
            std::printf("%-44s none needed\n", level.what);
        else
            report(level.what, times);
    }
    report("redraw of a refreshed region", blits);
    return 0;
}
