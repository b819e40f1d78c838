#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include "core/PropertyList.h"
#include "imaging/CaptureDate.h"
#include "imaging/ContentsRect.h"
#include "imaging/CropGeometry.h"
#include "imaging/CropOptions.h"
#include "imaging/CropTicket.h"
#include "imaging/CropWriter.h"
#include "imaging/ImageOrientation.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const CropOption k8x10{QStringLiteral("8x10"), 1.25};
const CropOption k5x7{QStringLiteral("5x7"), 1.4};

void expectNear(const QRectF& actual, const QRectF& expected)
{
    EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
    EXPECT_NEAR(actual.width(), expected.width(), 1e-9);
    EXPECT_NEAR(actual.height(), expected.height(), 1e-9);
}

ContentsRect viewOf(QSize natural, int orientation, QSizeF view)
{
    ContentsRect model;
    model.setImage(natural, orientation);
    model.setViewSize(view);
    return model;
}

TEST(ContentsRect, ZoomLimitsAndActualSizeHoldForTurnedPhotos)
{
    struct
    {
        QSize natural;
        int orientation;
        QSizeF view;
        QSizeF upright;
    } cases[] = {
        {{4000, 3000}, 1, {800, 600}, {4000, 3000}},
        {{4000, 3000}, 6, {600, 800}, {3000, 4000}},
        {{3000, 4000}, 8, {800, 600}, {4000, 3000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.orientation);
        ContentsRect model = viewOf(c.natural, c.orientation, c.view);
        EXPECT_EQ(model.imageSize(), c.upright);
        EXPECT_DOUBLE_EQ(model.zoomFactorMin(), 0.2);
        EXPECT_DOUBLE_EQ(model.zoomFactorMax(), 1.0);
        expectNear(model.rect(), QRectF(0, 0, 1, 1));
        // Actual size: one photo pixel per view point, in the view's proportions.
        EXPECT_TRUE(model.zoomImageToActualSize());
        EXPECT_NEAR(model.zoomFactor(), 1.0, 1e-9);
        const QRectF shown = model.uprightTransform().mapRect(model.visibleImageRect());
        EXPECT_NEAR(shown.width(), c.view.width(), 1e-6);
        EXPECT_NEAR(shown.height(), c.view.height(), 1e-6);
        EXPECT_NEAR(model.rect().center().x(), 0.5, 1e-9);
        EXPECT_NEAR(model.rect().center().y(), 0.5, 1e-9);
    }
}

TEST(ContentsRect, ZoomingInStopsAtTheSmallestPartAndOutAtTheWholePhoto)
{
    ContentsRect model = viewOf({4000, 3000}, 1, {800, 600});
    EXPECT_FALSE(model.zoomOut());
    int steps = 0;
    while (model.zoomIn() && steps < 100)
        ++steps;
    EXPECT_EQ(steps, 24); // 1 - 24 * 0.04 = 0.04; one more step would leave 0.0
    EXPECT_GE(model.rect().width(), ContentsRect::kZoomStep);
    EXPECT_NEAR(model.rect().center().x(), 0.5, 1e-9);
    for (int i = 0; i < 100 && model.zoomOut(); ++i) {
    }
    expectNear(model.rect(), QRectF(0, 0, 1, 1));
    ContentsRect empty;
    EXPECT_FALSE(empty.zoomIn() || empty.zoomImageToFit() || empty.scrollLeft());
}

TEST(ContentsRect, NormalisingKeepsThePartInsideInTheViewsProportions)
{
    struct
    {
        QSizeF view;
        QRectF set;
        QRectF expected;
    } cases[] = {
        {{800, 600}, {0.3, 0.2, 1.4, 1.4}, {0, 0, 1, 1}},         // cut to 1, moved back
        {{800, 600}, {0.9, 0.9, 0.5, 0.5}, {0.5, 0.5, 0.5, 0.5}}, // moved back inside
        {{800, 600}, {0.5, 0.5, -0.2, -0.2}, {0.5, 0.5, 0.2, 0.2}},
        {{800, 600}, {0.5, 0.5, 0.0001, 0.0001}, {0.5, 0.5, 0.001, 0.001}},
        {{800, 800}, {0, 0, 1, 1}, {0, 0, 0.75, 1}},            // a square view of a 4:3 photo
        {{600, 800}, {0, 0.2, 1, 0.5}, {0, 0.2, 0.28125, 0.5}}, // a portrait view
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.set.x() << "," << c.set.y() << " " << c.set.width()
                                          << "x" << c.set.height());
        ContentsRect model = viewOf({4000, 3000}, 1, c.view);
        model.setRect(c.set);
        expectNear(model.rect(), c.expected);
    }
    ContentsRect square = viewOf({4000, 3000}, 1, {800, 800});
    EXPECT_TRUE(square.setRect(QRectF(0, 0, 0.5, 0.5)));
    EXPECT_TRUE(square.zoomImageToFit());
    expectNear(square.rect(), QRectF(0.125, 0, 0.75, 1));
}

