#include "PhotoTreeFixture.h"

#include "search/FolderScan.h"
#include "search/NameFolding.h"
#include "search/PhotoSearchSteps.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kivo;

namespace {

QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}

TEST(FolderScan, IdAnywhereInTheRelativePathSelectsImagesOnly)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    const QStringList found = photosInFolder(tree.folder, {QStringLiteral("123456")}, true);
    EXPECT_EQ(sorted(found),
              sorted({tree.path("123456_B.JPG"), tree.path("123456_2.jpg"),
                      tree.path("12-05-2026/123456_10.jpeg"), tree.path("party-123456/guest.jpg"),
                      tree.path("x_123456.jpg")}));
    // Not deep: the folder's own entries only.
    EXPECT_EQ(
        sorted(photosInFolder(tree.folder, {QStringLiteral("123456")}, false)),
        sorted({tree.path("123456_B.JPG"), tree.path("123456_2.jpg"), tree.path("x_123456.jpg")}));
    // Two IDs, either matches; an empty ID matches nothing rather than everything.
    EXPECT_EQ(photosInFolder(tree.folder, {QStringLiteral("654321"), QString()}, true),
              QStringList{tree.path("12-05-2026/654321_1.jpg")});
    EXPECT_TRUE(photosInFolder(tree.folder, {QString()}, true).isEmpty());
}

TEST(FolderScan, CaseAndDiacriticsDoNotMatter)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    tree.addPhoto(QStringLiteral("Café_1.jpg"));
    tree.addPhoto(QString::fromUtf8("Cafe\xCC\x81_2.jpg")); // decomposed, as a Mac writes it
    const QStringList expected{tree.path(QStringLiteral("Café_1.jpg")),
                               tree.path(QString::fromUtf8("Cafe\xCC\x81_2.jpg"))};
    EXPECT_EQ(sorted(findImageFilesByPrefix(tree.folder, {QStringLiteral("CAFE")})),
              sorted(expected));
    EXPECT_EQ(sorted(photosInFolder(tree.folder, {QStringLiteral("fé_")}, true)), sorted(expected));

    EXPECT_EQ(search::trimmedSearchID(QStringLiteral("a/b/[123456]")), QStringLiteral("123456"));
}

TEST(FolderScan, MissingUnreadableAndLoopingFoldersEnd)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    EXPECT_TRUE(
        photosInFolder(root.file(QStringLiteral("absent")), {QStringLiteral("1")}, true).isEmpty());
    EXPECT_TRUE(findImageFilesByPrefix(root.file(QStringLiteral("absent")), {QStringLiteral("1")})
                    .isEmpty());

    // A link back to the images folder, and one to its parent: each folder is walked once.
    ASSERT_TRUE(QFile::link(tree.folder, tree.path("12-05-2026/loop")));
    ASSERT_TRUE(QFile::link(root.path(), tree.path("up")));
    ASSERT_TRUE(QFile::link(root.file(QStringLiteral("nowhere")), tree.path("123456_gone.jpg")));
    QStringList found = photosInFolder(tree.folder, {QStringLiteral("123456")}, true);
    EXPECT_EQ(found.size(), 5); // a dangling link is no photo
    EXPECT_EQ(found.removeDuplicates(), 0);
    EXPECT_EQ(findImageFilesByPrefix(tree.folder, {QStringLiteral("654321")}),
              QStringList{tree.path("12-05-2026/654321_1.jpg")});

    if (geteuid() != 0) { // root reads every folder
        const QString locked = tree.path("locked");
        QDir().mkpath(locked);
        tree.addPhoto(QStringLiteral("locked/123456_9.jpg"));
        ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0), 0);
        EXPECT_EQ(photosInFolder(tree.folder, {QStringLiteral("123456")}, true).size(), 5);
        EXPECT_TRUE(photosInFolder(locked, {QStringLiteral("123456")}, true).isEmpty());
        chmod(QFile::encodeName(locked).constData(), 0755);
    }
}

TEST(PhotoSort, ByFileNameWithoutExtensionIgnoringCase)
{
    const QStringList paths{"/i/b/123456_B.JPG", "/i/123456_10.jpg",  "/i/a/123456_2.jpg",
                            "/i/123456_1.png",   "/i/a/123456_1.jpg", "/i/123456.jpg"};
    EXPECT_EQ(sortedPhotoPaths(paths),
              (QStringList{"/i/123456.jpg", "/i/123456_1.png", "/i/a/123456_1.jpg",
                           "/i/123456_10.jpg", "/i/a/123456_2.jpg", "/i/b/123456_B.JPG"}));
    EXPECT_LT(localizedCompare("/x/123456_2.jpg", "/a/123456_B.JPG"), 0);
    EXPECT_EQ(localizedCompare("/x/a.jpg", "/x/a.jpg"), 0);
}

} // namespace
