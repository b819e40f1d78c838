#include "PhotoTreeFixture.h"

#include "search/FileNameIndex.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace kivo;

namespace {

// Reading a folder fails part-way, as on a share that drops mid-listing: readdir() fails (EIO)
// where it would give the entry named g_failingName (none when null).
std::atomic<const char*> g_failingName{nullptr};
std::atomic<int> g_readsFailed{0};

} // namespace

extern "C" dirent* readdir(DIR* dir)
{
    static const auto real = reinterpret_cast<dirent* (*)(DIR*)>(dlsym(RTLD_NEXT, "readdir"));
    dirent* entry = real(dir);
    const char* failing = g_failingName;
    if (entry && failing && std::strcmp(entry->d_name, failing) == 0) {
        ++g_readsFailed;
        errno = EIO;
        return nullptr;
    }
    return entry;
}

namespace {

// Sets the modification time of every folder below (and of) FOLDER back by a minute, as if the
// camera stations had last written long ago: the index then counts the folders as settled.
void ageFolders(const QString& folder)
{
    const time_t old = time(nullptr) - 60;
    const utimbuf times{old, old};
    QStringList folders{folder};
    for (qsizetype i = 0; i < folders.size(); ++i) {
        for (const QString& sub : QDir(folders[i]).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            folders.append(folders[i] + QLatin1Char('/') + sub);
        utime(QFile::encodeName(folders[i]).constData(), &times);
    }
}

TEST(FileNameIndex, AnswersNamePrefixesOrderedByFileName)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    FileNameIndex index;
    const QStringList expected{tree.path("12-05-2026/123456_10.jpeg"), tree.path("123456_2.jpg"),
                               tree.path("123456_B.JPG")};
    // The same answers while the folders are still settling (their names scanned in listing
    // order) and once they have settled (their names sorted and searched).
    for (const bool settled : {false, true}) {
        if (settled) {
            ageFolders(tree.folder);
            index.lookup(tree.folder, {QStringLiteral("1")}); // lists them once more, settled
        }
        SCOPED_TRACE(settled ? "settled" : "settling");
        EXPECT_EQ(index.lookup(tree.folder, {QStringLiteral("123456")}), expected);
        EXPECT_EQ(index.lookup(tree.folder, {QStringLiteral("[123456]")}), expected);
        EXPECT_EQ(index.lookup(tree.folder + QLatin1Char('/'), {QStringLiteral("123456_b")}),
                  QStringList{tree.path("123456_B.JPG")});
        EXPECT_EQ(index.lookup(tree.folder, {QStringLiteral("654321"), QStringLiteral("123456_2")}),
                  (QStringList{tree.path("123456_2.jpg"), tree.path("12-05-2026/654321_1.jpg")}));
        // Only the day folder when asked for it.
        EXPECT_EQ(index.lookup(tree.path("12-05-2026"), {QStringLiteral("123456")}),
                  QStringList{tree.path("12-05-2026/123456_10.jpeg")});
        EXPECT_TRUE(index.lookup(tree.folder, {QStringLiteral("999999")}).isEmpty());
        EXPECT_TRUE(index.lookup(tree.folder, {QString()}).isEmpty());
    }
    EXPECT_TRUE(index.lookup(root.file(QStringLiteral("absent")), {QStringLiteral("1")}).isEmpty());
    // A folder whose name begins with the one asked for is not below it.
    tree.addPhoto(QStringLiteral("12-05-2026-b/123456_77.jpg"));
    EXPECT_EQ(index.lookup(tree.path("12-05-2026"), {QStringLiteral("123456")}),
              QStringList{tree.path("12-05-2026/123456_10.jpeg")});
}

TEST(FileNameIndex, SeesFilesAndFoldersChangedSinceItWasBuilt)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    FileNameIndex index;
    index.prepare(tree.folder);
    const qsizetype names = index.statistics().names;
    EXPECT_EQ(names, 8);