// A photo tagged with any orientation shows upright, as the loader turns it, and what lies
// under the finger stays under it while dragging; the arrows show more of their side.
TEST(ContentsRect, DraggingMovesThePhotoWithTheFingerInEveryOrientation)
{
    const QImage marked = test::markedImage(40, 30);
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        const bool turned = orientationSwapsSides(qint16(o));
        const QSizeF view = turned ? QSizeF(600, 800) : QSizeF(800, 600);
        ContentsRect model = viewOf({4000, 3000}, o, view);

        // The red quarter (top left as stored) lands where the loader puts it.
        const QPointF red = model.uprightTransform().map(QPointF(1000, 750));
        const QSizeF upright = model.imageSize();
        const test::Corner corner =
            red.x() < upright.width() / 2
                ? (red.y() < upright.height() / 2 ? test::Corner::TopLeft
                                                  : test::Corner::BottomLeft)
                : (red.y() < upright.height() / 2 ? test::Corner::TopRight
                                                  : test::Corner::BottomRight);
        EXPECT_EQ(corner, test::redCorner(uprightImage(marked, qint16(o))));

        ASSERT_TRUE(model.setZoomFactor(0.4));
        expectNear(model.convertViewRectToImageRect(QRectF(QPointF(0, 0), view)),
                   model.visibleImageRect());
        const QPointF finger(300, 250);
        const QPointF underFinger = model.imageToViewTransform().inverted().map(finger);
        EXPECT_TRUE(model.scrollByViewDelta(QPointF(40, -30)));
        const QPointF moved = model.imageToViewTransform().map(underFinger);
        EXPECT_NEAR(moved.x(), 340, 1e-6);
        EXPECT_NEAR(moved.y(), 220, 1e-6);

        const QPointF centre = model.imageToViewTransform().inverted().map(
            QPointF(view.width() / 2, view.height() / 2));
        EXPECT_TRUE(model.scrollLeft());
        EXPECT_TRUE(model.scrollUp());
        const QPointF after = model.imageToViewTransform().map(centre);
        EXPECT_GT(after.x(), view.width() / 2);
        EXPECT_GT(after.y(), view.height() / 2);
    }
}

TEST(CropGeometry, ViewShapeCropsAndBoundsFollowTheWorkedExamples)
{
    const QList<CropOption> both{k5x7, k8x10};
    struct
    {
        QRectF visible;
        QRectF r5x7, r8x10;
    } crops[] = {
        {{0, 0, 1000, 1400}, {0, 0, 1000, 1400}, {0, 75, 1000, 1250}},
        {{100, 0, 1400, 1000}, {100, 0, 1400, 1000}, {175, 0, 1250, 1000}},
    };
    for (const auto& c : crops) {
        const auto rects = cropRectangles(c.visible, both);
        ASSERT_EQ(rects.size(), 2);
        EXPECT_EQ(rects[0].first, QStringLiteral("8x10"));
        expectNear(rects[0].second, c.r8x10);
        EXPECT_EQ(rects[1].first, QStringLiteral("5x7"));
        expectNear(rects[1].second, c.r5x7);
    }

    expectNear(reshapedViewFrame(QRectF(0, 0, 1000, 800), 1000, 0.8), QRectF(180, 0, 640, 800));
    expectNear(reshapedViewFrame(QRectF(0, 0, 1000, 800), 1000, 1.4), QRectF(0, 42.5, 1000, 715));

    struct
    {
        QList<CropOption> selected;
        bool landscape;
        double expected;
    } shapes[] = {
        {both, true, 1.4}, {both, false, 1 / 1.4}, {{k8x10}, false, 0.8},
        {{}, true, 1.5},   {{}, false, 1 / 1.5},
    };
    for (const auto& s : shapes)
        EXPECT_DOUBLE_EQ(viewAspectRatio(s.selected, s.landscape, 1.5), s.expected);

    const QSizeF image(1000, 800);
    EXPECT_TRUE(isInsideImage(image, QRectF(0, 0, 1000.5, 800)));
    EXPECT_TRUE(isInsideImage(image, QRectF(-0.5, 0.5, 1000, 799.5)));
    EXPECT_FALSE(isInsideImage(image, QRectF(0, 0, 1001, 800)));
    EXPECT_FALSE(isInsideImage(image, QRectF(-1, 0, 500, 500)));
}

