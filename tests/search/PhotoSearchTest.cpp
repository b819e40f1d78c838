#include "PhotoTreeFixture.h"

#include "core/FileNames.h"
#include "core/Settings.h"
#include "search/FileNameIndex.h"
#include "search/FileNameIndexService.h"
#include "search/FolderScan.h"
#include "search/PhotoSearch.h"
#include "search/PhotoSearchSteps.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kivo;

namespace {

Settings& settings()
{
    return Settings::instance();
}

struct Outcome
{
    QStringList ids;
    QStringList photos;
    bool queryFailed = false;
    int emissions = 0;
};

// Runs one search and waits for its end; SETTLE more milliseconds to catch a second signal.
Outcome search(const QStringList& ids, int settleMs = 0, PhotoSearch* given = nullptr)
{
    PhotoSearch own(settings());
    PhotoSearch& photoSearch = given ? *given : own;
    QSignalSpy spy(&photoSearch, &PhotoSearch::searchFinished);
    Outcome out;
    EXPECT_TRUE(photoSearch.searchForPhotos(ids));
    EXPECT_EQ(spy.size(), 0); // never answered before the caller is back in its event loop
    EXPECT_TRUE(QTest::qWaitFor([&] { return !spy.isEmpty(); }, 10000));
    if (settleMs)
        QTest::qWait(settleMs);
    out.emissions = int(spy.size());
    if (!spy.isEmpty()) {
        out.ids = spy.at(0).at(0).toStringList();
        out.photos = spy.at(0).at(1).toStringList();
        out.queryFailed = spy.at(0).at(2).toBool();
    }
    return out;
}

TEST(PhotoSearch, NoImagesFolderStartsNothing)
{
    test::TestRoot root;
    PhotoSearch photoSearch(settings());
    QSignalSpy spy(&photoSearch, &PhotoSearch::searchFinished);
    EXPECT_FALSE(photoSearch.searchForPhotos({QStringLiteral("123456")}));
    QTest::qWait(50);
    EXPECT_TRUE(spy.isEmpty());
}

TEST(PhotoSearch, DailySubfolderIsTheFormattedDateWithColonsForSlashes)
{
    test::TestRoot root;
    const QDateTime day(QDate(2026, 12, 5), QTime(9, 30));
    settings().setMainImagesFolder(QStringLiteral("/srv/images"));
    EXPECT_EQ(PhotoSearch::searchFolder(settings(), day), QStringLiteral("/srv/images"));
    settings().setSearchDailySubFolder(true);
    EXPECT_EQ(PhotoSearch::searchFolder(settings(), day),
              QStringLiteral("/srv/images")); // no pattern
    settings().setDailyFolderDateFormat(QStringLiteral("MM-dd-yyyy"));
    EXPECT_EQ(PhotoSearch::searchFolder(settings(), day), QStringLiteral("/srv/images/12-05-2026"));
    settings().setDailyFolderDateFormat(QStringLiteral("MM/dd/yy"));
    EXPECT_EQ(PhotoSearch::searchFolder(settings(), day), QStringLiteral("/srv/images/12:05:26"));
    settings().setDailyFolderDateFormat(QStringLiteral("EEEE"));
    EXPECT_EQ(PhotoSearch::searchFolder(settings(), day), QStringLiteral("/srv/images/Saturday"));
    settings().setSearchDailySubFolder(false);
    EXPECT_EQ(PhotoSearch::searchFolder(settings(), day), QStringLiteral("/srv/images"));
    EXPECT_EQ(PhotoSearch::idText({"123456", "654321"}), QStringLiteral("123456,654321"));
}

struct MethodCase
{
    int method;
    bool prefixOnly;
};

class EveryMethod : public ::testing::TestWithParam<MethodCase>
{
};

TEST_P(EveryMethod, FindsTheCustomersPhotosSortedAndNothingForAnUnknownId)
{
    const MethodCase c = GetParam();
    test::TestRoot root;
    test::PhotoTree tree(root);
    settings().setMainImagesFolder(tree.folder);
    settings().setSearchIdMethodTag(c.method);

    QStringList expected{tree.path("12-05-2026/123456_10.jpeg"), tree.path("123456_2.jpg"),
                         tree.path("123456_B.JPG")};
    if (!c.prefixOnly)
        expected = QStringList{tree.path("12-05-2026/123456_10.jpeg"), tree.path("123456_2.jpg"),
                               tree.path("123456_B.JPG"), tree.path("party-123456/guest.jpg"),
                               tree.path("x_123456.jpg")};
    const QStringList ids{QStringLiteral("123456")};
    Outcome out = search(ids);
    EXPECT_EQ(out.emissions, 1);
    EXPECT_EQ(out.ids, ids);
    EXPECT_FALSE(out.queryFailed);
    EXPECT_EQ(out.photos, expected);

    // A photo that arrives now is found by the next search.
    tree.addPhoto(QStringLiteral("12-05-2026/123456_A.jpg"));
    EXPECT_TRUE(search(ids).photos.contains(tree.path("12-05-2026/123456_A.jpg")));

    out = search({QStringLiteral("999999")});
    EXPECT_TRUE(out.photos.isEmpty());
    EXPECT_FALSE(out.queryFailed);

    // The day folder when the settings say so.
    settings().setSearchDailySubFolder(true);
    settings().setDailyFolderDateFormat(QStringLiteral("'12-05-2026'"));
    EXPECT_EQ(search({QStringLiteral("654321")}).photos,
              QStringList{tree.path("12-05-2026/654321_1.jpg")});
    // A day folder that does not exist yet finds nothing, without failing.
    settings().setDailyFolderDateFormat(QStringLiteral("'no-such-day'"));
    out = search(ids);
    EXPECT_TRUE(out.photos.isEmpty());
    EXPECT_FALSE(out.queryFailed);
}

INSTANTIATE_TEST_SUITE_P(Methods, EveryMethod,
                         ::testing::Values(MethodCase{0, true}, MethodCase{1, true},
                                           MethodCase{2, false}, MethodCase{7, true}),
                         [](const ::testing::TestParamInfo<MethodCase>& info) {
                             return "Method" + std::to_string(info.param.method);
                         });

TEST(PhotoSearch, IndexAnswerAfterTheTimeLimitIsDroppedAndABusyIndexCannotStart)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    settings().setMainImagesFolder(tree.folder);
    settings().setSearchIdMethodTag(1);

