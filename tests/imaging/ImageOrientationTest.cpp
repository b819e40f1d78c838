#include "support/TestJpeg.h"

#include "imaging/ImageOrientation.h"
#include "imaging/ThumbnailLoader.h"
#include "support/TestRoot.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace kivo;
using kivo::test::Corner;

namespace {

// Each orientation's transform, checked pixel by pixel against the table's point mapping: a
// 3 x 2 image of distinct pixels is turned upright, and every pixel centre (x + .5, h - y - .5)
// in the table's upward y must land where the table sends it.
TEST(ImageOrientation, UprightImageFollowsTheTableForAllEightOrientations)
{
    const int w = 3, h = 2;
    QImage source(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            source.setPixel(x, y, qRgb(40 * x + 10, 100 * y + 10, 7));

    for (qint16 o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        const QImage out = uprightImage(source, o);
        const bool swap = o >= 5;
        ASSERT_EQ(out.size(), swap ? QSize(h, w) : QSize(w, h));
        const OrientationTransform t = orientationTransform(o, w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const double px = x + 0.5, py = h - y - 0.5;
                const double X = t.a * px + t.c * py + t.tx;
                const double Y = t.b * px + t.d * py + t.ty;
                const int ox = int(std::floor(X));
                const int oy = int(std::floor(out.height() - Y));
                EXPECT_EQ(out.pixel(ox, oy), source.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

// Pinned values, as the pixel test above would pass for a table and a turn wrong alike.
TEST(ImageOrientation, TransformTableValues)
{
    const float w = 3000, h = 2000;
    EXPECT_EQ(orientationTransform(6, w, h), (OrientationTransform{0, -1, 1, 0, 0, w}));
    EXPECT_EQ(orientationTransform(8, w, h), (OrientationTransform{0, 1, -1, 0, h, 0}));
    EXPECT_EQ(QPointF(10, 20) * orientationMatrix(6, w, h), QPointF(20, w - 10));
    // Outside the table: no turn at all.
    EXPECT_EQ(orientationTransform(9, w, h), OrientationTransform{});
}

struct JpegCase
{
    int tag;         // 0 = no orientation tag
    qint16 reported; // imageRotation
    QSize loaded;    // the upright size of a 300 x 200 photo
    Corner red;      // where the stored top-left block is seen
};

class UprightJpeg : public ::testing::TestWithParam<JpegCase>
{
};

TEST_P(UprightJpeg, LoadsUprightAndReportsItsOrientation)
{
    const JpegCase c = GetParam();
    test::TestRoot root;
    const QString path = root.file(QStringLiteral("photo.jpg"));
    // Declared at 300 pixels per inch: the size stays in pixels all the same.
    QImage image = test::markedImage(300, 200);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    test::writeJpeg(path, image, c.tag);

    EXPECT_EQ(imageRotation(path), c.reported);
    // Never enlarged: at a bound larger than the photo, the whole of it upright.
    const QImage loaded = loadUprightThumbnail(path, QSize(1000, 1000));
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(loaded.size(), c.loaded);
    EXPECT_EQ(test::redCorner(loaded), c.red);
    const QImage thumb = loadUprightThumbnail(path, QSize(60, 60));
    EXPECT_EQ(thumb.size(), c.loaded.scaled(60, 60, Qt::KeepAspectRatio));
    EXPECT_EQ(test::redCorner(thumb), c.red);
}

INSTANTIATE_TEST_SUITE_P(Orientations, UprightJpeg,
                         ::testing::Values(JpegCase{0, 1, QSize(300, 200), Corner::TopLeft},
                                           JpegCase{1, 1, QSize(300, 200), Corner::TopLeft},
                                           JpegCase{3, 3, QSize(300, 200), Corner::BottomRight},
                                           JpegCase{6, 6, QSize(200, 300), Corner::TopRight},
                                           JpegCase{8, 8, QSize(200, 300), Corner::BottomLeft},
                                           JpegCase{9, 0, QSize(300, 200), Corner::TopLeft}),
                         [](const ::testing::TestParamInfo<JpegCase>& info) {
                             return "Tag" + std::to_string(info.param.tag);
                         });

TEST(ImageOrientation, MissingAndUndecodableFiles)
{
    test::TestRoot root;
    const QString missing = root.file(QStringLiteral("none.jpg"));
    const QString text = root.file(QStringLiteral("note.jpg"));
    test::writeFile(text, "not a photo");
    EXPECT_EQ(imageRotation(missing), 0);
    EXPECT_EQ(imageRotation(text), 0);
    for (const QString& path : {QString(), missing, text})
        EXPECT_TRUE(loadUprightThumbnail(path, QSize(50, 50)).isNull()) << path.toStdString();
}

} // namespace
