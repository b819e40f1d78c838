#include "support/TestJpeg.h"

#include <QFile>
#include <QPainter>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

namespace kivo::test {

QImage markedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter(&image).fillRect(0, 0, width / 2, height / 2, Qt::red);
    return image;
}

void writeJpeg(const QString& path, const QImage& image, int orientation,
               const QString& dateTimeOriginal, const QString& dateTime)
{
    ASSERT_TRUE(image.save(path, "JPEG", 90)) << path.toStdString();
    try {
        auto file = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        file->readMetadata();
        Exiv2::ExifData exif;
        if (orientation)
            exif["Exif.Image.Orientation"] = uint16_t(orientation);
        if (!dateTimeOriginal.isEmpty())
            exif["Exif.Photo.DateTimeOriginal"] = dateTimeOriginal.toStdString();
        if (!dateTime.isEmpty())
            exif["Exif.Image.DateTime"] = dateTime.toStdString();
        file->setExifData(exif);
        file->writeMetadata();
    } catch (const std::exception& e) {
        FAIL() << "Exiv2: " << e.what();
    }
}

Corner redCorner(const QImage& image)
{
    auto red = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.red() > 200 && c.green() < 60 && c.blue() < 60;
    };
    const int x1 = image.width() / 4, x2 = image.width() * 3 / 4;
    const int y1 = image.height() / 4, y2 = image.height() * 3 / 4;
    if (red(x1, y1))
        return Corner::TopLeft;
    if (red(x2, y1))
        return Corner::TopRight;
    if (red(x1, y2))
        return Corner::BottomLeft;
    EXPECT_TRUE(red(x2, y2)) << "no red quarter";
    return Corner::BottomRight;
}

} // namespace kivo::test