TEST(CropOptions, ShippedSizesLoadAndBadFilesAreRefusedWhole)
{
    test::TestRoot root;
    const CropOptionsResult shipped = loadCropOptions();
    ASSERT_TRUE(shipped.ok()) << shipped.error.toStdString();
    EXPECT_EQ(shipped.options, (QList<CropOption>{k8x10, k5x7, {QStringLiteral("4x6"), 1.5}}));

    auto entry = [](QVariant title, QVariant ratio) {
        return QVariantMap{{QStringLiteral("title"), title},
                           {QStringLiteral("aspectRatio"), ratio}};
    };
    const QVariant good = entry(QStringLiteral("5x7"), 1.4);
    struct
    {
        const char* name;
        QByteArray bytes;
    } bad[] = {
        {"empty", plist::toXml(QVariantList{})},
        {"dictionary", plist::toXml(good)},
        {"malformed", "<plist><array><dict><key>title</key>"},
        {"no title", plist::toXml(QVariantList{good, entry(QVariant(), 1.25)})},
        {"title a folder", plist::toXml(QVariantList{entry(QStringLiteral("a/b"), 1.25)})},
        {"ratio text", plist::toXml(QVariantList{entry(QStringLiteral("8x10"), "1.25")})},
        {"ratio below 1", plist::toXml(QVariantList{entry(QStringLiteral("8x10"), 0.8)})},
        {"twice", plist::toXml(QVariantList{good, good})},
        {"entry not a dictionary", plist::toXml(QVariantList{good, QStringLiteral("4x6")})},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.name);
        const QString path = root.file(QStringLiteral("CropOptions.plist"));
        test::writeFile(path, c.bytes);
        const CropOptionsResult read = readCropOptions(path);
        EXPECT_FALSE(read.ok());
        EXPECT_TRUE(read.options.isEmpty());
        EXPECT_TRUE(read.error.contains(path)) << read.error.toStdString();
    }
    EXPECT_FALSE(readCropOptions(root.file(QStringLiteral("none.plist"))).ok());
}

