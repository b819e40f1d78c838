#include "screens/AttractScreen.h"
#include "core/FileReference.h"
#include "core/Settings.h"
#include "screens/MovieLayout.h"
#include "screens/ProgressSheet.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

TEST(MovieLayoutTest, ConstrainKeepsProportionsWithinTheLimit)
{
    struct Case
    {
        QSizeF size, limit, expected;
    };
    const std::vector<Case> cases{
        {{640, 480}, {1280, 1024}, {640, 480}},                // fits: unchanged
        {{1920, 1080}, {1280, 1024}, {1280, 720}},             // wider
        {{800, 2000}, {1280, 1000}, {400, 1000}},              // taller only
        {{4000, 3000}, {1000, 500}, {666.6666666666666, 500}}, // wider, then still taller
        {{1280, 1024}, {1280, 1024}, {1280, 1024}},            // exactly the limit
    };
    for (const Case& c : cases) {
        const QSizeF s = kivo::constrainSize(c.size, c.limit);
        EXPECT_NEAR(s.width(), c.expected.width(), 0.01)
            << c.size.width() << "x" << c.size.height();
        EXPECT_NEAR(s.height(), c.expected.height(), 0.01)
            << c.size.width() << "x" << c.size.height();
        EXPECT_LE(s.width(), c.limit.width() + 1e-9);
        EXPECT_LE(s.height(), c.limit.height() + 1e-9);
    }
}

