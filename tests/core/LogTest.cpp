#include "core/Log.h"
#include "core/ConsoleLog.h"
#include "core/Journal.h"
#include "core/Logging.h"
#include "support/TestRoot.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Every test starts from a fresh facility and keeps standard error where it was (opening a log
// file moves standard error into it).
class Log : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedStderr = ::dup(STDERR_FILENO);
        kivo::Log::resetForTesting();
    }
    void TearDown() override
    {
        kivo::Log::resetForTesting();
        ::dup2(m_savedStderr, STDERR_FILENO);
        ::close(m_savedStderr);
    }
    kivo::test::TestRoot root;

private:
    int m_savedStderr = -1;
};

QByteArray filled(qint64 size)
{
    QByteArray bytes;
    bytes.reserve(size);
    while (bytes.size() < size)
        bytes.append("0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrs\n");
    bytes.truncate(size);
    return bytes;
}

Q_LOGGING_CATEGORY(lcQuiet, "kivo.quiet")

mode_t modeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

} // namespace

// Lines logged before the file opens go nowhere; once it opens, each line carries its level
// letter and stamp, and the file opens only once.
TEST_F(Log, LinesReachTheFileWithLevelLettersAndStamps)
{
    kivo::Log::debug("nobody hears this");
    const QString path = root.file("logs/Station.log");
    ASSERT_TRUE(kivo::Log::setLogFile(path));
    EXPECT_FALSE(kivo::Log::setLogFile(path));
    kivo::Log::debug("first\nsecond");
    kivo::Log::err("broken");
    kivo::Log::logLevel(4, "careful");
    kivo::Log::logLevel(0, "note");
    kivo::Log::logLevel(2, "detail");
    kivo::Log::logLevel(99, "unknown level");
    const QByteArray text = kivo::test::readFile(path);
    EXPECT_FALSE(text.contains("nobody hears this"));
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_GE(lines.size(), 7);
    const char* expected[][2] = {{"D [", "first"},        {"D [", "second"}, {"E [", "broken"},
                                 {"W [", "careful"},      {"I [", "note"},   {"D2 [", "detail"},
                                 {"D [", "unknown level"}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(lines[i].startsWith(expected[i][0])) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].endsWith(QByteArray("] ") + expected[i][1])) << lines[i].toStdString();
    }
    // Stamp: [YYYY/MM/dd HH:mm:ss.SSS Z]
    EXPECT_TRUE(QRegularExpression(R"(^D \[\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} [+-]\d{4}\] )")
                    .match(QString::fromUtf8(lines[0]))
                    .hasMatch())
        << lines[0].toStdString();
    EXPECT_EQ(modeOf(path), 0664u);
}

// An operator can quiet one library's lines by its category while the others still reach the file.
TEST_F(Log, LinesOfACategoryTurnedOffAreLeftOut)
{
    const QString path = root.file("logs/Station.log");
    ASSERT_TRUE(kivo::Log::setLogFile(path));
    QLoggingCategory::setFilterRules(QStringLiteral("kivo.quiet=false"));
    kivo::consoleLog(lcQuiet(), "Quiet", "trace");
    kivo::Log::debug(lcQuiet(), "quiet debug");
    kivo::Log::err(lcQuiet(), "quiet error");
    kivo::consoleLog(kivo::lcCore(), "Loud", "trace", "kept");
    kivo::Log::debug(kivo::lcCore(), "loud debug");
    kivo::Log::err(kivo::lcCore(), "loud error");
    QLoggingCategory::setFilterRules(QString());
    const QByteArray text = kivo::test::readFile(path);
    EXPECT_FALSE(text.contains("quiet")) << text.toStdString();
    for (const char* kept : {"Inside Loud => trace...kept", "loud debug", "loud error"})
        EXPECT_TRUE(text.contains(kept)) << kept;
}