TEST(CropTicket, WrittenBesideThePhotoAndReadBackOrRefused)
{
    test::TestRoot root;
    const QString photo = root.folder(QStringLiteral("photos")) + QStringLiteral("/IMG_1.jpg");
    const QDateTime when(QDate(2026, 12, 6), QTime(15, 30, 0), Qt::UTC);
    const CropTicket made =
        makeCropTicket(photo, QSize(1000, 1400), 6, QRectF(0, 0, 1000, 1400), {k8x10, k5x7}, when);
    QString error;
    ASSERT_TRUE(writeCropTicket(made, &error)) << error.toStdString();
    const QString ticketPath = root.file(QStringLiteral("photos/IMG_1.ticket"));

    // What other programs read: the rectangles' text form and the keys' types.
    const QVariantMap stored = plist::readFile(ticketPath).toMap();
    EXPECT_EQ(stored.value("crops").toMap(), (QVariantMap{{"5x7", "{{0, 0}, {1000, 1400}}"},
                                                          {"8x10", "{{0, 75}, {1000, 1250}}"}}));
    EXPECT_EQ(stored.value("imageSize"), QVariant(QStringLiteral("{1000, 1400}")));
    EXPECT_EQ(stored.value("Orientation").typeId(), QMetaType::LongLong);
    EXPECT_EQ(QDir(root.file("photos")).entryList(QDir::Files), QStringList{"IMG_1.ticket"});

    const auto read = readCropTicketForPhoto(photo);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->crops, made.crops);
    EXPECT_EQ(read->imageSize, QSize(1000, 1400));
    EXPECT_EQ(read->date, when);
    EXPECT_EQ(read->orientation, 6);
    expectNear(read->zoomRect(), QRectF(0, 0, 1000, 1400)); // the largest: what was visible
    EXPECT_EQ(rectFromText(QStringLiteral("{{-2.5, 1e3}, {0.25, 7}}")),
              QRectF(-2.5, 1000, 0.25, 7));

    struct
    {
        const char* name;
        const char* key;
        QVariant value;
    } bad[] = {
        {"no crops", "crops", QVariant()},
        {"crops a list", "crops", QVariantList{"{{0, 0}, {1, 1}}"}},
        {"crop not a rectangle", "crops", QVariantMap{{"5x7", "{{0, 0}, {1, x}}"}}},
        {"crop a number", "crops", QVariantMap{{"5x7", 12}}},
        {"size a number", "imageSize", 1000},
        {"size not a size", "imageSize", "{1000}"},
        {"no path", "path", QVariant()},
        {"title a number", "title", 7},
        {"date a string", "date", "yesterday"},
        {"orientation a string", "Orientation", "6"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.name);
        QVariantMap broken = stored;
        if (c.value.isValid())
            broken.insert(c.key, c.value);
        else
            broken.remove(c.key);
        ASSERT_TRUE(plist::writeFile(ticketPath, broken));
        EXPECT_FALSE(readCropTicketForPhoto(photo, &error).has_value());
        EXPECT_FALSE(error.isEmpty());
    }
    test::writeFile(ticketPath, QByteArray("\xff\xd8 not a plist", 14));
    EXPECT_FALSE(readCropTicketForPhoto(photo, &error).has_value());
    EXPECT_FALSE(error.isEmpty());
    QFile::remove(ticketPath);
    EXPECT_FALSE(readCropTicketForPhoto(photo, &error).has_value());
    EXPECT_TRUE(error.isEmpty()); // no ticket is no fault

    const struct
    {
        const char* photo;
        const char* ticket;
    } names[] = {{"/p/IMG_1.jpg", "/p/IMG_1.ticket"},
                 {"/p/a.b.png", "/p/a.b.ticket"},
                 {"/p.d/IMG", "/p.d/IMG.ticket"},
                 {"/p/.hidden", "/p/.hidden.ticket"}};
    for (const auto& n : names)
        EXPECT_EQ(ticketPathForPhoto(n.photo), QString::fromLatin1(n.ticket));
}

