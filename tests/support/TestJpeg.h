#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace kivo::test {

// Stored pixels of the test photos: a red block in the top-left quarter of an otherwise grey
// image, so that where the red ends up tells how the image was turned.
QImage markedImage(int width, int height);

// Writes IMAGE as a JPEG at PATH and sets its EXIF tags with Exiv2: ORIENTATION (none when 0),
// DATETIMEORIGINAL and DATETIME (none when empty). Fails the test on error.
void writeJpeg(const QString& path, const QImage& image, int orientation,
               const QString& dateTimeOriginal = QString(), const QString& dateTime = QString());

enum class Corner
{
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight
};
// The quarter of IMAGE whose centre is red.
Corner redCorner(const QImage& image);

} // namespace kivo::test