TEST_F(Log, RollsAtOneMebibyteAndTheOldFileKeepsTenFromALineBoundary)
{
    const QString small = root.file("a/Station.log");
    kivo::test::writeFile(small, filled(kivo::Log::kRollSize - 1));
    kivo::Log::rollLogFileIfNecessary(small);
    EXPECT_EQ(QFileInfo(small).size(), kivo::Log::kRollSize - 1);
    EXPECT_FALSE(QFile::exists(root.file("a/Station_old.log")));

    const QString path = root.file("c/Station.log");
    const QString old = root.file("c/Station_old.log");
    const QByteArray before = filled(kivo::Log::kOldFileLimit - 1000);
    kivo::test::writeFile(old, before);
    const QByteArray current = filled(kivo::Log::kRollSize);
    kivo::test::writeFile(path, current);
    kivo::Log::rollLogFileIfNecessary(path);
    EXPECT_EQ(QFileInfo(path).size(), 0);
    const QByteArray kept = kivo::test::readFile(old);
    EXPECT_LE(kept.size(), kivo::Log::kOldFileLimit);
    EXPECT_GT(kept.size(), kivo::Log::kOldFileLimit - 100); // only the torn line was cut
    EXPECT_TRUE(kept.endsWith(current));
    const qsizetype start = before.size() + current.size() - kept.size();
    ASSERT_GT(start, 0);
    EXPECT_EQ((before + current).at(start - 1), '\n');
    EXPECT_EQ(modeOf(old), 0664u);
}

// A station runs for weeks: the open file rolls at 1 MiB during the run, and no line is torn
// or lost across the roll while several threads write.
TEST_F(Log, LinesFromManyThreadsRollWithoutBeingTornOrLost)
{
    const QString path = root.file("logs/Station.log");
    ASSERT_TRUE(kivo::Log::setLogFile(path));
    constexpr int kThreads = 4;
    constexpr int kLines = 3500; // about 1.3 MB in all
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kLines; ++i)
                kivo::Log::debug(QString("thread %1 line %2 %3")
                                     .arg(t)
                                     .arg(i)
                                     .arg(QString(40, QLatin1Char('a' + t))));
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_LT(QFileInfo(path).size(), kivo::Log::kRollSize / 2);
    const QString old = root.file("logs/Station_old.log");
    ASSERT_TRUE(QFile::exists(old));
    const QList<QByteArray> lines =
        (kivo::test::readFile(old) + kivo::test::readFile(path)).split('\n');
    const QRegularExpression whole(R"(^D \[[^\]]+\] thread (\d) line (\d+) ([a-d])\3{39}$)");
    std::vector<std::vector<int>> seen(kThreads, std::vector<int>(kLines, 0));
    for (const QByteArray& line : lines) {
        if (line.isEmpty() || line.contains(" log file"))
            continue; // the roll's own lines
        const auto match = whole.match(QString::fromUtf8(line));
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        ++seen[match.captured(1).toInt()][match.captured(2).toInt()];
    }
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(std::count(seen[t].begin(), seen[t].end(), 1), kLines) << "thread " << t;
}

// One message writes a bounded amount: a long one is cut at a character boundary with a mark
// naming the bytes left out, and one of many lines keeps its first lines and says how many more.
TEST_F(Log, OneMessageIsCutToItsLimitWithAMark)
{
    const qsizetype max = kivo::Log::kMaxMessageBytes;
    const QString accents = QString("a") + QString(3000, QChar(0xE9)); // 6001 bytes
    const struct
    {
        QString message;
        QString expected;
    } table[] = {
        {"short", "short"},
        {QString(max, 'a'), QString(max, 'a')},
        // cut 40 bytes short of the limit, leaving room for the mark
        {QString(max + 904, 'a'), QString(max - 40, 'a') + QString::fromUtf8("… [cut, 944 bytes]")},
        // byte 4056 falls inside a character: the cut moves back to where it starts
        {accents, accents.left(1 + 2027) + QString::fromUtf8("… [cut, 1946 bytes]")},
    };
    for (const auto& row : table)
        EXPECT_EQ(kivo::Log::boundedMessage(row.message), row.expected) << row.message.size();

    const QString path = root.file("logs/Station.log");
    ASSERT_TRUE(kivo::Log::setLogFile(path));
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QString::number(i);
    kivo::Log::debug(lines.join('\n'));
    kivo::Log::err(QString(10 * 1024 * 1024, 'x'));
    const QList<QByteArray> written = kivo::test::readFile(path).split('\n');
    ASSERT_EQ(written.size(), 64 + 2 + 1);
    EXPECT_TRUE(written[63].endsWith("] 63"));
    EXPECT_TRUE(written[64].endsWith("] … [cut, 36 more lines]")) << written[64].toStdString();
    EXPECT_TRUE(written[65].endsWith(
        QString("x… [cut, %1 bytes]").arg(10 * 1024 * 1024 - max + 40).toUtf8()));
    EXPECT_LT(written[65].size(), max + 50); // with its level letter and stamp
}

