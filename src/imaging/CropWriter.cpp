#include "imaging/CropWriter.h"

#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"
#include "imaging/ImageLoader.h"
#include "imaging/Logging.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <cmath>
#include <memory>
#include <mutex>

namespace kivo {

namespace {

// The largest photo cropped: any camera's, with room to spare. Its crops are decoded one at a
// time, each only as large as itself.
constexpr qint64 kLargestPhotoPixels = 128'000'000;
// What the station keeps free for everything else while a crop is decoded.
constexpr qint64 kMemoryReserve = qint64(128) << 20;

// The photo as stored: its bytes (decoded a crop at a time, and the source of the metadata), its
// format and its size.
struct StoredPhoto
{
    QByteArray bytes;
    QByteArray format;
    QSize size;
    QString error;
};

// Whether the JPEG in BYTES ends its last scan: a file cut short (a copy from a share that
// broke off) still decodes, its missing part filled with grey, and must not be cropped.
bool jpegIsWhole(const QByteArray& bytes)
{
    if (!bytes.startsWith("\xFF\xD8"))
        return true; // not a JPEG: its own decoder judges it
    // Marker bytes cannot occur inside the entropy-coded data, so the last start of scan is
    // the last scan, and the end of image must follow it.
    const qsizetype scan = bytes.lastIndexOf("\xFF\xDA");
    return scan >= 0 && bytes.indexOf("\xFF\xD9", scan) > scan;
}

// A reader of STORED's bytes in DATA (which it reads through BUFFER), as stored (not turned):
// the crops' rectangles are in the stored pixels; the copied orientation tag turns them.
void openReader(QImageReader& reader, QBuffer& buffer, const QByteArray& format)
{
    buffer.open(QIODevice::ReadOnly);
    reader.setDevice(&buffer);
    if (!format.isEmpty())
        reader.setFormat(format);
    reader.setAutoTransform(false);
}

StoredPhoto readStoredPhoto(const QString& photo)
{
    StoredPhoto out;
    PhotoBytes file = readPhotoFile(photo);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    out.bytes = std::move(file.data);
    QBuffer buffer(&out.bytes);
    QImageReader reader;
    openReader(reader, buffer, {});
    if (!reader.canRead()) {
        buffer.seek(0);
        reader.setDevice(&buffer);
        reader.setFormat(QFileInfo(photo).suffix().toLower().toLatin1());
    }
    out.format = reader.format();
    out.size = reader.size();
    if (out.size.isValid() && qint64(out.size.width()) * out.size.height() > kLargestPhotoPixels) {
        out.error = QCoreApplication::translate("CropWriter",
                                                "the photo is too large to crop (%1 x %2 pixels)")
                        .arg(out.size.width())
                        .arg(out.size.height());
        return out;
    }
    if (!jpegIsWhole(out.bytes)) {
        out.error = QCoreApplication::translate("CropWriter", "the photo's file is cut short");
        return out;
    }
    if (!out.size.isValid())
        out.error = QCoreApplication::translate("CropWriter", "cannot decode the photo (%1)")
                        .arg(reader.errorString());
    return out;
}

// The memory the system can still give, from the kernel's own estimate; -1 when unknown.
qint64 availableMemory()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = meminfo.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("MemAvailable:")) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            bool ok = false;
            const qint64 kib = fields.size() >= 2 ? fields.at(1).toLongLong(&ok) : 0;
            return ok ? kib * 1024 : -1;
        }
    }
    return -1;
}

// Lets Qt allocate an image of BYTES. Qt refuses images above its allocation limit (128 MB by
// default: about 33 megapixels in colour), which a crop of a larger camera's photo needs: the
// limit is raised for it, once the memory is known to be there. False, with *ERROR, when it is
// not.
bool allowImageOf(qint64 bytes, QString* error)
{
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    const int limitMB = QImageReader::allocationLimit();
    if (limitMB == 0 || bytes <= (qint64(limitMB) << 20))
        return true;
    const qint64 available = availableMemory();
    // The decoded crop, its encoded copy, and the station's own room.
    if (available >= 0 && available < bytes + bytes / 2 + kMemoryReserve) {
        *error = QCoreApplication::translate(
                     "CropWriter", "not enough free memory to crop the photo now (%1 MB needed)")
                     .arg((bytes + bytes / 2 + kMemoryReserve) >> 20);
        return false;
    }
    QImageReader::setAllocationLimit(int((bytes >> 20) + 1));
    return true;
}

