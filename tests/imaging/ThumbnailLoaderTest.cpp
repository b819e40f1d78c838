#include "imaging/ThumbnailLoader.h"
#include "core/FileNames.h"
#include "imaging/ImageFileType.h"
#include "imaging/ImageHeader.h"
#include "imaging/ImageLoader.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kivo;

namespace {

struct Result
{
    QImage image;
    QString reason;
};

QMap<QString, Result> results(const QSignalSpy& spy)
{
    QMap<QString, Result> byPath;
    for (const auto& args : spy)
        byPath.insert(args.at(0).toString(), {args.at(1).value<QImage>(), args.at(2).toString()});
    return byPath;
}

// Stands for a network share that stopped answering: a read of a file whose name holds
// "stuck" waits until the test lets go.
std::atomic<bool> shareAnswers{false};
std::atomic<int> stuckReads{0};
void hangOnStuckFiles(const QString& path)
{
    if (!path.contains(QLatin1String("stuck")))
        return;
    ++stuckReads;
    while (!shareAnswers)
        QThread::msleep(5);
}

} // namespace

// Named pipes and folders named like photos (one pipe with a writer that never writes) are
// refused before anything waits on them, well inside the read's stall limit, and both pool
// threads stay free for the real photos behind them.
TEST(ThumbnailLoader, FilesThatAreNotRegularAreRefusedAtOnceAndLaterPhotosLoad)
{
    test::TestRoot root;
    const QString pipe = root.file(QStringLiteral("pipe.jpg"));
    const QString held = root.file(QStringLiteral("held.jpg"));
    const QString bare = root.file(QStringLiteral("pipe"));
    const QString folder = root.folder(QStringLiteral("folder.jpg"));
    for (const QString& p : {pipe, held, bare})
        ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
    const int writer = ::open(QFile::encodeName(held).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const QString a = root.file(QStringLiteral("a.jpg"));
    const QString b = root.file(QStringLiteral("b.jpg"));
    test::writeJpeg(a, test::markedImage(900, 600), 6);
    test::writeJpeg(b, test::markedImage(300, 200), 1);

    QElapsedTimer clock;
    clock.start();
    ThumbnailLoader loader;
    QSignalSpy spy(&loader, &ThumbnailLoader::thumbnailLoaded);
    for (const QString& p : {pipe, held, folder, a, b})
        loader.requestThumbnail(p, QSize(150, 150));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 5; }, kDefaultPhotoReadStallMs / 2));
    const auto byPath = results(spy);
    for (const QString& p : {pipe, held, folder}) {
        EXPECT_TRUE(byPath.value(p).image.isNull()) << p.toStdString();
        EXPECT_EQ(byPath.value(p).reason, QStringLiteral("not a regular file"));
    }
    EXPECT_EQ(byPath.value(a).image.size(), QSize(100, 150));
    EXPECT_EQ(test::redCorner(byPath.value(a).image), test::Corner::TopRight);
    EXPECT_EQ(byPath.value(b).image.size(), QSize(150, 100));

    // The file-type check refuses them as quickly.
    EXPECT_FALSE(isImageFile(bare));
    EXPECT_LT(clock.elapsed(), kDefaultPhotoReadStallMs / 2);
    ::close(writer);
}

// A camera station writing Latin-1 names: the search hands the name over with its odd byte kept,
// and every reader of the photo opens that very file.
TEST(ThumbnailLoader, APhotoWhoseNameIsNotUtf8IsRead)
{
    test::TestRoot root;
    const QString written = root.file(QStringLiteral("written.jpg"));
    test::writeJpeg(written, test::markedImage(300, 200), 6);
    const QByteArray bytes = QFile::encodeName(root.path()) + "/100002_caf\xe9.jpg";
    ASSERT_EQ(::rename(QFile::encodeName(written).constData(), bytes.constData()), 0);
    const QString path = decodeFileName(bytes.toStdString());

    ThumbnailLoader loader;
    QSignalSpy spy(&loader, &ThumbnailLoader::thumbnailLoaded);
    loader.requestThumbnail(path, QSize(400, 400)); // upright, and never enlarged
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.at(0).at(1).value<QImage>().size(), QSize(200, 300))
        << spy.at(0).at(2).toString().toStdString();
    const auto header = readImageHeader(path);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->orientation, 6);
}

// Two reads that never finish take both pool threads; each is given up at the stall limit and
// the photos behind them still load. A loader destroyed while a read hangs goes at once.
TEST(ThumbnailLoader, StalledReadsAreAbandonedAndNeverHoldTheLoader)
{
    test::TestRoot root;
    const QString a = root.file(QStringLiteral("a.jpg"));
    test::writeJpeg(a, test::markedImage(300, 200), 1);
    const QString stuck1 = root.file(QStringLiteral("stuck1.jpg"));
    const QString stuck2 = root.file(QStringLiteral("stuck2.jpg"));
    const QString stuck3 = root.file(QStringLiteral("stuck3.jpg"));
    for (const QString& p : {stuck1, stuck2, stuck3})
        QFile::copy(a, p);
    shareAnswers = false;
    stuckReads = 0;
    setPhotoReadHook(hangOnStuckFiles);
    setPhotoReadStallLimit(300);

    QElapsedTimer clock;
    clock.start();
    {
        ThumbnailLoader loader;
        QSignalSpy spy(&loader, &ThumbnailLoader::thumbnailLoaded);
        for (const QString& p : {stuck1, stuck2, a})
            loader.requestThumbnail(p, QSize(150, 150));
        ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 3; }, 3000));
        const auto byPath = results(spy);
        for (const QString& p : {stuck1, stuck2}) {
            EXPECT_TRUE(byPath.value(p).image.isNull());
            EXPECT_TRUE(byPath.value(p).reason.startsWith(QLatin1String("no data")))
                << byPath.value(p).reason.toStdString();
        }
        EXPECT_EQ(byPath.value(a).image.size(), QSize(150, 100));
        EXPECT_LT(clock.elapsed(), 2000);
    }
    {
        setPhotoReadStallLimit(60000);
        ThumbnailLoader loader;
        loader.requestThumbnail(stuck3, QSize(150, 150));
        ASSERT_TRUE(QTest::qWaitFor([&] { return stuckReads == 3; }, 3000));
        clock.restart();
    }
    EXPECT_LT(clock.elapsed(), 500);

    shareAnswers = true;
    setPhotoReadHook(nullptr);
    setPhotoReadStallLimit(0);
}