    FileNameIndexService::instance().setQueryDelayForTesting(600);
    PhotoSearch slow(settings());
    slow.setQueryTimeLimitMs(100);
    QSignalSpy spy(&slow, &PhotoSearch::searchFinished);
    ASSERT_TRUE(slow.searchForPhotos({QStringLiteral("123456")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !spy.isEmpty(); }, 2000));
    EXPECT_TRUE(spy.at(0).at(1).toStringList().isEmpty()); // timed out: nothing found
    EXPECT_FALSE(spy.at(0).at(2).toBool());

    // While the late lookup still runs, the next query cannot start.
    const Outcome busy = search({QStringLiteral("123456")});
    EXPECT_TRUE(busy.queryFailed);
    EXPECT_TRUE(busy.photos.isEmpty());

    FileNameIndexService::instance().waitForIdle();
    FileNameIndexService::instance().setQueryDelayForTesting(0);
    QTest::qWait(100);
    EXPECT_EQ(spy.size(), 1); // the late answer never arrives

    EXPECT_EQ(search({QStringLiteral("123456")}).photos.size(), 3);
}

// Each method's own question, asked directly: the tool as a child process, the index, the scan.
struct Method
{
    const char* name;
    std::function<QStringList(const QString& folder, const QStringList& ids)> find;
};
const Method kMethods[] = {
    {"tool", [](const QString& f, const QStringList& ids) { return searchWithIndexTool(ids, f); }},
    {"index",
     [](const QString& f, const QStringList& ids) { return FileNameIndex().lookup(f, ids); }},
    {"scan", [](const QString& f, const QStringList& ids) { return photosInFolder(f, ids, true); }},
};