TEST(AttractScreenTest, SponsorLogoFollowsTheSettings)
{
    kivo::test::TestRoot root;
    auto& settings = kivo::Settings::instance();
    QLabel view;

    settings.setDoUseSponsorLogo(false);
    view.setPixmap(QPixmap(10, 10));
    kivo::showHideSponsorLogo(&view, settings);
    EXPECT_TRUE(view.isHidden());
    EXPECT_TRUE(view.pixmap().isNull());

    // On with no path: the built-in "logo".
    settings.setDoUseSponsorLogo(true);
    settings.remove(kivo::Setting::sponsorLogoPath);
    kivo::showHideSponsorLogo(&view, settings);
    EXPECT_FALSE(view.isHidden());
    EXPECT_FALSE(view.pixmap().isNull());
    EXPECT_TRUE(view.property("showsBuiltInLogo").toBool());

    // A real picture.
    QImage logo(37, 23, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const QString path = root.file(QStringLiteral("sponsor.png"));
    ASSERT_TRUE(logo.save(path));
    settings.setSponsorLogoPath(path);
    kivo::showHideSponsorLogo(&view, settings);
    EXPECT_FALSE(view.property("showsBuiltInLogo").toBool());
    EXPECT_EQ(view.pixmap().size(), QSize(37, 23));

    // Moved since it was chosen: found again through its file reference, its new place kept.
    settings.setSponsorLogoPathAliasData(kivo::FileReference::create(path));
    const QString moved = root.folder(QStringLiteral("logos")) + QStringLiteral("/sponsor.png");
    ASSERT_TRUE(QFile::rename(path, moved));
    kivo::showHideSponsorLogo(&view, settings);
    EXPECT_FALSE(view.property("showsBuiltInLogo").toBool());
    EXPECT_EQ(view.pixmap().size(), QSize(37, 23));
    EXPECT_EQ(settings.sponsorLogoPath(), moved);

    // An unreadable file falls back to the built-in picture.
    kivo::test::writeFile(moved, "not a picture");
    kivo::showHideSponsorLogo(&view, settings);
    EXPECT_TRUE(view.property("showsBuiltInLogo").toBool());
}

// What the preferences store reaches the attract screen with no further call (the sponsor logo:
// on the running station's test): a movie that does not exist stays hidden, a movie is placed
// windowed or over the whole screen, and a still picture chosen as the attract item shows as a
// still, upright, in its proportions, with no movie player made for it (nor with the movie off).
TEST(AttractScreenTest, FollowsTheSettingsAsTheyAreStoredAndShowsAStillAsAStill)
{
    kivo::test::TestRoot root;
    auto& settings = kivo::Settings::instance();
    settings.setDoUseAnimationMovie(false);
    settings.setAnimationMoviePlayFullScreen(false);
    settings.setDoUseImageBackground(true);
    kivo::AttractScreen attract(settings);
    QWidget* view = attract.view();
    view->resize(1280, 1024);
    view->show();
    EXPECT_TRUE(attract.movieView()->isHidden());
    EXPECT_FALSE(attract.backgroundView()->isHidden());
    EXPECT_EQ(attract.player(), nullptr);

    settings.setAnimationMoviePath(root.file(QStringLiteral("missing.webm")));
    settings.setDoUseAnimationMovie(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(attract.movieView()->isHidden());
    // A wide movie, windowed: as wide as the screen, 15 points above the bottom.
    attract.setMovieSize({1920, 1080});
    EXPECT_EQ(attract.movieView()->geometry(), QRect(0, 289, 1280, 720));
    settings.setAnimationMoviePlayFullScreen(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(attract.movieView()->geometry(), QRect(0, 0, 1280, 1024));
    settings.setAnimationMoviePlayFullScreen(false);

    // Stored turned a quarter: 800 x 600 pixels that show as 600 x 800.
    const QString still = root.file(QStringLiteral("still.jpg"));
    kivo::test::writeJpeg(still, kivo::test::markedImage(800, 600), 6);
    settings.setAnimationMoviePath(still);
    settings.setDoUseImageBackground(false);
    QCoreApplication::processEvents();

    EXPECT_FALSE(attract.movieView()->isHidden());
    EXPECT_EQ(attract.movieView()->image().size(), QSize(600, 800));
    EXPECT_EQ(attract.movieView()->geometry(), QRect(340, 1024 - 15 - 800, 600, 800));
    EXPECT_EQ(attract.player(), nullptr);
    EXPECT_TRUE(attract.backgroundView()->isHidden());
    EXPECT_TRUE(attract.backgroundView()->image().isNull());

    // No movie backend that can be loaded: the movie is left out, the station keeps running.
    qputenv("QT_MEDIA_BACKEND", "none");
    const QString movie = root.file(QStringLiteral("movie.avi"));
    kivo::test::writeFile(movie, "frames");
    settings.setAnimationMoviePath(movie);
    QCoreApplication::processEvents();
    qunsetenv("QT_MEDIA_BACKEND");
    EXPECT_EQ(attract.player(), nullptr);
    EXPECT_TRUE(attract.movieView()->isHidden());
}

TEST(ProgressSheetTest, OptionsSetTextColourButtonsAndBar)
{
    QWidget parent;
    parent.resize(800, 600);
    parent.show();
    kivo::ProgressSheet progress;
    kivo::ProgressOptions searching;
    searching.message = QStringLiteral("Searching...");
    searching.isError = true;
    progress.openSheet(searching, &parent);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.statusLabel()->text(), QStringLiteral("Searching..."));
    EXPECT_TRUE(progress.statusLabel()->property("isError").toBool());
    EXPECT_TRUE(progress.firstButton()->isHidden());
    EXPECT_TRUE(progress.secondButton()->isHidden());
    EXPECT_TRUE(progress.isAnimating());

    QSignalSpy clicked(&progress, &kivo::ProgressSheet::buttonClicked);
    kivo::ProgressOptions question;
    question.message = QStringLiteral("Are You Sure?");
    question.showIndicator = false;
    question.button1 = {QStringLiteral("Cancel Order"), kivo::SheetAction::StartOver};
    question.button2 = {QStringLiteral("Resume Order"), kivo::SheetAction::CloseSelf};
    progress.openSheet(question, nullptr);
    EXPECT_FALSE(progress.statusLabel()->property("isError").toBool());
    EXPECT_FALSE(progress.isAnimating());
    EXPECT_TRUE(progress.progressBar()->isHidden());
    EXPECT_EQ(progress.firstButton()->text(), QStringLiteral("Cancel Order"));
    QTest::mouseClick(progress.firstButton(), Qt::LeftButton);
    EXPECT_TRUE(progress.isVisible());
    QTest::mouseClick(progress.secondButton(), Qt::LeftButton);
    EXPECT_FALSE(progress.isVisible());
    ASSERT_EQ(clicked.size(), 2);
    EXPECT_EQ(clicked.at(0).at(0).value<kivo::SheetAction>(), kivo::SheetAction::StartOver);
    EXPECT_EQ(clicked.at(1).at(0).value<kivo::SheetAction>(), kivo::SheetAction::CloseSelf);
}

TEST(ProgressSheetTest, OnlyClosingForTheHostsQuitQuits)
{
    kivo::ProgressSheet progress;
    QSignalSpy quit(&progress, &kivo::ProgressSheet::quitRequested);
    kivo::ProgressOptions options;
    options.message = QStringLiteral("x");
    progress.openSheet(options, nullptr);
    progress.closeProgress();
    EXPECT_EQ(quit.size(), 0);
    progress.openSheet(options, nullptr);
    progress.closeForQuit();
    EXPECT_EQ(quit.size(), 1);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(progress.statusLabel()->text().isEmpty());
}
