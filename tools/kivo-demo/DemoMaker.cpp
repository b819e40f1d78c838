#include "DemoMaker.h"

#include "AttractMovie.h"

#include "core/DateFormat.h"
#include "core/FileReference.h"
#include "core/Settings.h"
#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cstdio>

namespace kivo::demo {

namespace {

// The transform that turns an upright picture into the pixels stored with ORIENTATION.
QTransform storedFromUpright(int orientation)
{
    QTransform t;
    switch (orientation) {
    case 3:
        return t.rotate(180);
    case 6:
        return t.rotate(-90); // shown turned 90 degrees clockwise
    case 8:
        return t.rotate(90); // shown turned 90 degrees counter-clockwise
    default:
        return t;
    }
}

QImage drawUpright(const DemoPhoto& photo, int number, const QSize& cameraSize)
{
    const QSize size = photo.portrait ? cameraSize.transposed() : cameraSize;
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    const QColor colours[] = {QColor(178, 34, 34), QColor(0, 100, 0), QColor(25, 25, 112),
                              QColor(139, 69, 19)};
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, colours[number % 4].lighter(160));
    sky.setColorAt(1, colours[number % 4]);
    p.fillRect(image.rect(), sky);
    // A snowy floor and a tree, so that upside-down pictures are easy to spot.
    p.fillRect(QRect(0, size.height() * 3 / 4, size.width(), size.height() / 4), Qt::white);
    p.setBrush(QColor(0, 90, 0));
    p.setPen(Qt::NoPen);
    const int w = size.width();
    const int h = size.height();
    p.drawPolygon(
        QPolygon({QPoint(w / 8, h * 3 / 4), QPoint(w / 4, h / 4), QPoint(w * 3 / 8, h * 3 / 4)}));
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    const int base = std::min(w, h);
    font.setPixelSize(base / 9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, h / 10, w, h / 5), Qt::AlignCenter,
               QStringLiteral("Photo ID %1").arg(photo.id));
    font.setPixelSize(base / 20);
    p.setFont(font);
    p.drawText(QRect(0, h / 3, w, h / 6), Qt::AlignCenter,
               QStringLiteral("Picture %1 - stored with orientation %2")
                   .arg(number)
                   .arg(photo.orientation));
    p.setPen(Qt::black);
    p.drawText(QRect(0, h * 3 / 4, w, h / 4), Qt::AlignCenter, QStringLiteral("THIS WAY UP"));
    p.end();
    return image;
}

bool writeJpeg(const QString& path, const QImage& stored, int orientation, const QDateTime& taken,
               QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!stored.save(path, "JPEG", 88)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    try {
        const auto image = imaging::openMetadata(path);
        if (!image) {
            *error = QStringLiteral("cannot tag %1: not readable as an image").arg(path);
            return false;
        }
        Exiv2::ExifData& exif = image->exifData();
        exif["Exif.Image.Orientation"] = static_cast<uint16_t>(orientation);
        exif["Exif.Image.Make"] = "Kivo Demo";
        exif["Exif.Image.Model"] = "Santa Set Camera";
        const std::string when =
            taken.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toStdString();
        exif["Exif.Photo.DateTimeOriginal"] = when;
        exif["Exif.Image.DateTime"] = when;
        exif["Exif.Photo.PixelXDimension"] = static_cast<uint32_t>(stored.width());
        exif["Exif.Photo.PixelYDimension"] = static_cast<uint32_t>(stored.height());
        image->setExifData(exif);
        image->writeMetadata();
    } catch (const imaging::Exiv2Error& e) {
        *error = QStringLiteral("cannot tag %1: %2").arg(path, QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

} // namespace

QList<DemoPhoto> demoPhotos(const QString& dayFolder)
{
    return {
        {"100001", "100001_01.jpg", 1, false},
        {"100001", "100001_02.jpg", 1, false},
        {"100001", "100001_03.jpg", 6, true},
        {"100001", "100001_04.jpg", 1, false},
        {"100002", "100002_01.jpg", 6, true},
        {"100002", "100002_02.jpg", 8, true},
        {"100002", "100002_03.JPG", 1, false},
        {"100003", "100003_01.jpg", 3, false},
        {"100003", "100003_02.jpg", 1, false},
        {"100004", dayFolder + "/100004_01.jpg", 1, false},
        {"100004", dayFolder + "/100004_02.jpg", 6, true},
        {"100004", dayFolder + "/100004_03.jpg", 1, false},
        {"100005", dayFolder + "/100005_01.jpg", 8, true},
        {"100005", "100005_02.jpg", 1, false},
    };
}

bool makeDemo(const QString& root, const QSize& size, QString* error)
{
    const QString images = root + QStringLiteral("/images");
    const QString invoices = root + QStringLiteral("/pos/PendingInvoices");
    const QString receipts = root + QStringLiteral("/receipts");
    for (const QString& folder : {images, invoices, receipts}) {
        if (!QDir().mkpath(folder)) {
            *error = QStringLiteral("cannot create %1").arg(folder);
            return false;
        }
    }
    const QString datePattern = QStringLiteral("MM-dd-yyyy");
    // The search names today's folder with "/" turned into ":"; this pattern has no "/".
    const QString dayFolder = formatDate(QDateTime::currentDateTime(), datePattern);
    const QList<DemoPhoto> photos = demoPhotos(dayFolder);
    QDateTime taken = QDateTime::currentDateTime().addSecs(-3600);
    int number = 0;
    for (const DemoPhoto& photo : photos) {
        ++number;
        const QImage upright = drawUpright(photo, number, size);
        const QImage stored = upright.transformed(storedFromUpright(photo.orientation));
        if (!writeJpeg(images + QLatin1Char('/') + photo.relativePath, stored, photo.orientation,
                       taken.addSecs(qint64(number) * 60), error))
            return false;
    }
    // Files a camera station also leaves behind, which the search must skip.
    QFile note(images + QStringLiteral("/100001_notes.txt"));
    if (note.open(QIODevice::WriteOnly))
        note.write("Not a photo.\n");

    Settings settings(root + QStringLiteral("/config/KivoSalesStation.plist"));
    settings.setMainImagesFolder(images);
    settings.setMainImagesFolderAliasData(FileReference::create(images));
    settings.setIsValidMainImagesFolder(true);
    settings.setTilboxPendingInvoiceFolder(invoices);
    settings.setTilboxPendingInvoiceFolderAliasData(FileReference::create(invoices));
    settings.setIsValidTilboxPendingInvoiceFolder(true);
    settings.setLocalReceiptPath(receipts);
    settings.setDailyFolderDateFormat(datePattern);
    settings.setSearchIdMethodTag(1);
    // The attract screen plays the station's own movie, made for the demo's 1280 x 800 screen
    // (any other keeps its proportions, on the dark ground). Without GStreamer's tools the demo
    // still runs, with the shipped picture instead.
    const QString movie = root + QStringLiteral("/attract/attract.avi");
    QString movieError;
    const bool hasMovie = makeAttractMovie(movie, QSize(1024, 640), 48, 12, &movieError);
    if (hasMovie) {
        settings.setDoUseAnimationMovie(true);
        settings.setAnimationMoviePath(movie);
        settings.setAnimationMoviePathAliasData(FileReference::create(movie));
    } else {
        std::fprintf(stderr, "kivo-demo: no attract movie: %s\n", qPrintable(movieError));
    }
    settings.setDoUseImageBackground(!hasMovie);
    if (!settings.sync(error))
        return false;
    return true;
}

} // namespace kivo::demo