// The pixels of AREA of STORED, decoded alone: a JPEG decoder keeps only the rows of the area,
// so the whole photo never exists in memory.
QImage decodeArea(const StoredPhoto& stored, const QRect& area, QString* error)
{
    if (!allowImageOf(qint64(area.width()) * area.height() * 4, error))
        return {};
    QByteArray data = stored.bytes; // shared, not copied: the buffer only reads it
    QBuffer buffer(&data);
    QImageReader reader;
    openReader(reader, buffer, stored.format);
    if (area != QRect(QPoint(0, 0), stored.size))
        reader.setClipRect(area);
    QImage image = reader.read();
    if (image.isNull())
        *error = QCoreApplication::translate("CropWriter", "cannot decode the photo (%1)")
                     .arg(reader.errorString());
    return image;
}

// RECT (in a photo of TICKETSIZE) in the pixels of a photo of ACTUAL, edges rounded, clipped to
// the photo.
QRect pixelRect(const QRectF& rect, const QSize& ticketSize, const QSize& actual)
{
    QRectF r = rect.normalized();
    if (!ticketSize.isEmpty() && ticketSize != actual) {
        const double sx = double(actual.width()) / ticketSize.width();
        const double sy = double(actual.height()) / ticketSize.height();
        r = QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy);
    }
    const double left = std::round(r.left());
    const double top = std::round(r.top());
    const double right = std::round(r.right());
    const double bottom = std::round(r.bottom());
    if (!std::isfinite(left + top + right + bottom))
        return {};
    const QRectF bounds(0, 0, actual.width(), actual.height());
    return QRectF(QPointF(left, top), QPointF(right, bottom)).intersected(bounds).toRect();
}

void setIfPresent(Exiv2::ExifData& exif, const char* key, long value)
{
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it != exif.end())
        it->setValue(std::to_string(value));
}

// The photo's metadata, read once for all its crops.
struct Metadata
{
    Exiv2::ExifData exif;
    Exiv2::IptcData iptc;
    Exiv2::XmpData xmp;
    bool any = false;
};

Metadata readMetadata(const QByteArray& source)
{
    Metadata out;
    imaging::initializeMetadata();
    try {
        auto from = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(source.constData()), source.size());
        if (!from.get())
            return out;
        from->readMetadata();
        out.exif = from->exifData();
        out.iptc = from->iptcData();
        out.xmp = from->xmpData();
        // The photo's own preview would misdescribe the crop.
        Exiv2::ExifThumb(out.exif).erase();
        out.any = !out.exif.empty() || !out.iptc.empty() || !out.xmp.empty();
    } catch (const std::exception& e) {
        // A photo whose metadata Exiv2 cannot read still gets its crops, without metadata.
        consoleLog(lcImaging(), "CropWriter", "readMetadata",
                   QStringLiteral("metadata not read: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    return out;
}

// JPEG bytes of CROP carrying METADATA.
QByteArray encodeWithMetadata(const QImage& crop, Metadata& metadata, QString* error)
{
    QByteArray jpeg;
    // Room for the whole file up front: growing the buffer as the encoder writes would copy it
    // again and again.
    jpeg.reserve(qsizetype(crop.width()) * crop.height() / 2 + 65536);
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(kCropJpegQuality);
        if (!writer.write(crop)) {
            *error = QCoreApplication::translate("CropWriter", "cannot encode JPEG (%1)")
                         .arg(writer.errorString());
            return {};
        }
    }
    if (!metadata.any)
        return jpeg;
    try {
        auto to = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(jpeg.constData()),
                                            jpeg.size());
        // The photo's pixel counts would misdescribe the crop.
        setIfPresent(metadata.exif, "Exif.Photo.PixelXDimension", crop.width());
        setIfPresent(metadata.exif, "Exif.Photo.PixelYDimension", crop.height());
        // A value no viewer knows would leave the print room guessing how the crop stands; the
        // crop is cut from the stored pixels, so it stands as stored.
        const auto orientation = imaging::exifInteger(metadata.exif, "Exif.Image.Orientation");
        if (orientation && (*orientation < 1 || *orientation > 8))
            setIfPresent(metadata.exif, "Exif.Image.Orientation", 1);
        to->setExifData(metadata.exif);
        to->setIptcData(metadata.iptc);
        to->setXmpData(metadata.xmp);
        to->writeMetadata();
        Exiv2::BasicIo& io = to->io();
        io.open();
        const Exiv2::byte* data = io.mmap();
        QByteArray out(reinterpret_cast<const char*>(data), qsizetype(io.size()));
        io.munmap();
        io.close();
        return out;
    } catch (const std::exception& e) {
        consoleLog(lcImaging(), "CropWriter", "encodeWithMetadata",
                   QStringLiteral("metadata not copied: %1").arg(QString::fromLocal8Bit(e.what())));
        return jpeg;
    }
}