TEST(CropWriter, CropsCarryThePhotosMetadataAndAreClippedToIt)
{
    test::TestRoot root;
    const QString folder = root.folder(QStringLiteral("photos"));
    const QString photo = folder + QStringLiteral("/IMG_1.jpg");
    test::writeJpeg(photo, test::markedImage(400, 300), 6, QStringLiteral("2026:12:06 10:11:12"));

    struct
    {
        const char* region;
        QRectF rect;
        QSize ticketSize;
        QSize expected; // empty: nothing left to write
    } cases[] = {
        {"red", {0, 0, 200, 150}, {400, 300}, {200, 150}},
        {"edge", {300, 200, 200, 200}, {400, 300}, {100, 100}}, // clipped
        {"out", {500, 0, 50, 50}, {400, 300}, {}},
        {"scaled", {0, 0, 400, 300}, {800, 600}, {200, 150}}, // the ticket's size was larger
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.region);
        CropTicket ticket = makeCropTicket(photo, c.ticketSize, 6, {}, {}, {});
        ticket.crops.insert(c.region, c.rect);
        const auto files = writeCroppedFiles(ticket, photo);
        ASSERT_EQ(files.size(), 1);
        const QString path = folder + QStringLiteral("/IMG_1_%1.jpg").arg(c.region);
        if (c.expected.isEmpty()) {
            EXPECT_FALSE(files[0].ok());
            EXPECT_FALSE(QFile::exists(path));
            continue;
        }
        ASSERT_TRUE(files[0].ok()) << files[0].error.toStdString();
        QImageReader reader(path);
        reader.setAutoTransform(false);
        const QImage crop = reader.read();
        EXPECT_EQ(QImageReader::imageFormat(path), "jpeg");
        EXPECT_EQ(crop.size(), c.expected);
        EXPECT_EQ(imageRotation(path), 6);
        EXPECT_EQ(GetInternalExifPictureCaptureDate(path, false),
                  QDateTime(QDate(2026, 12, 6), QTime(10, 11, 12)));
        const QColor centre = crop.pixelColor(crop.width() / 2, crop.height() / 2);
        EXPECT_EQ(centre.red() > 200, QByteArray(c.region) != "edge")
            << centre.name().toStdString();
    }
    // An orientation no viewer knows is not passed on: the crop stands as stored.
    for (const int orientation : {9, 255}) {
        const QString odd =
            root.folder(QStringLiteral("odd")) + QStringLiteral("/IMG_%1.jpg").arg(orientation);
        test::writeJpeg(odd, test::markedImage(40, 30), orientation);
        CropTicket ticket = makeCropTicket(odd, QSize(40, 30), 1, QRectF(0, 0, 40, 30), {k5x7}, {});
        const auto files = writeCroppedFiles(ticket, odd);
        ASSERT_EQ(files.size(), 1);
        ASSERT_TRUE(files[0].ok()) << files[0].error.toStdString();
        EXPECT_EQ(imageRotation(files[0].path), 1) << orientation;
    }
    // Only the photo and its crops: no temporary file left behind.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              (QStringList{"IMG_1.jpg", "IMG_1_edge.jpg", "IMG_1_red.jpg", "IMG_1_scaled.jpg"}));

    // A photo of another kind gets JPEG crops named as such; a photo without a folder or at the
    // root gets none.
    const QString png = folder + QStringLiteral("/IMG_2.png");
    ASSERT_TRUE(test::markedImage(70, 50).save(png));
    CropTicket ticket = makeCropTicket(png, QSize(70, 50), 0, QRectF(0, 0, 70, 50), {k5x7}, {});
    const auto written = writeCroppedFiles(ticket, png);
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(written[0].ok()) << written[0].error.toStdString();
    EXPECT_EQ(QImageReader::imageFormat(folder + QStringLiteral("/IMG_2_5x7.jpg")), "jpeg");
    for (const QString& nowhere : {QStringLiteral("IMG_2.png"), QStringLiteral("/IMG_2.png")}) {
        const auto refused = writeCroppedFiles(ticket, nowhere);
        ASSERT_EQ(refused.size(), 1);
        EXPECT_TRUE(refused[0].error.contains("folder")) << refused[0].error.toStdString();
    }

    const struct
    {
        const char* title;
        const char* region;
        const char* name;
    } names[] = {{"IMG_1.jpg", "5x7", "IMG_1_5x7.jpg"},
                 {"IMG_1.JPEG", "8x10", "IMG_1_8x10.JPEG"},
                 {"IMG_1.png", "5x7", "IMG_1_5x7.jpg"},
                 {"IMG_1", "4x6", "IMG_1_4x6.jpg"},
                 {"a.b.tif", "4x6", "a.b_4x6.jpg"},
                 {"IMG_1.jpg", "../x", ""},
                 {"../IMG_1.jpg", "5x7", ""}};
    for (const auto& n : names)
        EXPECT_EQ(croppedFileName(n.title, n.region), QString::fromLatin1(n.name));
}

