// bench_crop [RUNS]
//
// Writing the three cropped files of a 24 MP photo's job ticket (8x10, 5x7, 4x6) through the
// station's crop writer, against the least that work can cost: decoding the photo and encoding
// the three crops with libjpeg-turbo alone, in memory, at the same quality. The two are run in
// turn (after one warm-up each) so that both see the same machine; medians with min and max.

#include "imaging/CropOptions.h"
#include "imaging/CropTicket.h"
#include "imaging/CropWriter.h"
#include "imaging/Exiv2Compat.h"

#include "BenchSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

bool addExif(const QString& path)
{
    try {
        auto file = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        file->readMetadata();
        Exiv2::ExifData exif;
        exif["Exif.Image.Orientation"] = uint16_t(1);
        exif["Exif.Image.Make"] = std::string("Kivo");
        exif["Exif.Photo.DateTimeOriginal"] = std::string("2026:12:06 10:11:12");
        exif["Exif.Photo.PixelXDimension"] = uint32_t(kWidth);
        exif["Exif.Photo.PixelYDimension"] = uint32_t(kHeight);
        file->setExifData(exif);
        file->writeMetadata();
        return true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_crop: %s\n", e.what());
        return false;
    }
}

// Decodes the file and encodes the three crops with libjpeg-turbo, in the 4-byte pixels the
// station decodes to. Answers the bytes encoded.
size_t turboOnly(const QString& path, const QList<QPair<QString, QRectF>>& crops)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::exit(1);
    const QByteArray bytes = file.readAll();

    jpeg_decompress_struct in;
    jpeg_error_mgr inErrors;
    in.err = jpeg_std_error(&inErrors);
    jpeg_create_decompress(&in);
    jpeg_mem_src(&in, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&in, TRUE);
    in.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&in);
    const size_t stride = size_t(in.output_width) * 4;
    std::vector<unsigned char> pixels(stride * in.output_height);
    while (in.output_scanline < in.output_height) {
        JSAMPROW row = pixels.data() + stride * in.output_scanline;
        jpeg_read_scanlines(&in, &row, 1);
    }
    jpeg_finish_decompress(&in);
    jpeg_destroy_decompress(&in);

    size_t total = 0;
    for (const auto& crop : crops) {
        const QRect r = crop.second.toRect();
        jpeg_compress_struct out;
        jpeg_error_mgr outErrors;
        out.err = jpeg_std_error(&outErrors);
        jpeg_create_compress(&out);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&out, &buffer, &size);
        out.image_width = JDIMENSION(r.width());
        out.image_height = JDIMENSION(r.height());
        out.input_components = 4;
        out.in_color_space = JCS_EXT_BGRX;
        jpeg_set_defaults(&out);
        jpeg_set_quality(&out, kivo::kCropJpegQuality, TRUE);
        jpeg_start_compress(&out, TRUE);
        while (out.next_scanline < out.image_height) {
            JSAMPROW row =
                pixels.data() + stride * size_t(r.y() + int(out.next_scanline)) + size_t(r.x()) * 4;
            jpeg_write_scanlines(&out, &row, 1);
        }
        jpeg_finish_compress(&out);
        total += size;
        std::free(buffer);
        jpeg_destroy_compress(&out);
    }
    return total;
}

struct Stats
{
    double median, min, max;
};

Stats stats(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    QTemporaryDir dir;
    const QString photo = dir.filePath(QStringLiteral("100001_01.jpg"));
    if (!kivo::bench::cameraLikeImage(QSize(kWidth, kHeight), 1).save(photo, "JPEG", 90) ||
        !addExif(photo)) {
        std::fputs("bench_crop: cannot write the test photo\n", stderr);
        return 1;
    }
    const kivo::CropOptionsResult options = kivo::loadCropOptions();
    if (!options.ok()) {
        std::fprintf(stderr, "bench_crop: %s\n", qPrintable(options.error));
        return 1;
    }
    const kivo::CropTicket ticket =
        kivo::makeCropTicket(photo, QSize(kWidth, kHeight), 1, QRectF(0, 0, kWidth, kHeight),
                             options.options, QDateTime::currentDateTime());
    const auto crops = ticket.orderedCrops();

    std::vector<double> writer, turbo;
    QElapsedTimer timer;
    for (int i = -1; i < runs; ++i) { // run -1 warms both up
        timer.start();
        for (const kivo::CroppedFile& f : kivo::writeCroppedFiles(ticket, photo))
            if (!f.ok()) {
                std::fprintf(stderr, "bench_crop: %s: %s\n", qPrintable(f.path),
                             qPrintable(f.error));
                return 1;
            }
        const double a = double(timer.nsecsElapsed()) / 1e6;
        timer.start();
        turboOnly(photo, crops);
        const double b = double(timer.nsecsElapsed()) / 1e6;
        if (i >= 0) {
            writer.push_back(a);
            turbo.push_back(b);
        }
    }
    const Stats a = stats(writer);
    const Stats b = stats(turbo);
    std::printf("photo %d x %d, %lld bytes; crops:", kWidth, kHeight,
                static_cast<long long>(QFile(photo).size()));
    for (const auto& c : crops)
        std::printf(" %s %dx%d", qPrintable(c.first), c.second.toRect().width(),
                    c.second.toRect().height());
    std::printf("\n%d runs each, alternating, milliseconds (median [min, max])\n", runs);
    std::printf("crop writer (3 files, metadata, atomic): %.0f [%.0f, %.0f]\n", a.median, a.min,
                a.max);
    std::printf("libjpeg-turbo decode + 3 encodes:        %.0f [%.0f, %.0f]\n", b.median, b.min,
                b.max);
    std::printf("ratio of medians: %.2f (target at most 1.5)\n", a.median / b.median);
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) > 0)
        std::printf("load average: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    return 0;
}
