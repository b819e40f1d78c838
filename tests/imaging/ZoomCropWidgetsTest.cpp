// The zoomable view, the crop editor and the zoom window over real photos in the test's root:
// what a touch or a click changes in the mask, the ticket and the pixels drawn.
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include "core/Paths.h"
#include "core/Settings.h"
#include "imaging/CropGeometry.h"
#include "imaging/CropTicket.h"
#include "imaging/ui/CropEditor.h"
#include "imaging/ui/MaskView.h"
#include "imaging/ui/PhotoEditingWindow.h"
#include "imaging/ui/ZoomWindow.h"
#include "imaging/ui/ZoomableImageView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

struct Editor
{
    Editor() : settings(root.file(QStringLiteral("config/test.plist")))
    {
        photo = root.folder(QStringLiteral("photos")) + QStringLiteral("/IMG_1.jpg");
    }
    void writePhoto(QSize stored, int orientation)
    {
        test::writeJpeg(photo, test::markedImage(stored.width(), stored.height()), orientation);
    }
    std::unique_ptr<CropEditor> open()
    {
        auto editor = std::make_unique<CropEditor>(settings);
        editor->resize(1100, 700);
        editor->show();
        editor->openPhoto(photo);
        editor->waitForImages();
        return editor;
    }
    test::TestRoot root;
    Settings settings;
    QString photo;
};

QAbstractButton* toggle(CropEditor& editor, const QString& title)
{
    for (QAbstractButton* b : editor.cropToggles()) {
        if (b->text() == title)
            return b;
    }
    ADD_FAILURE() << "no toggle " << title.toStdString();
    return nullptr;
}

void setToggles(CropEditor& editor, const QStringList& on)
{
    for (QAbstractButton* b : editor.cropToggles()) {
        if (b->isChecked() != on.contains(b->text()))
            QTest::mouseClick(b, Qt::LeftButton);
    }
}

TEST(CropEditor, TogglesShapeTheViewAndTheMaskAndGoIntoTheTicket)
{
    Editor e;
    e.writePhoto(QSize(600, 400), 1);
    const auto editor = e.open();
    ASSERT_TRUE(editor->imageView()->contents().hasImage());
    EXPECT_EQ(e.settings.currentPhotoName(), "IMG_1.jpg");

    struct Case
    {
        QStringList on;
        bool mask8x10, mask5x7;
        double viewRatio; // width / height of the reshaped view
    };
    const Case cases[] = {
        {{"8x10"}, true, false, 1.25},
        {{"8x10", "5x7"}, true, true, 1.4},
        {{"5x7", "4x6"}, false, true, 1.5},
        {{}, false, false, 1.5}, // none: the photo's own proportions
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.on.join(',').toStdString());
        setToggles(*editor, c.on);
        EXPECT_EQ(editor->maskView()->shows8x10(), c.mask8x10);
        EXPECT_EQ(editor->maskView()->shows5x7(), c.mask5x7);
        const QSize view = editor->imageView()->size();
        EXPECT_NEAR(double(view.width()) / view.height(), c.viewRatio, 0.01);
        EXPECT_EQ(editor->maskView()->size(), view);

        QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
        const auto ticket = readCropTicketForPhoto(e.photo);
        ASSERT_TRUE(ticket.has_value());
        const QStringList titles = ticket->crops.keys();
        EXPECT_EQ(QSet<QString>(titles.begin(), titles.end()),
                  QSet<QString>(c.on.begin(), c.on.end()));
    }
}

TEST(CropEditor, AReopenedTicketSetsTheTogglesAndTheViewInEveryOrientation)
{
    for (int orientation : {1, 6, 8}) {
        SCOPED_TRACE(orientation);
        Editor e;
        e.writePhoto(QSize(900, 600), orientation);
        QRectF saved;
        {
            const auto editor = e.open();
            setToggles(*editor, {"5x7"});
            // The portrait shape on a landscape photo (and the other way round when turned).
            QTest::mouseClick(orientation == 1 ? editor->portraitButton()
                                               : editor->landscapeButton(),
                              Qt::LeftButton);
            for (int i = 0; i < 4; ++i)
                editor->imageView()->zoomIn();
            QTest::mousePress(editor->imageView(), Qt::LeftButton, {}, QPoint(100, 100));
            QTest::mouseMove(editor->imageView(), QPoint(140, 130));
            QTest::mouseRelease(editor->imageView(), Qt::LeftButton, {}, QPoint(140, 130));
            ASSERT_TRUE(editor->onDoneClicked());
            saved = editor->imageView()->contents().visibleImageRect();
        }
        const auto editor = e.open();
        EXPECT_TRUE(toggle(*editor, "5x7")->isChecked());
        EXPECT_FALSE(toggle(*editor, "8x10")->isChecked());
        EXPECT_EQ(editor->isViewLandscape(), orientation != 1);
        const QRectF shown = editor->imageView()->contents().visibleImageRect();
        EXPECT_NEAR(shown.x(), saved.x(), 1.0);
        EXPECT_NEAR(shown.y(), saved.y(), 1.0);
        EXPECT_NEAR(shown.width(), saved.width(), 1.0);
        EXPECT_NEAR(shown.height(), saved.height(), 1.0);
        // The first crop, upright: as tall as wide as the view it was placed in.
        const QPixmap thumbnail = editor->thumbnailView()->pixmap();
        ASSERT_FALSE(thumbnail.isNull());
        EXPECT_EQ(thumbnail.width() > thumbnail.height(), orientation != 1);
    }
}