// A log file that stops taking lines (a full disk; here a file size limit) is reported through
// the problem handler once, a roll that cannot write the old file keeps the current one, and
// when the file takes lines again its first line says how many were lost.
TEST_F(Log, AFileThatStopsTakingLinesIsReportedAndRecovers)
{
    QStringList problems;
    kivo::Log::setWriteProblemHandler([&problems](const QString& p) { problems.append(p); });
    const QString path = root.file("logs/Station.log");
    ASSERT_TRUE(kivo::Log::setLogFile(path));
    kivo::Log::debug("before");
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = rlim_t(QFileInfo(path).size() - 1);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    for (int i = 0; i < 3; ++i)
        kivo::Log::debug("lost");
    kivo::Log::rollLogFile(path, root.file("logs/Station_old.log"), 1); // logs two lines
    const QString problem = kivo::Log::writeProblem();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(problems, QStringList{problem});
    EXPECT_TRUE(problem.contains("File too large")) << problem.toStdString();

    kivo::Log::debug("after");
    EXPECT_EQ(problems.size(), 2);
    EXPECT_EQ(problems.value(1), QString());
    EXPECT_EQ(kivo::Log::writeProblem(), QString());
    const QList<QByteArray> lines = kivo::test::readFile(path).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].endsWith("] before"));
    EXPECT_TRUE(lines[1].startsWith("W ["));
    EXPECT_TRUE(
        lines[1].endsWith("] 5 log lines were lost: the log file could not be written (File too "
                          "large)"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith("] after"));
}

// The journal's fields: an operator filters on KIVO_EVENT, KIVO_ORDER and KIVO_STATION, and a
// plain line carries no empty event or order to be matched by mistake.
TEST(JournalFields, NameTheEventOrderAndStationAndKeepTheMessageWhole)
{
    using kivo::journal::Entry;
    const struct
    {
        const char* what;
        Entry entry;
        QList<QByteArray> expected;
    } cases[] = {
        {"a plain line",
         {kivo::journal::Info, QStringLiteral("started"), {}, {}},
         {"MESSAGE=started", "PRIORITY=6", "SYSLOG_IDENTIFIER=kivo-sales-station",
          "KIVO_STATION=mall-3"}},
        {"a release",
         {kivo::journal::Info, QStringLiteral("order 123456 released"), "release", "123456"},
         {"MESSAGE=order 123456 released", "PRIORITY=6", "SYSLOG_IDENTIFIER=kivo-sales-station",
          "KIVO_EVENT=release", "KIVO_ORDER=123456", "KIVO_STATION=mall-3"}},
        {"a failure of many lines, not ASCII",
         {kivo::journal::Error, QStringLiteral("Zoë's order\nnot saved"), "release-failed", "4711"},
         {"MESSAGE=Zo\xc3\xab's order\nnot saved", "PRIORITY=3",
          "SYSLOG_IDENTIFIER=kivo-sales-station", "KIVO_EVENT=release-failed", "KIVO_ORDER=4711",
          "KIVO_STATION=mall-3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(kivo::journal::fields(c.entry, QStringLiteral("mall-3")), c.expected);
    }
}