    // Added a moment after the index was built: found at the next lookup.
    tree.addPhoto(QStringLiteral("123456_C.jpg"));
    EXPECT_TRUE(
        index.lookup(tree.folder, {QStringLiteral("123456")}).contains(tree.path("123456_C.jpg")));
    // A new folder, a removed photo, a removed folder.
    tree.addPhoto(QStringLiteral("12-06-2026/inner/123456_20.jpg"));
    QFile::remove(tree.path("123456_2.jpg"));
    QDir(tree.path("12-05-2026")).removeRecursively();
    EXPECT_EQ(index.lookup(tree.folder, {QStringLiteral("123456")}),
              (QStringList{tree.path("12-06-2026/inner/123456_20.jpg"), tree.path("123456_B.JPG"),
                           tree.path("123456_C.jpg")}));
    // A folder replaced by another of the same name.
    QDir(tree.path("12-06-2026")).removeRecursively();
    tree.addPhoto(QStringLiteral("12-06-2026/123456_30.jpg"));
    EXPECT_TRUE(index.lookup(tree.folder, {QStringLiteral("123456_3")})
                    .contains(tree.path("12-06-2026/123456_30.jpg")));
    EXPECT_TRUE(index.lookup(tree.folder, {QStringLiteral("123456_20")}).isEmpty());
}

TEST(FileNameIndex, ListsAgainOnlyTheFoldersThatChanged)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    ageFolders(tree.folder);
    FileNameIndex index;
    index.prepare(tree.folder);
    EXPECT_EQ(index.statistics().folders, 3);
    index.lookup(tree.folder, {QStringLiteral("1")});
    EXPECT_EQ(index.statistics().foldersListedByLastLookup, 0);

    tree.addPhoto(QStringLiteral("party-123456/123456_x.jpg"));
    EXPECT_EQ(index.lookup(tree.folder, {QStringLiteral("123456_x")}),
              QStringList{tree.path("party-123456/123456_x.jpg")});
    EXPECT_EQ(index.statistics().foldersListedByLastLookup, 1);
}

TEST(FileNameIndex, WithoutChangeEventsChangesInAnyFolderAreSeenWithinTheCheckTime)
{
    // As on a share that camera stations on other hosts write into: no change events arrive,
    // and a lookup looks at no folder on disk; the background check must still see a photo
    // added to, and a folder removed from, a tree of a season's folders.
    test::TestRoot root;
    const QString images = root.folder(QStringLiteral("images"));
    auto day = [&](int i) {
        return images + QStringLiteral("/day%1").arg(i, 4, 10, QLatin1Char('0'));
    };
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(QDir().mkdir(day(i)));
    ASSERT_TRUE(QFile(day(5) + QStringLiteral("/555555_1.jpg")).open(QIODevice::WriteOnly));
    ageFolders(images);
    FileNameIndex index;
    index.setChangeEventsForTesting(false);
    EXPECT_EQ(index.lookup(images, {QStringLiteral("555555")}),
              QStringList{day(5) + QStringLiteral("/555555_1.jpg")});
    EXPECT_EQ(index.statistics().folders, 2001);

    const QString added = day(1998) + QStringLiteral("/555555_2.jpg");
    ASSERT_TRUE(QFile(added).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(day(5)).removeRecursively());
    const int boundMs = 10000;
    QElapsedTimer waited;
    waited.start();
    QStringList found;
    while (found != QStringList{added} && waited.elapsed() < boundMs) {
        QThread::msleep(50);
        found = index.lookup(images, {QStringLiteral("555555")});
    }
    EXPECT_EQ(found, QStringList{added}) << "not within " << boundMs << " ms";
}