TEST(CropEditor, OutOfBoundsCropsAreWrittenOnlyWhenTheOperatorProceeds)
{
    for (const QString& answer : {QStringLiteral("Go Back"), QStringLiteral("Proceed anyway")}) {
        SCOPED_TRACE(answer.toStdString());
        Editor e;
        e.writePhoto(QSize(600, 400), 1);
        const auto editor = e.open();
        setToggles(*editor, {"8x10"});
        // The photo was replaced by a smaller one since it was opened.
        e.writePhoto(QSize(300, 200), 1);
        QString text, informative;
        QTimer::singleShot(0, [&] {
            auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(alert, nullptr);
            text = alert->text();
            informative = alert->informativeText();
            for (QAbstractButton* b : alert->buttons()) {
                if (b->text() == answer)
                    b->click();
            }
        });
        const bool written = editor->onDoneClicked();
        EXPECT_EQ(text, "Your crop position is out of bounds");
        EXPECT_EQ(informative, "Reposition the picture to fill the crop region");
        EXPECT_EQ(written, answer == "Proceed anyway");
        EXPECT_EQ(QFile::exists(ticketPathForPhoto(e.photo)), written);
    }
}

TEST(PhotoEditingWindow, FitsEachScreenSizeWithEveryButtonWhole)
{
    // The station's own style sheet, whose bold text and padding decide what a button needs.
    QFile style(paths::resourcePath(QStringLiteral("kivo"), QStringLiteral("qss")));
    ASSERT_TRUE(style.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromUtf8(style.readAll()));
    Editor e;
    for (const QSize screen :
         {QSize(1024, 768), QSize(1280, 800), QSize(1920, 1080), QSize(1080, 1920)}) {
        SCOPED_TRACE(
            QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()).toStdString());
        PhotoEditingWindow window(e.settings);
        window.setGeometry(QRect(QPoint(0, 0), screen));
        window.show();
        QApplication::processEvents();
        EXPECT_LE(window.height(), screen.height());
        EXPECT_LE(window.width(), screen.width());
        for (const QPushButton* b : window.findChildren<QPushButton*>()) {
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
            EXPECT_TRUE(window.rect().contains(QRect(b->mapTo(&window, QPoint(0, 0)), b->size())))
                << b->text().toStdString();
        }
    }
    qApp->setStyleSheet({});
}

TEST(ZoomableImageView, RefreshCutsTheVisiblePartFromFullResolutionPixelsUpright)
{
    for (int orientation : {1, 6, 8}) {
        SCOPED_TRACE(orientation);
        test::TestRoot root;
        const QString photo = root.folder(QStringLiteral("photos")) + QStringLiteral("/big.jpg");
        const QSize stored(2400, 1600);
        test::writeJpeg(photo, test::markedImage(stored.width(), stored.height()), orientation);
        ZoomableImageView view;
        view.resize(orientation == 1 ? QSize(300, 200) : QSize(200, 300));
        view.show();
        view.setImagePath(photo);
        view.waitForPhoto();
        ASSERT_TRUE(view.hasPhoto());
        EXPECT_LE(view.screenImage().width(), 2400);

        // The stored top-left quarter is the red one, wherever the orientation shows it.
        ASSERT_TRUE(view.zoomImageToRect(QRectF(300, 200, 300, 200)));
        EXPECT_TRUE(view.sharpImage().isNull()); // nothing finer until the refresh
        view.waitForRefresh();
        const QImage sharp = view.sharpImage();
        ASSERT_FALSE(sharp.isNull());
        EXPECT_NEAR(sharp.width(), view.width(), 2);
        EXPECT_NEAR(sharp.height(), view.height(), 2);
        for (QPoint p : {QPoint(0, 0), QPoint(sharp.width() - 1, sharp.height() - 1),
                         QPoint(sharp.width() / 2, sharp.height() / 2)}) {
            const QColor c = sharp.pixelColor(p);
            EXPECT_GT(c.red(), 200) << p.x() << "," << p.y();
            EXPECT_LT(c.green(), 80) << p.x() << "," << p.y();
        }

        // A drag moves the photo in the move mode only, and a moved view drops the old cut.
        const QRectF before = view.contents().rect();
        view.setToolMode(ZoomableImageView::ToolMode::Rotate);
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(&view, QPoint(60, 80));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(60, 80));
        EXPECT_EQ(view.contents().rect(), before);
        view.setToolMode(ZoomableImageView::ToolMode::Move);
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(&view, QPoint(60, 80));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(60, 80));
        EXPECT_NE(view.contents().rect(), before);
        EXPECT_TRUE(view.sharpImage().isNull());
    }
}

