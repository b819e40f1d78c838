// The selling screen under bad input and touch: photos that cannot be shown or vanish during the
// visit, a 100-megapixel photo, package lists of odd shapes, and the pressed package row.
#include "imaging/ImageLoader.h"
#include "screens/SellingVisit.h"
#include "screens/StationStyle.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace kivo;

namespace {

// The demo catalogue's USB Drive row, a regular row.
constexpr int kRowUsb = 4;

using Screen = test::SellingScreenVisit;

// The photo a read hook deletes just before the loader opens it.
QString vanishingPhoto;
void deleteBeforeRead(const QString& path)
{
    if (path == vanishingPhoto)
        QFile::remove(path);
}

long statusKiB(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return -1;
}

} // namespace

TEST(SellingScreenBadPhotos, EachShowsAPictureForItselfAndCannotBeOrdered)
{
    enum class Step
    {
        BeforeVisit,            // the file is bad when the search hands it over
        DuringThumbnailRead,    // deleted as its thumbnail is being read
        AfterThumbnails,        // deleted once its thumbnail is on show, before it is selected
        WhileSelectedWithOrder, // deleted while selected, after packages were chosen for it
    };
    struct Case
    {
        const char* what;
        Step step;
        int keepBytes; // for BeforeVisit: the file's first bytes kept (-1: deleted, -2: 2/3)
    } cases[] = {
        {"0-byte file", Step::BeforeVisit, 0},
        {"cut inside its header", Step::BeforeVisit, 200},
        {"cut inside its picture", Step::BeforeVisit, -2},
        {"deleted before the visit", Step::BeforeVisit, -1},
        {"deleted while its thumbnail is read", Step::DuringThumbnailRead, 0},
        {"deleted after its thumbnail loaded", Step::AfterThumbnails, 0},
        {"deleted while selected with packages", Step::WhileSelectedWithOrder, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Screen s(3);
        const QString bad = s.photos.at(1);
        if (c.step == Step::BeforeVisit) {
            const QByteArray bytes = test::readFile(bad);
            if (c.keepBytes == -1)
                QFile::remove(bad);
            else
                test::writeFile(bad,
                                bytes.left(c.keepBytes == -2 ? bytes.size() * 2 / 3 : c.keepBytes));
        }
        vanishingPhoto = c.step == Step::DuringThumbnailRead ? bad : QString();
        setPhotoReadHook(&deleteBeforeRead);
        s.coordinator->startVisit(s.photos);
        s.settle();
        setPhotoReadHook(nullptr);
        // The first photo came up whatever became of the second.
        EXPECT_FALSE(s.preview().image().isNull());
        EXPECT_FALSE(s.view().thumbnail(s.photos.at(0)).isNull());

        if (c.step == Step::AfterThumbnails)
            QFile::remove(bad);
        s.grid->selectItem(1);
        s.settle();
        QTest::mouseClick(s.screen->packagePanel()->addButton(kRowUsb), Qt::LeftButton);
        if (c.step == Step::WhileSelectedWithOrder) {
            QFile::remove(bad);
            s.grid->selectItem(2);
            s.settle();
            s.grid->selectItem(1);
            s.settle();
        }

        // The preview stands for the selected photo, never for the one shown before it.
        EXPECT_EQ(s.preview().photoName(), "100001_01.jpg");
        EXPECT_TRUE(s.preview().showsCannotShow());
        EXPECT_FALSE(s.grid->isShowable(1));
        EXPECT_EQ(s.coordinator->currentPhotoName(), "100001_01.jpg");

        // It cannot be ordered: its packages are off, and an order it had is taken off, up to
        // the summary the release is made from.
        EXPECT_FALSE(s.screen->packagePanel()->isEnabled());
        EXPECT_EQ(s.grid->orderAt(1).line(kRowUsb).pkgQty(), 0);
        const PhotoOrdersSnapshot snapshot = s.grid->snapshot();
        ASSERT_EQ(snapshot.photos.size(), 3);
        EXPECT_EQ(snapshot.photos.at(1), bad);
        EXPECT_EQ(snapshot.orders.at(1).computeTotalSheets(), 0);
        EXPECT_EQ(s.coordinator->totals().orderSheets, 0);
        s.coordinator->showSummary();
        EXPECT_EQ(s.summary->rowCount(), 0);

        // The screen goes on: the next photo shows.
        s.grid->selectItem(2);
        s.settle();
        EXPECT_FALSE(s.preview().showsCannotShow());
        EXPECT_EQ(s.preview().photoName(), "100001_02.jpg");
        EXPECT_TRUE(s.view().previewComplete());
    }
}

// A photo still being copied when the visit began is shown, and can be ordered, once its file
// has stopped growing and decodes whole.
TEST(SellingScreenBadPhotos, PhotoStillArrivingIsShownOnceWhole)
{
    Screen s(2);
    const QString arriving = s.photos.at(1);
    const QByteArray bytes = test::readFile(arriving);
    test::writeFile(arriving, bytes.left(bytes.size() * 2 / 3));
    s.view().setRecheckInterval(50);
    s.coordinator->startVisit(s.photos);
    s.settle();
    s.grid->selectItem(1);
    s.settle();
    EXPECT_TRUE(s.preview().showsCannotShow());
    EXPECT_FALSE(s.screen->packagePanel()->isEnabled());

    test::writeFile(arriving, bytes);
    ASSERT_TRUE(test::waitUntil([&] { return s.grid->isShowable(1); }));
    s.settle();
    EXPECT_FALSE(s.preview().showsCannotShow());
    EXPECT_FALSE(s.view().thumbnail(arriving).isNull());
    ASSERT_TRUE(s.screen->packagePanel()->isEnabled());
    QTest::mouseClick(s.screen->packagePanel()->addButton(kRowUsb), Qt::LeftButton);
    EXPECT_EQ(s.grid->orderAt(1).line(kRowUsb).pkgQty(), 1);
}

TEST(SellingScreenBadPhotos, HundredMegapixelPhotoIsDecodedReduced)
{
    Screen s(0);
    const QString huge = s.root.file("photos/100001_99.jpg");
    {
        // One byte a pixel, so that making it costs the test 100 MB; a colour photo of this
        // size decoded whole would hold 400 MB.
        QImage image(12000, 8400, QImage::Format_Grayscale8);
        image.fill(90);
        QPainter(&image).fillRect(0, 0, 6000, 4200, Qt::white);
        QDir().mkpath(QFileInfo(huge).absolutePath());
        ASSERT_TRUE(image.save(huge, "JPEG", 60));
    }
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    const long before = statusKiB("VmHWM:");
    s.coordinator->startVisit({huge});
    s.settle();

    const QPixmap thumbnail = s.view().thumbnail(huge);
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_LE(std::max(thumbnail.width(), thumbnail.height()), PhotoGridView::kThumbnailSide);
    ASSERT_TRUE(s.view().previewComplete());
    const QSize bound = s.view().previewBound();
    EXPECT_LE(s.preview().image().width(), bound.width());
    EXPECT_LE(s.preview().image().height(), bound.height());
    // Decoded whole, the photo alone would raise the peak by 100 MB.
    if (before > 0) {
        EXPECT_LT(statusKiB("VmHWM:") - before, 60 * 1024);
    }
}

TEST(PackagePanelView, DisplayListsOfEveryShapeGiveWholeRows)
{
    const QVariantMap print{{"pkgPLU", "P1"},       {"pkgDisplayName", "5x7 Print"},
                            {"pkgUnitPrice", 8.0},  {"pkgType", "Print"},
                            {"pkgKivoName", "5x7"}, {"pkgIconName", "pkg_5x7"}};
    QVariantMap noIcon = print;
    noIcon.remove("pkgIconName");
    QVariantMap missingIcon = print;
    missingIcon["pkgIconName"] = "no_such_icon";
    struct Case
    {
        const char* what;
        QVariantList list;
        int firstItems;
        QStringList names;
        int hidden = 0; // leading special rows whose package a regular row sells
    } cases[] = {
        {"no packages", {}, 2, {}},
        {"more first items than packages", {print, print}, 5, {"5x7 Print", "5x7 Print"}},
        {"entries that are not package records",
         {print, QVariantMap(), QStringLiteral("P2")},
         1,
         {"5x7 Print", "Regular Pkg#1", "Regular Pkg#2"}},
        {"packages without an icon or with one that is missing",
         {noIcon, missingIcon},
         0,
         {"5x7 Print", "5x7 Print"}},
        {"a special row beside a regular row of its package",
         {print, print},
         1,
         {"5x7 Print", "5x7 Print"},
         1},
    };
    test::TestRoot root;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackagePanelModel model;
        model.build(c.list, c.firstItems);
        PackagePanelView view(model);
        view.show();
        ASSERT_EQ(view.rowCount(), c.names.size());
        for (int row = 0; row < view.rowCount(); ++row) {
            SCOPED_TRACE(row);
            const auto* name = view.rowFrame(row)->findChild<QLabel*>("PackageName");
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->text(), c.names.at(row));
            EXPECT_EQ(view.buyButton(row) != nullptr, row < c.firstItems);
            // Only the regular rows' container shows; a special row is in it when it is the
            // only way to buy its package.
            EXPECT_EQ(view.rowFrame(row)->isVisibleTo(&view), row >= c.hidden);
            if (row < c.hidden)
                continue;
            QTest::mouseClick(view.addButton(row), Qt::LeftButton);
            EXPECT_EQ(view.quantityLabel(row)->text(), "1");
        }
    }
}