TEST(FileNameIndex, FoldersThatStopAnsweringForAMomentAreFoundAgainByThemselves)
{
    // The file server going away for a moment: a day folder, or the whole images folder, is
    // reached through a link to a server folder that stops answering and comes back. While it is
    // away the index keeps what it knew; once it is back, its photos (and one written meanwhile)
    // are found within the check time, by themselves, with no change to the folders above it.
    struct Case
    {
        const char* name;
        bool changeEvents;
        bool wholeFolder;
        bool writtenMeanwhile; // a photo added above the day folder, or inside the images folder
    };
    const Case cases[] = {
        {"day folder, change events", true, false, false},
        {"day folder, no change events", false, false, false},
        {"day folder, its parent changed meanwhile, no change events", false, false, true},
        {"images folder, written meanwhile, no change events", false, true, true},
    };
    test::TestRoot root;
    struct Station
    {
        const Case& c;
        QString images;
        QString server; // the server's side of what goes away
        std::unique_ptr<FileNameIndex> index;
        QStringList expected;
    };
    std::vector<Station> stations;
    for (const Case& c : cases) {
        const QString n = QString::number(stations.size());
        Station s{
            c, root.file(QStringLiteral("images") + n), {}, std::make_unique<FileNameIndex>(), {}};
        if (c.wholeFolder) {
            s.server = root.folder(QStringLiteral("server") + n + QStringLiteral("/images"));
            test::writeFile(s.server + QStringLiteral("/day1/111111_1.jpg"), {});
            test::writeFile(s.server + QStringLiteral("/day2/222222_1.jpg"), {});
            ASSERT_TRUE(QFile::link(s.server, s.images));
        } else {
            s.server = root.folder(QStringLiteral("server") + n + QStringLiteral("/day2"));
            test::writeFile(s.images + QStringLiteral("/day1/111111_1.jpg"), {});
            test::writeFile(s.server + QStringLiteral("/222222_1.jpg"), {});
            ASSERT_TRUE(QFile::link(s.server, s.images + QStringLiteral("/day2")));
        }
        ageFolders(root.path());
        s.index->setChangeEventsForTesting(c.changeEvents);
        s.expected = QStringList{s.images + QStringLiteral("/day1/111111_1.jpg"),
                                 s.images + QStringLiteral("/day2/222222_1.jpg")};
        ASSERT_EQ(s.index->lookup(s.images, {QStringLiteral("1"), QStringLiteral("2")}),
                  s.expected);
        stations.push_back(std::move(s));
    }
    const QStringList ids{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};

    for (Station& s : stations) {
        ASSERT_TRUE(QDir().rename(s.server, s.server + QStringLiteral("-away")));
        if (s.c.writtenMeanwhile) {
            const QString above =
                s.c.wholeFolder ? s.server + QStringLiteral("-away/day1") : s.images;
            test::writeFile(above + QStringLiteral("/333333_1.jpg"), {});
            s.expected.append((s.c.wholeFolder ? s.images + QStringLiteral("/day1") : s.images) +
                              QStringLiteral("/333333_1.jpg"));
        }
    }
    // Long enough for two background checks to find the folders gone.
    QElapsedTimer away;
    away.start();
    std::vector<qsizetype> fewestWhileAway(stations.size(), 2);
    while (away.elapsed() < 2 * FileNameIndex::kCheckSeconds * 1000 + 500) {
        for (size_t i = 0; i < stations.size(); ++i) {
            fewestWhileAway[i] = std::min(
                fewestWhileAway[i], stations[i].index->lookup(stations[i].images, ids).size());
        }
        QThread::msleep(100);
    }
    // What was known is served while the server is away, unless the folder above the day folder
    // was listed meanwhile and found no day folder there.
    for (size_t i = 0; i < stations.size(); ++i) {
        if (!(stations[i].c.writtenMeanwhile && !stations[i].c.wholeFolder)) {
            EXPECT_EQ(fewestWhileAway[i], 2) << stations[i].c.name << ": while away";
        }
    }

    for (Station& s : stations)
        ASSERT_TRUE(QDir().rename(s.server + QStringLiteral("-away"), s.server));
    const int boundMs = 2 * FileNameIndex::kCheckSeconds * 1000 + 1000;
    QElapsedTimer back;
    back.start();
    std::vector<QStringList> found(stations.size());
    for (bool all = false; !all && back.elapsed() < boundMs; QThread::msleep(50)) {
        all = true;
        for (size_t i = 0; i < stations.size(); ++i) {
            found[i] = stations[i].index->lookup(stations[i].images, ids);
            all = all && found[i] == stations[i].expected;
        }
    }
    for (size_t i = 0; i < stations.size(); ++i) {
        EXPECT_EQ(found[i], stations[i].expected)
            << stations[i].c.name << ": not within " << boundMs << " ms of the server's return";
    }
}