TEST(ZoomWindow, SamplePrintIsAskedForOnlyWhereTheStationMakesThem)
{
    test::TestRoot root;
    Settings settings(root.file(QStringLiteral("config/test.plist")));
    const QString photo = root.folder(QStringLiteral("photos")) + QStringLiteral("/1.jpg");
    test::writeJpeg(photo, test::markedImage(90, 60), 1);
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        settings.setEnableTransparentButton1(enabled);
        ZoomWindow zoom(settings, &owner);
        QSignalSpy asked(&zoom, &ZoomWindow::samplePrintRequested);
        zoom.showPhoto(photo);
        zoom.waitForPhoto();
        EXPECT_EQ(zoom.image().size(), QSize(90, 60));
        // Laid out to the photo's shape, it shows the whole photo.
        EXPECT_NEAR(zoom.imageView()->contents().visibleImageRect().height(), 60, 0.5);
        EXPECT_EQ(zoom.samplePrintButton()->isVisible(), enabled);
        zoom.onSamplePrintClicked();
        ASSERT_EQ(asked.count(), enabled ? 1 : 0);
        if (enabled) {
            EXPECT_EQ(asked.at(0).at(0).toString(), "P10021");
        }
        EXPECT_EQ(zoom.isVisible(), !enabled);
    }
    // The window's parts: the bottom bar under the top view, 20 points clear above the photo.
    const ZoomWindow::Frames f = ZoomWindow::framesFor(QSize(800, 600), 60);
    EXPECT_EQ(f.top, QRect(0, 0, 800, 540));
    EXPECT_EQ(f.bottom, QRect(0, 540, 800, 60));
    EXPECT_EQ(f.border, QRect(0, 20, 800, 520));
    EXPECT_EQ(f.image, f.border);
}

TEST(MaskView, BandsShadeWhatEachPrintLeavesOff)
{
    using R = MaskBand::Region;
    // A portrait 500 x 800: an 8 x 10 leaves 87.5 at each end, a 5 x 7 leaves 50.
    struct Case
    {
        bool eight, five;
        QList<MaskBand> bands;
    };
    const Case cases[] = {
        {true,
         true,
         {{QRectF(0, 50, 500, 37.5), 0.4, R::EightByTen},
          {QRectF(0, 712.5, 500, 37.5), 0.4, R::EightByTen},
          {QRectF(0, 0, 500, 50), 0.2, R::FiveBySeven},
          {QRectF(0, 750, 500, 50), 0.2, R::FiveBySeven}}},
        {true,
         false,
         {{QRectF(0, 0, 500, 87.5), 0.4, R::EightByTen},
          {QRectF(0, 712.5, 500, 87.5), 0.4, R::EightByTen}}},
        {false,
         true,
         {{QRectF(0, 0, 500, 50), 0.4, R::FiveBySeven},
          {QRectF(0, 750, 500, 50), 0.4, R::FiveBySeven}}},
        {false, false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(maskBands(QSizeF(500, 800), c.eight, c.five), c.bands) << c.eight << c.five;
    // A view shaped to the 5 x 7 (a fraction short of it) still shows the 8 x 10's bands; one
    // wider than an 8 x 10 leaves nothing to shade.
    const QList<MaskBand> shaped{{QRectF(0, 0, 500, 37.5), 0.4, R::EightByTen},
                                 {QRectF(0, 662.5, 500, 37.5), 0.4, R::EightByTen}};
    EXPECT_EQ(maskBands(QSizeF(500, 700), true, true), shaped);
    EXPECT_EQ(maskBands(QSizeF(501, 700), true, true).size(), 2);
    EXPECT_TRUE(maskBands(QSizeF(700, 800), true, true).isEmpty());
}

} // namespace
