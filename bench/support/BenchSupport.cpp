#include "BenchSupport.h"

#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"

#include <QDir>
#include <QImageReader>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

#include <time.h>

namespace kivo::bench {

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

std::string loadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " " + five;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = size_t(std::ceil(fraction * double(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

QImage cameraLikeImage(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    quint32 state = seed * 2654435761u + 1;
    const int shift = int(seed * 37 % 200);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int n = int(state % 24) - 12;
            line[x] = qRgb(qBound(0, (x + shift) / 24 % 256 + n, 255),
                           qBound(0, (y + shift) / 16 % 256 + n, 255),
                           qBound(0, (x + y + shift) / 40 % 256 + n, 255));
        }
    }
    return image;
}

namespace {

bool isCameraPhoto(const QString& path, QSize size)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.size() == size;
}

bool tagPhoto(const QString& path, int i)
{
    const auto file = imaging::openMetadata(path);
    if (!file)
        return false;
    try {
        Exiv2::ExifData exif;
        exif["Exif.Image.Orientation"] = uint16_t(i % 3 == 2 ? 6 : 1);
        exif["Exif.Image.Make"] = std::string("Kivo bench camera");
        exif["Exif.Photo.DateTimeOriginal"] =
            QStringLiteral("2026:12:06 10:%1:00").arg(i % 60, 2, 10, QChar('0')).toStdString();
        file->setExifData(exif);
        file->writeMetadata();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

} // namespace

QString cameraPhotoPath(const QString& folder, int i)
{
    return QDir(folder).filePath(QStringLiteral("123456_%1.jpg").arg(i, 4, 10, QChar('0')));
}

QStringList ensureCameraPhotos(const QString& folder, int count, QSize size)
{
    QDir().mkpath(folder);
    QStringList paths;
    std::vector<int> missing;
    for (int i = 0; i < count; ++i) {
        paths << cameraPhotoPath(folder, i);
        if (!isCameraPhoto(paths.last(), size))
            missing.push_back(i);
    }
    if (missing.empty())
        return paths;
    std::printf("making %zu camera photos in %s ...\n", missing.size(), qPrintable(folder));
    std::fflush(stdout);
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    // 7 to 8 MB each at 24 MP: the encoding takes most of the time, on two threads.
    auto work = [&] {
        for (size_t k; (k = next++) < missing.size();) {
            const int i = missing[k];
            if (!cameraLikeImage(size, quint32(i + 1)).save(paths.at(i), "JPEG", 92))
                failed = true;
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    for (int i : missing)
        failed = failed || !tagPhoto(paths.at(i), i);
    return failed ? QStringList() : paths;
}

std::string dayFolderName(int folder)
{
    char name[32];
    std::snprintf(name, sizeof name, "/%04d-%03d", 2026 + folder / 366, folder % 366);
    return name;
}

} // namespace kivo::bench
