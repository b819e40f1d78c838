// Thumbnail benchmark: makes a 24-megapixel camera-like JPEG tagged with orientation 6, times
// one upright thumbnail against a full decode on one core, then 40 thumbnails on two threads,
// with the peak memory of that batch.
//
//   bench_imaging [runs=5] [bound=400]

#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"
#include "imaging/ImageLoader.h"
#include "imaging/ThumbnailLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

long statusKiB(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return 0;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    const int side = argc > 2 ? std::atoi(argv[2]) : 400;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("camera.jpg"));
    {
        // Smooth gradients with sensor-like noise, so the file is about as dense as a camera's.
        QImage image(6000, 4000, QImage::Format_RGB32);
        QRandomGenerator rng(42);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int n = int(rng.bounded(24)) - 12;
                line[x] = qRgb(qBound(0, x / 24 + n, 255), qBound(0, y / 16 + n, 255),
                               qBound(0, (x + y) / 40 + n, 255));
            }
        }
        image.save(path, "JPEG", 92);
        const auto file = kivo::imaging::openMetadata(path);
        if (!file) {
            std::fprintf(stderr, "cannot read the JPEG just written\n");
            return 1;
        }
        Exiv2::ExifData exif;
        exif["Exif.Image.Orientation"] = uint16_t(6);
        file->setExifData(exif);
        file->writeMetadata();
    }
    std::printf("24-megapixel JPEG: %.1f MB, orientation 6, thumbnail bound %d px\n",
                QFile(path).size() / 1048576.0, side);

    auto medianOf = [&](auto fn) {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            fn();
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    };
    QImage thumb;
    const double thumbMs =
        medianOf([&] { thumb = kivo::loadUprightThumbnail(path, QSize(side, side)); });
    std::printf("one upright thumbnail        %7.1f ms  (%dx%d)\n", thumbMs, thumb.width(),
                thumb.height());
    QImage full;
    const double fullMs = medianOf([&] { full = kivo::loadUprightImage(path); });
    std::printf("one full upright decode      %7.1f ms  (%dx%d, %.0f MB)\n", fullMs, full.width(),
                full.height(), full.sizeInBytes() / 1048576.0);
    full = QImage();
    thumb = QImage();

    resetPeak();
    const long base = statusKiB("VmRSS:");
    kivo::ThumbnailLoader loader(nullptr, 2);
    int done = 0;
    QObject::connect(&loader, &kivo::ThumbnailLoader::thumbnailLoaded,
                     [&](const QString&, const QImage& image) { done += !image.isNull(); });
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 40; ++i)
        loader.requestThumbnail(path, QSize(side, side));
    loader.waitForDone();
    QCoreApplication::processEvents();
    const double batchMs = t.nsecsElapsed() / 1e6;
    std::printf("40 thumbnails on 2 threads   %7.1f ms  (%d decoded), peak memory %.1f MB "
                "(process peak %.1f MB)\n",
                batchMs, done, (statusKiB("VmHWM:") - base) / 1024.0, statusKiB("VmHWM:") / 1024.0);
    return 0;
}