// A camera's photo beyond Qt's own image limit (128 MB, about 33 megapixels in colour) is
// cropped like any other, the whole of it included.
TEST(CropWriter, CropsAPhotoBeyondQtsImageLimit)
{
    QImageReader::setAllocationLimit(128); // as Qt ships it
    test::TestRoot root;
    const QString photo = root.folder(QStringLiteral("photos")) + QStringLiteral("/IMG_big.jpg");
    const QSize size(7200, 4800);
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter(&image).fillRect(0, 0, 3600, 2400, Qt::red);
        ASSERT_TRUE(image.save(photo, "JPEG", 50));
    }
    CropTicket ticket = makeCropTicket(photo, size, 1, QRectF(QPointF(0, 0), size), {}, {});
    ticket.crops = {{QStringLiteral("whole"), QRectF(QPointF(0, 0), size)},
                    {QStringLiteral("red"), QRectF(0, 0, 3600, 2400)}};
    const auto files = writeCroppedFiles(ticket, photo);
    ASSERT_EQ(files.size(), 2);
    for (const CroppedFile& file : files) {
        SCOPED_TRACE(file.region.toStdString());
        ASSERT_TRUE(file.ok()) << file.error.toStdString();
        QImageReader reader(file.path);
        const QSize expected = file.region == QLatin1String("whole") ? size : QSize(3600, 2400);
        EXPECT_EQ(reader.size(), expected);
        reader.setScaledSize(expected / 20);
        const QImage small = reader.read();
        EXPECT_GT(small.pixelColor(small.width() / 4, small.height() / 4).red(), 200);
    }
}

#ifdef KIVO_CROP_TOOL
TEST(KivoCrop, WritesEachPhotosTicketAndTellsWhatFailed)
{
    test::TestRoot root;
    const QString folder = root.folder(QStringLiteral("photos"));
    auto photoWithTicket = [&](const QString& name, QRectF rect) {
        const QString photo = folder + QLatin1Char('/') + name;
        test::writeJpeg(photo, test::markedImage(200, 100), 1);
        CropTicket ticket = makeCropTicket(photo, QSize(200, 100), 1, QRectF(0, 0, 140, 100),
                                           {k8x10, k5x7}, QDateTime::currentDateTime());
        ticket.crops.insert(QStringLiteral("wide"), rect);
        EXPECT_TRUE(writeCropTicket(ticket));
        return photo;
    };
    const QString good = photoWithTicket(QStringLiteral("good.jpg"), QRectF(0, 0, 200, 100));
    const QString outside = photoWithTicket(QStringLiteral("outside.jpg"), QRectF(300, 0, 10, 10));
    const QString bare = folder + QStringLiteral("/bare.jpg");
    test::writeJpeg(bare, test::markedImage(20, 20), 1);
    // A file cut short, and one whose header claims 34464 x 34464 pixels.
    const QString damaged = photoWithTicket(QStringLiteral("damaged.jpg"), QRectF(0, 0, 20, 20));
    QByteArray bytes = test::readFile(damaged);
    test::writeFile(damaged, bytes.left(bytes.size() * 2 / 3));
    const QString huge = photoWithTicket(QStringLiteral("huge.jpg"), QRectF(0, 0, 20, 20));
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    bytes.replace(frame + 5, 4, QByteArray("\x86\xA0\x86\xA0", 4));
    test::writeFile(huge, bytes);

    struct
    {
        QStringList photos;
        int exitCode;
        int written, failed;
        QStringList says;
    } runs[] = {
        {{good}, 0, 3, 0, {}},
        {{good, outside}, 1, 5, 1, {"outside the photo"}},
        {{damaged, huge}, 1, 0, 6, {"cut short", "too large"}},
        {{bare, good}, 2, 3, 0, {}},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.photos.join(' ').toStdString());
        QProcess tool;
        tool.setWorkingDirectory(folder);
        tool.start(KIVO_CROP_TOOL, r.photos);
        ASSERT_TRUE(tool.waitForFinished(60000));
        const QString out = QString::fromUtf8(tool.readAllStandardOutput());
        EXPECT_EQ(tool.exitCode(), r.exitCode) << out.toStdString();
        const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.filter(QRegularExpression("^wrote /")).size(), r.written);
        EXPECT_EQ(lines.filter(QRegularExpression("^failed /")).size(), r.failed);
        EXPECT_EQ(lines.size(), r.written + r.failed);
        for (const QString& reason : r.says)
            EXPECT_TRUE(out.contains(reason)) << reason.toStdString();
    }
}
#endif

} // namespace