TEST(EveryMethod, FindsOddNamesByPathsThatOpen)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    struct Row
    {
        QByteArray relative;
        const char* id;
    };
    const Row rows[] = {
        {"100001_new\nline.jpg", "100001"},
        {"100002_caf\xe9_latin1.jpg", "100002"}, // not UTF-8
        {"\xff\xfe day/100003_1.jpg", "100003"}, // in a folder whose name is not UTF-8
        {"100004 with  spaces .jpg", "100004"},
        {"-day/-100005_dash.jpg", "-100005"},
    };
    for (const Row& row : rows)
        tree.addPhotoNamed(row.relative);
    for (const Method& method : kMethods) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(method.name) + " " + row.relative.toStdString());
            const QString id = QString::fromLatin1(row.id);
            const QStringList found = method.find(tree.folder, {id});
            ASSERT_EQ(found.size(), 1);
            const QByteArray path = kivo::encodeFileName(found.first());
            EXPECT_EQ(path, QFile::encodeName(tree.folder) + '/' + row.relative);
            QFile file;
            ASSERT_TRUE(file.open(::open(path.constData(), O_RDONLY), QIODevice::ReadOnly,
                                  QFileDevice::AutoCloseHandle));
            EXPECT_TRUE(QImageReader(&file).canRead());
        }
    }
}

TEST(EveryMethod, NeverListsNorOpensAFifo)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    tree.addPhoto(QStringLiteral("100001_a.jpg"));
    // One named like a photo, one without an extension (its format would be read from it).
    const QByteArray fifos[] = {QFile::encodeName(tree.path("100001_x.jpg")),
                                QFile::encodeName(tree.path("100001_y"))};
    for (const QByteArray& fifo : fifos)
        ASSERT_EQ(mkfifo(fifo.constData(), 0644), 0);
    for (const Method& method : kMethods) {
        SCOPED_TRACE(method.name);
        auto pending = std::async(std::launch::async, [&] {
            return method.find(tree.folder, {QStringLiteral("100001")});
        });
        const bool ended = pending.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        // A reader blocked on a FIFO goes on once a writer comes and goes.
        while (pending.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
            for (const QByteArray& fifo : fifos) {
                const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        }
        EXPECT_TRUE(ended) << "blocked opening a FIFO";
        EXPECT_EQ(pending.get(), QStringList{tree.path("100001_a.jpg")});
    }
}

TEST(KivoFind, AnswersFromTheCommandLine)
{
    test::TestRoot root;
    test::PhotoTree tree(root);
    const QString tool = kivoFindToolPath();
    ASSERT_FALSE(tool.isEmpty());

    QProcess p;
    p.start(tool, {QStringLiteral("-onlyin"), tree.folder, QStringLiteral("[654321]"),
                   QStringLiteral("123456_b")});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0);
    QStringList lines =
        QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    lines.sort();
    EXPECT_EQ(lines,
              (QStringList{tree.path("12-05-2026/654321_1.jpg"), tree.path("123456_B.JPG")}));

    // Without -onlyin: the station's images folder.
    settings().setMainImagesFolder(tree.folder);
    ASSERT_TRUE(settings().sync());
    p.start(tool, {QStringLiteral("654321")});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()),
              tree.path("12-05-2026/654321_1.jpg") + QLatin1Char('\n'));

    p.start(tool,
            {QStringLiteral("-onlyin"), root.file(QStringLiteral("absent")), QStringLiteral("1")});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    p.start(tool, QStringList());
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 2);

    // A tool that cannot be run gives an empty answer, not a crash.
    EXPECT_TRUE(runShellScript(QString(), {}).isNull());
    EXPECT_TRUE(runShellScript(root.file(QStringLiteral("no-tool")), {}).isNull());
}

} // namespace
