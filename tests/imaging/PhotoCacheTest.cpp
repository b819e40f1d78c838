#include "imaging/ImageLoader.h"
#include "imaging/PhotoPreparation.h"
#include "imaging/ThumbnailCache.h"
#include "imaging/ThumbnailLoader.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

using namespace kivo;

namespace {

const QSize kThumb(150, 150);
const QSize kPreview(600, 600);
// The worker runs at the lowest priority: on a busy machine it may wait long for a core.
constexpr int kIdleMs = 60000;

std::shared_ptr<ThumbnailCache> makeCache(const test::TestRoot& root, qint64 limit = 1 << 30)
{
    return std::make_shared<ThumbnailCache>(root.file(QStringLiteral("cache")), limit,
                                            QList<QSize>{kPreview, kThumb});
}

QString photo(const test::TestRoot& root, const QString& name, int orientation = 1,
              QSize size = QSize(1200, 800))
{
    const QString path = root.file(name);
    test::writeJpeg(path, test::markedImage(size.width(), size.height()), orientation);
    return path;
}

void setMtime(const QString& path, qint64 seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

QImage solid(const QColor& color, QSize size = QSize(150, 100))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// What a loader with CACHE hands back for PATH at SIZE; null when nothing came.
QImage loadThumbnail(const std::shared_ptr<ThumbnailCache>& cache, const QString& path, QSize size)
{
    ThumbnailLoader loader;
    loader.setCache(cache);
    QSignalSpy spy(&loader, &ThumbnailLoader::thumbnailLoaded);
    loader.requestThumbnail(path, size);
    return test::waitUntil([&] { return spy.size() == 1; }) ? spy.at(0).at(1).value<QImage>()
                                                            : QImage();
}

// Stands for a share that stopped answering: reads of files named "stuck" wait until let go.
std::atomic<bool> shareBack{false};
void hangOnStuck(const QString& path)
{
    while (path.contains(QLatin1String("stuck")) && !shareBack)
        QThread::msleep(5);
}

} // namespace

// An entry belongs to one path, size and modification time: a change to any of them misses.
TEST(ThumbnailCache, EntryIsFoundOnlyForThePhotoAsItWas)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString path = photo(root, QStringLiteral("a.jpg"));
    const qint64 taken = 1700000000;
    const std::pair<const char*, std::function<QString()>> changes[] = {
        {"nothing", [&] { return path; }},
        {"path",
         [&] {
             const QString other = root.file(QStringLiteral("b.jpg"));
             QFile::copy(path, other);
             setMtime(other, taken);
             return other;
         }},
        {"mtime",
         [&] {
             setMtime(path, taken + 1);
             return path;
         }},
        {"size",
         [&] {
             QFile f(path);
             f.open(QIODevice::Append);
             f.write("tail");
             f.close();
             setMtime(path, taken);
             return path;
         }},
    };
    for (const auto& [what, change] : changes) {
        setMtime(path, taken);
        ASSERT_TRUE(cache->store(path, PhotoStamp::of(path), kThumb, solid(Qt::green)));
        EXPECT_EQ(cache->find(change(), kThumb).isNull(), qstrcmp(what, "nothing") != 0) << what;
    }
}

// Past the limit the entries used least recently go first; an entry used since stays.
TEST(ThumbnailCache, TrimRemovesTheLeastRecentlyUsed)
{
    test::TestRoot root;
    QStringList photos, entries;
    for (int i = 0; i < 6; ++i)
        photos << photo(root, QStringLiteral("p%1.jpg").arg(i), 1, QSize(300, 200));
    auto probe = makeCache(root);
    for (const QString& p : photos) {
        ASSERT_TRUE(probe->store(p, PhotoStamp::of(p), kThumb, test::markedImage(150, 100)));
        entries << probe->entryPath(p, PhotoStamp::of(p), kThumb);
    }
    const qint64 entrySize = QFileInfo(entries.first()).size();
    // Stored at one-minute steps; then the oldest is used.
    for (int i = 0; i < 6; ++i)
        setMtime(entries[i], 1700000000 + 60 * i);
    ASSERT_FALSE(probe->find(photos[0], kThumb).isNull());

    ThumbnailCache cache(root.file(QStringLiteral("cache")), entrySize * 4, {kPreview, kThumb});
    cache.trim();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(QFileInfo::exists(entries[i]), i == 0 || i >= 4) << i;
    EXPECT_LE(cache.usage().bytes, entrySize * 4);
    EXPECT_EQ(cache.usage().entries, 3);
}

// A reader racing a writer of the same entry meets the old entry or the new one, never a part
// (which it would take for damaged and remove); nothing temporary is left.
TEST(ThumbnailCache, ReaderNeverMeetsHalfAnEntry)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString path = photo(root, QStringLiteral("a.jpg"));
    const PhotoStamp stamp = PhotoStamp::of(path);
    const QImage big = test::markedImage(600, 400);
    ASSERT_TRUE(cache->store(path, stamp, kPreview, big));
    std::atomic<bool> done{false};
    std::atomic<int> misses{0};
    std::thread reader([&] {
        while (!done)
            misses += cache->find(path, kPreview).isNull();
    });
    for (int i = 0; i < 100; ++i)
        cache->store(path, stamp, kPreview, big);
    done = true;
    reader.join();
    EXPECT_EQ(misses, 0);
    EXPECT_EQ(filesBelow(root.file(QStringLiteral("cache"))).size(), 1);
}

