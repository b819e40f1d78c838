#include "imaging/PhotoRegion.h"

#include "imaging/ContentsRect.h"
#include "imaging/ImageLoader.h"
#include "imaging/ImageOrientation.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace kivo {

ViewPhoto openViewPhoto(const QString& path, const QSize& cover, const std::atomic<bool>* cancel)
{
    ViewPhoto photo;
    photo.path = path;
    PhotoBytes file = readPhotoFile(path, -1, cancel);
    if (!file.ok()) {
        photo.error = file.error;
        return photo;
    }
    photo.bytes = std::move(file.data);
    {
        QBuffer buffer(&photo.bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader;
        if (prepareReader(reader, buffer, path))
            photo.storedSize = reader.size();
    }
    photo.orientationTag = orientationOfBytes(photo.bytes);
    // Large enough to cover COVER: the view is filled by the photo, never letterboxed.
    QSize bound = cover;
    if (photo.storedSize.isValid() && cover.isValid()) {
        const QSize upright = orientationSwapsSides(qint16(photo.orientationTag))
                                  ? photo.storedSize.transposed()
                                  : photo.storedSize;
        // A pixel to spare: fitting into the bound rounds down.
        bound = upright.scaled(cover, Qt::KeepAspectRatioByExpanding) + QSize(1, 1);
    }
    photo.upright = decodeUprightImage(photo.bytes, path, bound);
    if (photo.upright.isNull()) {
        photo.error = QStringLiteral("does not decode");
    } else if (!photo.storedSize.isValid()) {
        // A format that cannot tell its size before decoding was decoded whole.
        photo.storedSize = orientationSwapsSides(qint16(photo.orientationTag))
                               ? photo.upright.size().transposed()
                               : photo.upright.size();
    }
    return photo;
}

QImage decodeUprightRegion(const QByteArray& bytes, const QString& path, int orientation,
                           const QRectF& unit, const QSize& target, QRectF* covered)
{
    if (bytes.isEmpty() || target.isEmpty() || unit.isEmpty())
        return {};
    QByteArray data = bytes; // shared, not copied
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader;
    if (!prepareReader(reader, buffer, path))
        return {};
    const QSize stored = reader.size();
    if (!stored.isValid())
        return {};
    ContentsRect geometry;
    geometry.setImage(stored, orientation);
    const QTransform upright = geometry.uprightTransform();
    const QSizeF uprightSize = geometry.imageSize();
    const QRectF wanted(unit.x() * uprightSize.width(), unit.y() * uprightSize.height(),
                        unit.width() * uprightSize.width(), unit.height() * uprightSize.height());
    const QRect clip = upright.inverted().mapRect(wanted).toAlignedRect() & QRect(QPoint(), stored);
    if (clip.isEmpty())
        return {};
    const bool swap = geometry.hasImplicitRotation();
    const QSize storedTarget = swap ? target.transposed() : target;
    // A part larger than the screen is decoded reduced by the JPEG decoder itself (by a half, a
    // quarter or an eighth of the whole photo, at no more than it needs): decoding it whole and
    // scaling it down afterwards costs many times more.
    const double needed = std::max(double(storedTarget.width()) / clip.width(),
                                   double(storedTarget.height()) / clip.height());
    int denominator = 1;
    while (denominator < 8 && 1.0 / (denominator * 2) >= needed)
        denominator *= 2;
    if (denominator > 1) {
        const QSize reduced((stored.width() + denominator - 1) / denominator,
                            (stored.height() + denominator - 1) / denominator);
        reader.setScaledSize(reduced);
        reader.setScaledClipRect(
            QRectF(clip.x() / double(denominator), clip.y() / double(denominator),
                   clip.width() / double(denominator), clip.height() / double(denominator))
                .toAlignedRect() &
            QRect(QPoint(), reduced));
    } else {
        reader.setClipRect(clip);
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    image = uprightImage(image, qint16(orientation));
    // TARGET is the size of UNIT; the part cut reaches a little beyond it.
    const QRectF cut = upright.mapRect(QRectF(clip));
    const QRectF cutUnit(cut.x() / uprightSize.width(), cut.y() / uprightSize.height(),
                         cut.width() / uprightSize.width(), cut.height() / uprightSize.height());
    const QSize size(std::max(1, qRound(target.width() * cutUnit.width() / unit.width())),
                     std::max(1, qRound(target.height() * cutUnit.height() / unit.height())));
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (covered)
        *covered = cutUnit;
    return image;
}

} // namespace kivo
