#include "support/TestJpeg.h"

#include "imaging/CaptureDate.h"
#include "imaging/ImageFileType.h"
#include "imaging/ImageFit.h"
#include "imaging/ImageLoader.h"
#include "support/TestRoot.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

struct FitCase
{
    float iw, ih, vw, vh;
    QSizeF expected;
};

TEST(ImageFit, FitWithinAFrameKeepsProportions)
{
    const FitCase cases[] = {
        {400, 300, 200, 200, {200, 150}}, // landscape: the width limits
        {300, 400, 200, 200, {150, 200}}, // portrait: the height limits
        {300, 300, 200, 100, {100, 100}}, // square: the smaller side
        {400, 200, 300, 150, {300, 150}}, // same proportions as the frame
        {0, 300, 200, 200, {0, 0}},       // nothing to fit
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.iw << "x" << c.ih << " in " << c.vw << "x" << c.vh);
        EXPECT_EQ(computeAspectFitSize(c.iw, c.ih, c.vw, c.vh), c.expected);
    }
    EXPECT_EQ(computeAspectFitRect(QSizeF(400, 300), QSizeF(200, 200)), QRectF(0, 25, 200, 150));
    EXPECT_EQ(computeAspectFitRect(QSizeF(300, 400), QSizeF(300, 200)), QRectF(75, 0, 150, 200));
}

TEST(ImageFit, FitWithinAViewLimitsALandscapeImageByWidthOnly)
{
    const FitCase cases[] = {
        {400, 300, 800, 100, {800, 600}}, // taller than the view: the rule as it stands
        {300, 400, 300, 800, {300, 400}}, // portrait in a tall view: the width binds
        {300, 400, 800, 200, {150, 200}}, // portrait in a wide view: the height binds
        {500, 500, 300, 200, {200, 200}}, {300, 400, 0, 200, {0, 0}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.iw << "x" << c.ih << " in " << c.vw << "x" << c.vh);
        EXPECT_EQ(computeResizeToFitViewSize(c.iw, c.ih, c.vw, c.vh), c.expected);
    }
}

TEST(CaptureDate, ExifAndTiffDatesAreLocalWallClockTimes)
{
    test::TestRoot root;
    const QString dated = root.file(QStringLiteral("dated.jpg"));
    const QString exifOnly = root.file(QStringLiteral("exif-only.jpg"));
    const QString bare = root.file(QStringLiteral("bare.jpg"));
    const QString text = root.file(QStringLiteral("text.jpg"));
    test::writeJpeg(dated, test::markedImage(40, 40), 1, QStringLiteral("2026:07:05 14:30:09"),
                    QStringLiteral("2026:12:24 08:01:02"));
    test::writeJpeg(exifOnly, test::markedImage(40, 40), 1, QStringLiteral("2026:01:02 03:04:05"));
    test::markedImage(40, 40).save(bare, "JPEG");
    test::writeFile(text, "plain text");

    const QDateTime summer(QDate(2026, 7, 5), QTime(14, 30, 9));
    EXPECT_EQ(GetInternalExifPictureCaptureDate(dated, false), summer);
    EXPECT_EQ(GetInternalTiffPictureCaptureDate(dated, false),
              QDateTime(QDate(2026, 12, 24), QTime(8, 1, 2)));
    EXPECT_FALSE(GetInternalTiffPictureCaptureDate(exifOnly, false).isValid());
    EXPECT_FALSE(GetInternalExifPictureCaptureDate(bare, true).isValid());
    EXPECT_FALSE(GetInternalExifPictureCaptureDate(text, true).isValid());
    EXPECT_FALSE(
        GetInternalExifPictureCaptureDate(root.file(QStringLiteral("no.jpg")), true).isValid());
    EXPECT_FALSE(GetInternalPictureCaptureDateDeep(dated, QStringLiteral("{GPS}"),
                                                   QStringLiteral("DateTimeOriginal"), true)
                     .isValid());

    // The creation date prefers the capture date when asked to, and never writes the file.
    const QByteArray before = test::readFile(dated);
    EXPECT_EQ(GetAndUpdateFileCreationDate(dated, true, true), summer);
    const QDateTime fileDate = GetAndUpdateFileCreationDate(dated, false, true);
    EXPECT_TRUE(fileDate.isValid());
    EXPECT_LE(qAbs(fileDate.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_EQ(test::readFile(dated), before);
    EXPECT_TRUE(GetAndUpdateFileCreationDate(bare, true, false).isValid()); // falls back
    EXPECT_FALSE(
        GetAndUpdateFileCreationDate(root.file(QStringLiteral("no.jpg")), true, false).isValid());
}

TEST(ImageFileType, ExtensionDecidesAndContentOnlyWithout)
{
    test::TestRoot root;
    const QString jpeg = root.file(QStringLiteral("real.jpg"));
    test::writeJpeg(jpeg, test::markedImage(20, 20), 1);
    const QByteArray jpegBytes = test::readFile(jpeg);
    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool image;
    } cases[] = {
        {"a.jpg", jpegBytes, true},      {"b.JPG", jpegBytes, true},
        {"c.jpeg", jpegBytes, true},     {"d.png", "whatever", true}, // the extension decides
        {"e.txt", jpegBytes, false},     {"f.plist", "<plist/>", false},
        {"noext", jpegBytes, true},      {"noext2", "plain text", false},
        {"g.zzqx", jpegBytes, true},     {"h.zzqx", "plain text", false},
        {".hidden", "plain text", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = root.file(QString::fromLatin1(c.name));
        test::writeFile(path, c.bytes);
        EXPECT_EQ(isImageFile(path), c.image);
        EXPECT_EQ(imageUtils::isImageFile(path), c.image);
    }
    EXPECT_FALSE(isImageFile(QString()));
}

TEST(ImageLoader, OverlayDrawsOnlyWhereTheBottomImageIsOpaque)
{
    QImage bottom(10, 10, QImage::Format_ARGB32_Premultiplied);
    bottom.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x)
            bottom.setPixelColor(x, y, Qt::white);
    QImage overlay(2, 2, QImage::Format_ARGB32);
    overlay.fill(Qt::red);

    const QImage untouched = bottom;
    EXPECT_FALSE(applyOverlayToNSImage(QImage(), &bottom));
    EXPECT_FALSE(applyOverlayToNSImage(overlay, nullptr));
    EXPECT_EQ(bottom, untouched);

    ASSERT_TRUE(applyOverlayToNSImage(overlay, &bottom));
    EXPECT_EQ(bottom.pixelColor(2, 5), QColor(Qt::red));
    EXPECT_EQ(qAlpha(bottom.pixel(8, 5)), 0);
}

TEST(ImageLoader, ResourceImagesAndPlainLoading)
{
    test::TestRoot root;
    const QString folder = root.folder(QStringLiteral("resources"));
    qputenv("KIVO_RESOURCES", QFile::encodeName(folder));
    test::writeJpeg(folder + QStringLiteral("/logo.jpg"), test::markedImage(30, 20), 6);
    EXPECT_EQ(createImageWithName(QStringLiteral("logo.jpg")).size(), QSize(30, 20));
    EXPECT_TRUE(createImageWithName(QStringLiteral("absent.png")).isNull());
    EXPECT_EQ(loadImageAsDecoded(folder + QStringLiteral("/logo.jpg"), 1, 1).size(), QSize(30, 20));
    EXPECT_TRUE(loadImageAsDecoded(QString()).isNull());
    qunsetenv("KIVO_RESOURCES");
}

} // namespace