// A damaged entry is removed when met; the worker makes it again.
TEST(PhotoPreparation, DamagedEntryIsRemovedAndMadeAgain)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString path = photo(root, QStringLiteral("a.jpg"));
    PhotoPreparation worker(cache);
    worker.setStableInterval(0);
    worker.setQuietInterval(0);
    worker.enqueue({path});
    ASSERT_TRUE(worker.waitUntilIdle(kIdleMs));
    const QString entry = cache->entryPath(path, PhotoStamp::of(path), kPreview);
    ASSERT_TRUE(QFile::resize(entry, QFileInfo(entry).size() / 2));

    EXPECT_TRUE(cache->find(path, kPreview).isNull());
    EXPECT_FALSE(QFileInfo::exists(entry));
    worker.enqueue({path});
    ASSERT_TRUE(worker.waitUntilIdle(kIdleMs));
    EXPECT_EQ(cache->find(path, kPreview).size(), QSize(600, 400));
    EXPECT_EQ(worker.counts().prepared, 2);
}

// Every bound gets its upright entry from one decode; a photo cut short gets none (and is not
// tried again until it changes); a photo smaller than the preview is kept whole and serves any
// size.
TEST(PhotoPreparation, MakesUprightEntriesAndSkipsDamagedPhotos)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString turned = photo(root, QStringLiteral("turned.jpg"), 6);
    const QString small = photo(root, QStringLiteral("small.jpg"), 1, QSize(400, 300));
    const QString cut = photo(root, QStringLiteral("cut.jpg"));
    ASSERT_TRUE(QFile::resize(cut, QFileInfo(cut).size() * 2 / 3));
    const QString text = root.file(QStringLiteral("notes.jpg"));
    test::writeFile(text, "not a photo");
    PhotoPreparation worker(cache);
    worker.setStableInterval(0);
    worker.setQuietInterval(0);
    worker.enqueue({turned, small, cut, text});
    ASSERT_TRUE(worker.waitUntilIdle(kIdleMs));

    EXPECT_EQ(worker.counts().prepared, 2);
    EXPECT_EQ(worker.counts().failed, 2);
    const QImage thumb = cache->find(turned, kThumb);
    EXPECT_EQ(thumb.size(), QSize(100, 150));
    EXPECT_EQ(test::redCorner(thumb), test::Corner::TopRight);
    EXPECT_EQ(cache->find(turned, kPreview).size(), QSize(400, 600));
    EXPECT_EQ(cache->find(small, QSize(1000, 1000)).size(), QSize(400, 300));
    EXPECT_FALSE(cache->isPrepared(cut));
    worker.enqueue({cut});
    ASSERT_TRUE(worker.waitUntilIdle(kIdleMs));
    EXPECT_EQ(worker.counts().failed, 2);
}

// A photo still being written is taken only once its size has stayed put for the interval; the
// worker waits while the screens load a customer's photos.
TEST(PhotoPreparation, WaitsForAPhotoToSettleAndForTheScreens)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString source = photo(root, QStringLiteral("source.jpg"));
    const QByteArray bytes = test::readFile(source);
    const QString path = root.file(QStringLiteral("arriving.jpg"));
    test::writeFile(path, bytes.left(bytes.size() / 2));
    PhotoPreparation worker(cache);
    worker.setStableInterval(400);
    worker.setQuietInterval(600);
    worker.enqueue({path});
    QThread::msleep(250);
    test::writeFile(path, bytes);
    QThread::msleep(250);
    // 500 ms after it first came, 250 ms after it last grew: not yet.
    EXPECT_FALSE(cache->isPrepared(path));
    worker.holdOff();
    EXPECT_TRUE(worker.isPaused());
    QThread::msleep(450); // due by now, but held off

    EXPECT_FALSE(cache->isPrepared(path));
    ASSERT_TRUE(worker.waitUntilIdle(kIdleMs));
    EXPECT_TRUE(cache->isPrepared(path));
    EXPECT_EQ(worker.counts().failed, 0);
}

// A read that stalls (a share gone away) holds every photo back, so that reads given up on do
// not pile up while it stays away.
TEST(PhotoPreparation, StalledReadHoldsThePhotosBack)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString stuck = photo(root, QStringLiteral("stuck.jpg"));
    const QString fine = photo(root, QStringLiteral("fine.jpg"));
    shareBack = false;
    setPhotoReadHook(hangOnStuck);
    setPhotoReadStallLimit(100);
    {
        PhotoPreparation worker(cache);
        worker.setStableInterval(0);
        worker.setQuietInterval(0);
        worker.enqueue({stuck, fine});
        ASSERT_TRUE(test::waitUntil([&] { return worker.isPaused(); }, kIdleMs));
        QThread::msleep(300);
        EXPECT_FALSE(cache->isPrepared(fine));
        EXPECT_EQ(worker.counts().failed, 0);
    }
    shareBack = true;
    setPhotoReadHook(nullptr);
    setPhotoReadStallLimit(0);
}