QString photoFolder(const QString& photo)
{
    const QFileInfo info(photo);
    if (!info.isAbsolute())
        return {};
    const QString folder = info.path();
    return folder == QLatin1String("/") ? QString() : folder;
}

} // namespace

QString croppedFileName(const QString& photoTitle, const QString& region)
{
    auto unsafe = [](const QString& name) {
        return name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QChar(0));
    };
    if (unsafe(photoTitle) || unsafe(region))
        return {};
    const qsizetype dot = photoTitle.lastIndexOf(QLatin1Char('.'));
    const bool hasExtension = dot > 0;
    const QString base = hasExtension ? photoTitle.left(dot) : photoTitle;
    const QString extension = hasExtension ? photoTitle.mid(dot + 1) : QString();
    const bool jpeg = extension.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0 ||
                      extension.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0;
    return QStringLiteral("%1_%2.%3").arg(base, region, jpeg ? extension : QStringLiteral("jpg"));
}

QList<CroppedFile> writeCroppedFiles(const CropTicket& ticket, const QString& photo)
{
    const auto crops = ticket.orderedCrops();
    QList<CroppedFile> out;
    const QString folder = photoFolder(photo);
    for (const auto& [region, rect] : crops) {
        const QString name = croppedFileName(ticket.title, region);
        CroppedFile file{region, name.isEmpty() ? QString() : folder + QLatin1Char('/') + name, {}};
        if (folder.isEmpty())
            file.error = QCoreApplication::translate(
                "CropWriter", "the photo's path names no folder to write into");
        else if (name.isEmpty())
            file.error = QCoreApplication::translate(
                             "CropWriter", "the names \"%1\" and \"%2\" make no file name")
                             .arg(ticket.title, region);
        out.append(file);
    }
    if (folder.isEmpty() || out.isEmpty())
        return out;

    const StoredPhoto stored = readStoredPhoto(photo);
    Metadata metadata = stored.error.isEmpty() ? readMetadata(stored.bytes) : Metadata();
    for (qsizetype i = 0; i < crops.size(); ++i) {
        CroppedFile& file = out[i];
        if (!file.ok())
            continue;
        if (!stored.error.isEmpty()) {
            file.error = stored.error;
            continue;
        }
        const QRect area = pixelRect(crops.at(i).second, ticket.imageSize, stored.size);
        if (area.isEmpty()) {
            file.error =
                QCoreApplication::translate("CropWriter", "the crop %1 lies outside the photo")
                    .arg(rectText(crops.at(i).second));
            consoleLog(lcImaging(), "CropWriter", "writeCroppedFiles",
                       QStringLiteral("skipping %1 of %2: the crop %3 lies outside the photo")
                           .arg(file.region, photo, rectText(crops.at(i).second)));
            continue;
        }
        const QImage crop = decodeArea(stored, area, &file.error);
        if (crop.isNull())
            continue;
        const QByteArray bytes = encodeWithMetadata(crop, metadata, &file.error);
        if (bytes.isEmpty())
            continue;
        QString error;
        if (!writeFileAtomically(file.path, bytes, &error))
            file.error = error;
    }
    return out;
}

QImage cropImageFromTicket(const CropTicket& ticket, const QString& photo)
{
    const StoredPhoto stored = readStoredPhoto(photo);
    if (!stored.error.isEmpty())
        return {};
    for (const auto& crop : ticket.orderedCrops()) {
        const QRect area = pixelRect(crop.second, ticket.imageSize, stored.size);
        QString error;
        if (!area.isEmpty())
            return decodeArea(stored, area, &error);
    }
    return {};
}

} // namespace kivo