TEST(PackagePanelView, PressedRowIsOutlinedInRedUntilReleased)
{
    test::TestRoot root;
    Settings settings(root.file("config/test.plist"));
    PackageCatalogue catalogue(settings);
    ASSERT_TRUE(catalogue.load());
    PackagePanelModel model;
    model.build(catalogue);
    PackagePanelView view(model);
    view.setStyleSheet(stationStyleSheet());
    view.resize(720, 900);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    // The colour of a row's outline, half way down its left edge.
    const auto outline = [&view](int row) {
        QWidget* frame = view.rowFrame(row);
        return frame->grab().toImage().pixelColor(1, frame->height() / 2);
    };
    const auto isRed = [](const QColor& c) { return c.red() > 180 && c.green() < 110; };
    const auto isBlue = [](const QColor& c) { return c.blue() > 150 && c.red() < 120; };
    ASSERT_TRUE(isBlue(outline(0)));

    struct Case
    {
        const char* what;
        QWidget* target;
        int row;
    } cases[] = {
        {"Add", view.addButton(0), 0},
        {"Remove", view.removeButton(kRowUsb), kRowUsb},
        {"Clear", view.clearButton(kRowUsb), kRowUsb},
        {"the row's background", view.rowFrame(kRowUsb), kRowUsb},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.target, nullptr);
        const QPoint spot =
            c.target == view.rowFrame(c.row) ? QPoint(4, 4) : c.target->rect().center();
        QTest::mousePress(c.target, Qt::LeftButton, {}, spot);
        EXPECT_TRUE(isRed(outline(c.row))) << outline(c.row).name().toStdString();
        // Only the row under the finger.
        EXPECT_TRUE(isBlue(outline(c.row == 0 ? kRowUsb : 0)));
        QTest::mouseRelease(c.target, Qt::LeftButton, {}, spot);
        EXPECT_TRUE(isBlue(outline(c.row))) << outline(c.row).name().toStdString();
    }
}
