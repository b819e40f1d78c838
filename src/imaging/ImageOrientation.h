#pragma once

#include <QImage>
#include <QString>
#include <QTransform>

namespace kivo {

// An affine transform (a, b, c, d, tx, ty) mapping a point (x, y) of the decoded image to
// (a*x + c*y + tx, b*x + d*y + ty), in coordinates whose y axis points up.
struct OrientationTransform
{
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    bool operator==(const OrientationTransform&) const = default;
};

// The EXIF/TIFF orientation of the file at PATH: 1-8 from its metadata, 1 when it has no
// orientation tag, 0 when it cannot be opened as an image or the tag is outside 1-8.
qint16 imageRotation(const QString& path);

// The transform that turns an image of WIDTH x HEIGHT decoded pixels, tagged ORIENTATION, upright
// (identity for a value outside 1-8).
OrientationTransform orientationTransform(qint16 orientation, float width, float height);
// The same six values as a QTransform (m11=a, m12=b, m21=c, m22=d, dx=tx, dy=ty).
QTransform orientationMatrix(qint16 orientation, float width, float height);

// True for the quarter turns (5-8), which swap width and height.
inline bool orientationSwapsSides(qint16 orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// IMAGE as it should be seen, given the ORIENTATION it was tagged with. Values outside 1-8
// return the image unchanged.
QImage uprightImage(const QImage& image, qint16 orientation);

} // namespace kivo
