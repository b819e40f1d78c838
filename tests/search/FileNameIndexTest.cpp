#include "PhotoTreeFixture.h"

#include "search/FileNameIndex.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

using namespace kivo;

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