// A cache that cannot be written: the station goes on (the loader decodes the camera file), the
// state handler says so, and once the folder can be written again the waiting photos get their
// entries and the state clears by itself.
TEST(PhotoPreparation, UnwritableCacheRecoversByItself)
{
    test::TestRoot root;
    const QString blocker = root.file(QStringLiteral("blocked"));
    test::writeFile(blocker, "a file where the folder would go");
    auto cache = std::make_shared<ThumbnailCache>(root.file(QStringLiteral("blocked/cache")),
                                                  1 << 30, QList<QSize>{kThumb});
    cache->setRetryInterval(300);
    std::mutex mutex;
    QStringList states;
    cache->setStateHandler([&](const QString& problem) {
        const std::lock_guard lock(mutex);
        states << problem;
    });
    const QString path = photo(root, QStringLiteral("a.jpg"));
    PhotoPreparation worker(cache);
    worker.setStableInterval(0);
    worker.setQuietInterval(0);
    worker.enqueue({path, photo(root, QStringLiteral("b.jpg"))});
    ASSERT_TRUE(test::waitUntil([&] { return !cache->writeProblem().isEmpty(); }, kIdleMs));
    EXPECT_TRUE(cache->writeProblem().contains(QLatin1String("blocked/cache")));
    EXPECT_EQ(loadThumbnail(cache, path, kThumb).size(), QSize(150, 100));

    ASSERT_TRUE(QFile::remove(blocker));
    ASSERT_TRUE(worker.waitUntilIdle(kIdleMs));
    EXPECT_EQ(worker.counts().prepared, 2);
    EXPECT_TRUE(cache->isPrepared(path));
    EXPECT_TRUE(cache->writeProblem().isEmpty());
    const std::lock_guard lock(mutex);
    ASSERT_EQ(states.size(), 2);
    EXPECT_FALSE(states.first().isEmpty());
    EXPECT_TRUE(states.last().isEmpty());
}

// What lies in an entry's place is used only when it is that photo's entry: a link (to another
// entry, to a device), a pipe or another photo's entry is removed and the camera file decoded,
// and the loader goes on to the next photo.
TEST(ThumbnailLoader, PassesOverWhatIsNotThePhotosEntry)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString path = photo(root, QStringLiteral("a.jpg"));
    const QString other = photo(root, QStringLiteral("b.jpg"));
    ASSERT_TRUE(cache->store(other, PhotoStamp::of(other), kThumb, solid(Qt::green)));
    const QString otherEntry = cache->entryPath(other, PhotoStamp::of(other), kThumb);
    const QString entry = cache->entryPath(path, PhotoStamp::of(path), kThumb);
    const QByteArray name = QFile::encodeName(entry);
    const std::pair<const char*, std::function<bool()>> plants[] = {
        {"link to another entry", [&] { return QFile::link(otherEntry, entry); }},
        {"another photo's entry", [&] { return QFile::copy(otherEntry, entry); }},
        {"link to a device", [&] { return QFile::link(QStringLiteral("/dev/zero"), entry); }},
        {"pipe", [&] { return ::mkfifo(name.constData(), 0644) == 0; }},
    };
    for (const auto& [what, plant] : plants) {
        QDir().mkpath(QFileInfo(entry).path());
        ASSERT_TRUE(plant()) << what;
        const QImage image = loadThumbnail(cache, path, kThumb);
        ASSERT_EQ(image.size(), QSize(150, 100)) << what;
        EXPECT_EQ(test::redCorner(image), test::Corner::TopLeft) << what;
        struct stat st;
        EXPECT_NE(::lstat(name.constData(), &st), 0) << what;
    }
    EXPECT_FALSE(cache->find(other, kThumb).isNull());
}

// The loader takes a current entry first and the camera file only when there is none.
TEST(ThumbnailLoader, TakesTheCacheEntryFirst)
{
    test::TestRoot root;
    auto cache = makeCache(root);
    const QString path = photo(root, QStringLiteral("a.jpg"));
    ASSERT_TRUE(cache->store(path, PhotoStamp::of(path), kPreview, solid(Qt::green, {600, 400})));
    const QImage cached = loadThumbnail(cache, path, QSize(300, 300)); // the preview's, reduced
    ASSERT_EQ(cached.size(), QSize(300, 200));
    EXPECT_GT(cached.pixelColor(150, 100).green(), 200);
    EXPECT_LT(cached.pixelColor(150, 100).red(), 60);
    const QImage decoded = loadThumbnail(cache, path, QSize(1200, 1200)); // no entry that large
    EXPECT_EQ(test::redCorner(decoded), test::Corner::TopLeft);
}
