// Thumbnail benchmark over distinct photos: makes FILES camera-like 24-megapixel JPEGs (each
// with its own content and EXIF orientation 6), then decodes every one of them to an upright
// thumbnail through the grid's loader on 1 and on 2 threads. One file decoded 40 times would
// flatter the result (page cache, decoder state), so every run decodes all the files once.
// "cold" runs first drop the files from the page cache, as for photos a camera station has just
// written to a share; "warm" runs find them in memory. Each line gives the median of RUNS runs
// with the spread (min and max), and the peak memory the runs added.
//
//   bench_imaging [runs=5] [bound=400] [files=40]

#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"
#include "imaging/ThumbnailLoader.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace kivo::bench;

namespace {

// A camera-like 24-megapixel JPEG with EXIF orientation 6; SEED makes its pixels its own.
bool writeCameraJpeg(const QString& path, quint32 seed)
{
    const QImage image = cameraLikeImage(QSize(6000, 4000), seed);
    if (!image.save(path, "JPEG", 92))
        return false;
    const auto file = kivo::imaging::openMetadata(path);
    if (!file)
        return false;
    Exiv2::ExifData exif;
    exif["Exif.Image.Orientation"] = uint16_t(6);
    file->setExifData(exif);
    file->writeMetadata();
    return true;
}

// Writes the files' pages out and drops them from the page cache.
void dropFromPageCache(const QStringList& paths)
{
    for (const QString& path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

struct Batch
{
    double ms = 0;
    int decoded = 0;
};

Batch decodeAll(const QStringList& paths, int threads, int side)
{
    kivo::ThumbnailLoader loader(nullptr, threads);
    Batch batch;
    QObject::connect(
        &loader, &kivo::ThumbnailLoader::thumbnailLoaded,
        [&](const QString&, const QImage& image) { batch.decoded += !image.isNull(); });
    QElapsedTimer timer;
    timer.start();
    for (const QString& path : paths)
        loader.requestThumbnail(path, QSize(side, side));
    loader.waitForDone();
    QCoreApplication::processEvents(); // delivers the results
    batch.ms = timer.nsecsElapsed() / 1e6;
    return batch;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int side = argc > 2 ? std::max(16, std::atoi(argv[2])) : 400;
    const int count = argc > 3 ? std::max(1, std::atoi(argv[3])) : 40;

    // On disk, not in a memory file system, so that a cold read is a real read.
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench_imaging-XXXXXX"));
    QStringList paths;
    qint64 bytes = 0;
    QElapsedTimer making;
    making.start();
    for (int i = 0; i < count; ++i) {
        const QString path = dir.filePath(QStringLiteral("%1_01.jpg").arg(100000 + i));
        if (!writeCameraJpeg(path, quint32(i + 1))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        paths.append(path);
        bytes += QFile(path).size();
    }
    std::printf("%d distinct 24-megapixel JPEGs, %.1f MB in all (made in %.0f s), orientation 6, "
                "thumbnail bound %d px, %d runs each\n",
                count, bytes / 1048576.0, making.elapsed() / 1000.0, side, runs);

    std::printf("load average before: %s\n", loadAverage().c_str());
    for (const bool cold : {true, false}) {
        for (const int threads : {1, 2}) {
            std::vector<double> ms;
            int decoded = count;
            resetPeak();
            const long base = statusKiB("VmRSS:");
            if (!cold)
                decodeAll(paths, threads, side); // brings every file into memory
            for (int run = 0; run < runs; ++run) {
                if (cold)
                    dropFromPageCache(paths);
                const Batch batch = decodeAll(paths, threads, side);
                ms.push_back(batch.ms);
                decoded = std::min(decoded, batch.decoded);
            }
            std::sort(ms.begin(), ms.end());
            std::printf("%-4s %d thread%s  median %7.1f ms  (min %7.1f, max %7.1f)  "
                        "%.1f ms a photo, %d/%d decoded, peak memory +%.1f MB\n",
                        cold ? "cold" : "warm", threads, threads == 1 ? " " : "s",
                        ms[ms.size() / 2], ms.front(), ms.back(), ms[ms.size() / 2] / count,
                        decoded, count, (statusKiB("VmHWM:") - base) / 1024.0);
        }
    }
    std::printf("load average after: %s\n", loadAverage().c_str());
    return 0;
}
