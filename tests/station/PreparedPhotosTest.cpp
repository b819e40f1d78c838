#include "station/PreparedPhotos.h"
#include "core/Paths.h"
#include "core/SelfTest.h"
#include "core/Settings.h"
#include "imaging/PhotoPreparation.h"
#include "imaging/ThumbnailCache.h"
#include "imaging/ThumbnailLoader.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace kivo;

// Whatever the search method, today's photos in the searched folder are prepared: those there
// at the start and those that come later (found by the index's own look with method 1, by the
// station's look at the folder otherwise); a photo of an earlier day is not. The self-test
// tells how many are ready, and the screens' loaders look in the cache.
TEST(PreparedPhotos, TodaysPhotosArePreparedWhateverTheSearchMethod)
{
    for (const int method : {1, 2}) {
        test::TestRoot root;
        Settings& settings = Settings::instance();
        const QString images = root.folder(QStringLiteral("images"));
        settings.setMainImagesFolder(images);
        settings.setSearchDailySubFolder(false);
        settings.setSearchIdMethodTag(method);
        const QString early = images + QStringLiteral("/100001_01.jpg");
        const QString old = images + QStringLiteral("/100001_00.jpg");
        test::writeJpeg(early, test::markedImage(900, 600), 1);
        test::writeJpeg(old, test::markedImage(900, 600), 1);
        const timespec yesterday[2] = {{PreparedPhotos::startOfToday() - 3600, 0},
                                       {PreparedPhotos::startOfToday() - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(old).constData(), yesterday, 0), 0);

        PreparedPhotos prepared(settings, [] { return QSize(400, 400); });
        prepared.setScanInterval(100);
        prepared.start();
        prepared.worker()->setStableInterval(0);
        const auto cache = prepared.worker()->cache();
        EXPECT_EQ(ThumbnailLoader::sharedCache(), cache);
        ASSERT_TRUE(test::waitUntil([&] { return cache->isPrepared(early); }, 60000)) << method;

        const QString later = images + QStringLiteral("/100002_01.jpg");
        test::writeJpeg(later, test::markedImage(600, 900), 1);
        ASSERT_TRUE(test::waitUntil([&] { return cache->isPrepared(later); }, 60000)) << method;
        ASSERT_TRUE(prepared.worker()->waitUntilIdle(60000));
        EXPECT_FALSE(cache->isPrepared(old)) << method;
        EXPECT_EQ(cache->find(later, QSize(400, 400)).size(), QSize(266, 400));

        const CheckResult check = PreparedPhotos::cacheCheck(settings);
        EXPECT_TRUE(check.ok);
        EXPECT_TRUE(check.detail.startsWith(QStringLiteral("4 entries")))
            << check.detail.toStdString();
        EXPECT_TRUE(check.detail.endsWith(QStringLiteral("2 of 2 photos of today prepared")))
            << check.detail.toStdString();
    }
    EXPECT_EQ(ThumbnailLoader::sharedCache(), nullptr);
}

// A cache folder that cannot be written is reported for the staff, and the report goes away
// by itself once the folder can be written again.
TEST(PreparedPhotos, CacheThatCannotBeWrittenIsReportedUntilItCanAgain)
{
    test::TestRoot root;
    Settings& settings = Settings::instance();
    const QString images = root.folder(QStringLiteral("images"));
    settings.setMainImagesFolder(images);
    settings.setSearchDailySubFolder(false);
    settings.setSearchIdMethodTag(2);
    const QString blocker = paths::thumbnailCacheFolder();
    test::writeFile(blocker, "a file where the folder would go");
    test::writeJpeg(images + QStringLiteral("/100001_01.jpg"), test::markedImage(900, 600), 1);

    PreparedPhotos prepared(settings, [] { return QSize(400, 400); });
    QStringList reports;
    QObject::connect(&prepared, &PreparedPhotos::cacheProblemChanged,
                     [&](const QString& problem) { reports << problem; });
    prepared.setScanInterval(100);
    prepared.start();
    prepared.worker()->setStableInterval(0);
    ASSERT_TRUE(test::waitUntil([&] { return !prepared.cacheProblem().isEmpty(); }, 60000));
    ASSERT_TRUE(QFile::remove(blocker));
    prepared.worker()->cache()->setRetryInterval(100);
    ASSERT_TRUE(test::waitUntil([&] { return prepared.cacheProblem().isEmpty(); }, 60000));
    ASSERT_EQ(reports.size(), 2);
    EXPECT_TRUE(reports.first().contains(blocker)) << reports.first().toStdString();
}
