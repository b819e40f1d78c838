#include "imaging/ImageOrientation.h"

#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"

namespace kivo {

qint16 imageRotation(const QString& path)
{
    const auto image = imaging::openMetadata(path);
    if (!image)
        return 0;
    try {
        const auto value = imaging::exifInteger(image->exifData(), "Exif.Image.Orientation");
        if (!value)
            return 1;
        return (*value >= 1 && *value <= 8) ? static_cast<qint16>(*value) : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

OrientationTransform orientationTransform(qint16 orientation, float width, float height)
{
    const double w = width;
    const double h = height;
    switch (orientation) {
    case 2:
        return {-1, 0, 0, 1, w, 0};
    case 3:
        return {-1, 0, 0, -1, w, h};
    case 4:
        return {1, 0, 0, -1, 0, h};
    case 5:
        return {0, -1, -1, 0, h, w};
    case 6:
        return {0, -1, 1, 0, 0, w};
    case 7:
        return {0, 1, 1, 0, 0, 0};
    case 8:
        return {0, 1, -1, 0, h, 0};
    default:
        return {};
    }
}

QTransform orientationMatrix(qint16 orientation, float width, float height)
{
    const OrientationTransform t = orientationTransform(orientation, width, height);
    return QTransform(t.a, t.b, t.c, t.d, t.tx, t.ty);
}

QImage uprightImage(const QImage& image, qint16 orientation)
{
    if (image.isNull() || orientation < 2 || orientation > 8)
        return image;
    // The table's transforms work with the y axis pointing up; QImage rows run downwards.
    // Flipping the y axis on both sides (S * T * S with S = diag(1, -1) shifted by the height)
    // gives the same mapping in row order, which QImage::transformed applies exactly for these
    // quarter turns and mirrors (no resampling).
    const int w = image.width();
    const int h = image.height();
    const QTransform t = orientationMatrix(orientation, float(w), float(h));
    const int outH = orientationSwapsSides(orientation) ? w : h;
    const QTransform flipIn(1, 0, 0, -1, 0, h);
    const QTransform flipOut(1, 0, 0, -1, 0, outH);
    const QTransform rowOrder = flipIn * t * flipOut;
    // QImage::transformed recentres the result on its bounding box, so only the linear part
    // matters; the translations of the table put the result at the origin as well.
    return image.transformed(rowOrder, Qt::FastTransformation);
}

} // namespace kivo