TEST(FileNameIndex, AFolderNotReadWhenFirstListedIsReadOnceItAnswers)
{
    // A day folder that fails to be read while the index is built (a share dropping mid-listing,
    // or refusing to open a folder) is read by the background check once it answers, with no
    // change to the folder above it; a folder read only part-way is not taken for all it holds.
    for (const bool partWay : {true, false}) {
        SCOPED_TRACE(partWay ? "read part-way" : "not opened");
        test::TestRoot root;
        const QString images = root.folder(QStringLiteral("images"));
        const QStringList all{images + QStringLiteral("/day1/111111_1.jpg"),
                              images + QStringLiteral("/day2/222222_1.jpg"),
                              images + QStringLiteral("/day2/222222_2.jpg")};
        for (const QString& photo : all)
            test::writeFile(photo, {});
        ageFolders(images);
        const QByteArray day2 = QFile::encodeName(images + QStringLiteral("/day2"));
        const int failedBefore = g_readsFailed;
        // Root opens any folder: then the index is built as another user (every thread of the
        // process changes user together).
        const bool asRoot = !partWay && geteuid() == 0;
        if (partWay) {
            g_failingName = "222222_2.jpg";
        } else {
            ASSERT_EQ(chmod(QFile::encodeName(root.path()).constData(), 0755), 0);
            ASSERT_EQ(chmod(day2.constData(), 0), 0);
            if (asRoot && seteuid(65534) != 0)
                GTEST_SKIP() << "cannot build the index as another user than root";
        }
        FileNameIndex index;
        const QStringList ids{QStringLiteral("1"), QStringLiteral("2")};
        const QStringList first = index.lookup(images, ids);
        g_failingName = nullptr;
        if (asRoot) {
            ASSERT_EQ(seteuid(0), 0);
        }
        ASSERT_EQ(chmod(day2.constData(), 0755), 0);
        if (partWay) {
            ASSERT_GT(g_readsFailed, failedBefore) << "the listing did not fail";
        }
        EXPECT_EQ(first, QStringList{all[0]});

        const int boundMs = 2 * FileNameIndex::kCheckSeconds * 1000 + 1000;
        QElapsedTimer waited;
        waited.start();
        QStringList found;
        while (found != all && waited.elapsed() < boundMs) {
            QThread::msleep(50);
            found = index.lookup(images, ids);
        }
        EXPECT_EQ(found, all) << "not within " << boundMs << " ms";
    }
}

TEST(FileNameIndex, NewFolderReusingADeletedFoldersInodeIsListed)
{
    // ext4 hands a deleted folder's inode to the next folder made. The index must not take the
    // new folder for a second path to the deleted one (a link loop), here in a sibling folder
    // that is listed before the deleted folder's parent is seen to change.
    test::TestRoot root;
    test::PhotoTree tree(root);
    QDir().mkpath(tree.path("a"));
    QDir().mkpath(tree.path("b/day"));
    FileNameIndex index;
    index.prepare(tree.folder);
    struct stat old;
    ASSERT_EQ(stat(QFile::encodeName(tree.path("b/day")).constData(), &old), 0);
    ASSERT_TRUE(QDir(tree.path("b/day")).removeRecursively());
    QString reused;
    for (int i = 0; i < 50 && reused.isEmpty(); ++i) {
        const QString candidate = tree.path(QStringLiteral("a/day%1").arg(i));
        const QByteArray bytes = QFile::encodeName(candidate);
        struct stat st;
        ASSERT_EQ(mkdir(bytes.constData(), 0755), 0);
        ASSERT_EQ(stat(bytes.constData(), &st), 0);
        if (st.st_ino == old.st_ino && st.st_dev == old.st_dev)
            reused = candidate;
        else
            rmdir(bytes.constData());
    }
    if (reused.isEmpty())
        GTEST_SKIP() << "this file system did not reuse the deleted folder's inode";
    tree.addPhoto(reused.mid(tree.folder.size() + 1) + QStringLiteral("/777777_1.jpg"));
    for (int lookup = 0; lookup < 2; ++lookup) {
        EXPECT_EQ(index.lookup(tree.folder, {QStringLiteral("777777")}),
                  QStringList{reused + QStringLiteral("/777777_1.jpg")});
    }
}

TEST(FileNameIndex, LinkLoopsAreIndexedOnce)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    ASSERT_TRUE(QFile::link(tree.folder, tree.path("12-05-2026/loop")));
    FileNameIndex index;
    EXPECT_EQ(index.lookup(tree.folder, {QStringLiteral("654321")}),
              QStringList{tree.path("12-05-2026/654321_1.jpg")});
    EXPECT_EQ(index.statistics().folders, 3);
}

} // namespace
