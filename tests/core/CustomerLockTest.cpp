#include "core/CustomerLock.h"
#include "core/SessionIdentity.h"
#include "support/TestRoot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace kivo;
using test::TestRoot;

TEST(CustomerLockTest, CreatesExclusivelyAndRemovesOnlyItsOwnLock)
{
    TestRoot root;
    const QString folder = root.folder("images");
    const QString path = folder + "/123456.inUse";
    CustomerLock mine;
    EXPECT_EQ(mine.createSessionInUseFile(folder, "123456"), CustomerLock::Created);
    EXPECT_TRUE(mine.createdSessionFile());
    const QByteArray text = test::readFile(path);
    EXPECT_TRUE(text.startsWith("ID in use = 123456\n")) << text.constData();
    EXPECT_TRUE(text.contains("host = " + CustomerLock::hostName().toLatin1()));
    EXPECT_TRUE(text.contains("pid = " + QByteArray::number(QCoreApplication::applicationPid())));

    // A second creation without a deletion is refused and writes nothing.
    bool elsewhere = true;
    EXPECT_EQ(mine.createSessionInUseFile(folder, "654321", &elsewhere), CustomerLock::Refused);
    EXPECT_FALSE(elsewhere);
    EXPECT_FALSE(QFileInfo::exists(folder + "/654321.inUse"));

    // Another station finds the ID in use.
    CustomerLock other;
    EXPECT_EQ(other.createSessionInUseFile(folder, "123456", &elsewhere), CustomerLock::Refused);
    EXPECT_TRUE(elsewhere);
    EXPECT_FALSE(other.createdSessionFile());
    other.deleteSessionInUseFile(); // holds nothing: must not take the first station's lock
    EXPECT_TRUE(QFileInfo::exists(path));

    mine.deleteSessionInUseFile();
    EXPECT_FALSE(mine.createdSessionFile());
    EXPECT_FALSE(QFileInfo::exists(path));
    mine.deleteSessionInUseFile(); // twice: only logs
    EXPECT_EQ(other.createSessionInUseFile(folder, "123456"), CustomerLock::Created);

    // A folder that took the lock's place is not ours to remove.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    other.deleteSessionInUseFile();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_FALSE(other.createdSessionFile());

    // A lock that cannot be written lets the visit go on without one.
    CustomerLock unwritten;
    EXPECT_EQ(unwritten.createSessionInUseFile(root.file("no/such/folder"), "123456"),
              CustomerLock::WriteFailed);
    EXPECT_FALSE(unwritten.createdSessionFile());
}
namespace {

// A second station on this host (the lock helper) that tries for IDENTITY once GO exists, and
// holds what it got while it runs. Its answer comes back from answer().
struct Station
{
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();

    void start(const QString& folder, const QString& identity, const QString& go)
    {
        process->start(QStringLiteral(KIVO_LOCK_HELPER), {folder, identity, go});
        ASSERT_TRUE(process->waitForStarted(5000));
    }
    int answer()
    {
        while (!process->canReadLine() && process->waitForReadyRead(10000)) {
        }
        return process->canReadLine() ? process->readLine().trimmed().toInt() : -1;
    }
    void stop()
    {
        process->closeWriteChannel();
        process->waitForFinished(10000);
    }
};

QByteArray lockOfThisHost(const QString& identity, qint64 pid, quint64 started,
                          const QString& boot = CustomerLock::bootId())
{
    return CustomerLock::lockContent(identity, CustomerLock::hostName(), pid, started, boot);
}

} // namespace

// Only a lock a station of this host left behind is taken over; a live lock or one of another
// host refuses the ID, and anything at the path that no station writes is the staff's problem.
TEST(CustomerLockTest, WhatHoldsThePathDecidesRefusalTakeOverOrStaffProblem)
{
    TestRoot root;
    const QString folder = root.folder("images");
    const QString target = root.file("elsewhere.txt");
    test::writeFile(target, CustomerLock::lockContent("x", "far", 999999999));
    const qint64 parent = ::getppid();
    const quint64 parentStart = CustomerLock::processStartTime(parent);
    ASSERT_GT(parentStart, 0u);
    ASSERT_FALSE(CustomerLock::bootId().isEmpty());

    Station holder;
    const QString go = root.file("go");
    test::writeFile(go, "go");
    holder.start(folder, "100007", go);
    ASSERT_EQ(holder.answer(), 0);

    using Make = std::function<void(const QString& path)>;
    const auto write = [](QByteArray content) {
        return [content](const QString& path) { test::writeFile(path, content); };
    };
    struct Case
    {
        const char* id;
        Make make;
        CustomerLock::Result result;
    };
    const std::vector<Case> cases{
        {"100001", [](const QString& p) { ASSERT_TRUE(QDir().mkdir(p)); }, CustomerLock::Blocked},
        {"100002", [&](const QString& p) { ASSERT_TRUE(QFile::link(root.file("gone"), p)); },
         CustomerLock::Blocked},
        {"100003", [&](const QString& p) { ASSERT_TRUE(QFile::link(target, p)); },
         CustomerLock::Blocked},
        {"100004",
         [](const QString& p) { ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0); },
         CustomerLock::Blocked},
        // The parent's PID, now a process started at another moment: a recycled number.
        {"100005", write(lockOfThisHost("100005", parent, parentStart + 12345)),
         CustomerLock::Created},
        // The parent's PID and start time, but written before this machine last booted.
        {"100006",
         write(
             lockOfThisHost("100006", parent, parentStart, "00000000-0000-0000-0000-000000000000")),
         CustomerLock::Created},
        {"100007", Make(), CustomerLock::Refused}, // held by the live helper
        {"100008", write(lockOfThisHost("100008", 999999999, 5)), CustomerLock::Created},
        {"100009", write(CustomerLock::lockContent("100009", "far", 999999999, 5, "b")),
         CustomerLock::Refused},
        {"100010", write("ID in use = 100010"), CustomerLock::Refused},
        // A live station on another machine of the same name, which booted at another time.
        {"100011",
         write(CustomerLock::lockContent("100011", CustomerLock::hostName(), parent, parentStart,
                                         "00000000-0000-0000-0000-000000000000",
                                         "0123456789abcdef0123456789abcdef")),
         CustomerLock::Refused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const QString identity = QString(c.id);
        const QString path = CustomerLock::lockPath(folder, identity);
        if (c.make)
            c.make(path);
        const QFileInfo before(path);
        CustomerLock lock;
        bool elsewhere = false;
        EXPECT_EQ(lock.createSessionInUseFile(folder, identity, &elsewhere), c.result);
        EXPECT_EQ(elsewhere, c.result == CustomerLock::Refused);
        EXPECT_EQ(lock.problem().contains(path), c.result == CustomerLock::Blocked)
            << lock.problem().toStdString();
        const QFileInfo after(path);
        if (c.result == CustomerLock::Created) {
            EXPECT_TRUE(after.isFile() && !after.isSymLink());
            EXPECT_TRUE(test::readFile(path).contains(
                "pid = " + QByteArray::number(QCoreApplication::applicationPid())));
        } else {
            // Nothing but our own lock is ever removed or replaced.
            EXPECT_EQ(after.isSymLink(), before.isSymLink());
            EXPECT_EQ(after.isDir(), before.isDir());
            EXPECT_EQ(after.size(), before.size());
        }
    }
    EXPECT_TRUE(QFileInfo(target).isFile());
    holder.stop();
}

TEST(CustomerLockTest, TwoStationsRacingForOneIdExactlyOneWins)
{
    TestRoot root;
    for (int round = 0; round < 24; ++round) {
        const QString folder = root.folder(QString("race%1").arg(round));
        // Every other round the stations find a lock this host left in a crash, which each of
        // them may take away, and still only one may win.
        if (round % 2)
            test::writeFile(CustomerLock::lockPath(folder, "424242"),
                            lockOfThisHost("424242", 999999999, 5));
        const QString go = folder + "/go";
        std::vector<Station> stations(3);
        for (Station& s : stations)
            s.start(folder, "424242", go);
        test::writeFile(go, "go");
        std::map<int, int> answers;
        for (Station& s : stations)
            ++answers[s.answer()];
        for (Station& s : stations)
            s.stop();
        EXPECT_EQ(answers[0], 1) << "round " << round;
        EXPECT_EQ(answers[1], 2) << "round " << round;
    }
}

TEST(CustomerLockTest, StartUpRemovesOnlyTheLocksThisStationLeft)
{
    TestRoot root;
    const QString folder = root.folder("images");
    const QString host = CustomerLock::hostName();
    const qint64 parent = ::getppid();
    const quint64 parentStart = CustomerLock::processStartTime(parent);

    // 999999999 lies above every pid the kernel hands out: a station that is gone.
    struct Lock
    {
        const char* id;
        QByteArray content;
        bool removed;
    };
    const std::vector<Lock> locks{
        {"100001", CustomerLock::lockContent("100001", host, 999999999), true},
        {"100002", CustomerLock::lockContent("100002", host, QCoreApplication::applicationPid()),
         true},
        {"100003", CustomerLock::lockContent("100003", "elsewhere", 999999999), false},
        // A live process on this host: another station running beside this one.
        {"100004", lockOfThisHost("100004", parent, parentStart), false},
        {"100005", QByteArray("ID in use = 100005"), false},
        {"100006", lockOfThisHost("100006", parent, parentStart + 1), true},
    };
    // The claim a station holds while it makes a lock names it as the lock does.
    const auto claim = [&](const Lock& l) { return folder + "/." + l.id + ".inUse.claim"; };
    for (const Lock& l : locks) {
        test::writeFile(CustomerLock::lockPath(folder, QString(l.id)), l.content);
        test::writeFile(claim(l) + "/holder", l.content);
    }
    test::writeFile(folder + "/100001.jpg", "not a lock");
    // A link to a stale lock is not a lock: it stays for the staff, and so does its target.
    const QString stale = root.file("stale.txt");
    test::writeFile(stale, locks[0].content);
    ASSERT_TRUE(QFile::link(stale, CustomerLock::lockPath(folder, "100007")));

    EXPECT_EQ(CustomerLock::removeLocksLeftByThisStation(folder), 6);
    for (const Lock& l : locks) {
        EXPECT_EQ(QFileInfo::exists(CustomerLock::lockPath(folder, QString(l.id))), !l.removed)
            << l.id;
        EXPECT_EQ(QFileInfo::exists(claim(l)), !l.removed) << l.id;
    }
    EXPECT_TRUE(QFileInfo::exists(folder + "/100001.jpg"));
    EXPECT_TRUE(QFileInfo(CustomerLock::lockPath(folder, "100007")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(stale));
}

// The hour in 24-hour form, every field zero-padded.
TEST(SessionIdentityTest, UniqueIdCarriesTheDayAndPhotoIdsAreSixDigits)
{
    for (const auto& [when, id] :
         {std::pair{QDateTime(QDate(2026, 12, 5), QTime(9, 41, 7)), "123456_20261205094107"},
          std::pair{QDateTime(QDate(2027, 1, 2), QTime(23, 5, 9)), "123456_20270102230509"}})
        EXPECT_EQ(formCustomerUniqueID("123456", when), id);
    const std::vector<std::pair<const char*, bool>> cases{
        {"123456", true},  {"000000", true}, {"12345", false},  {"1234567", false},
        {"12a456", false}, {"", false},      {"*4826#", false}, {"12 456", false}};
    for (const auto& [text, ok] : cases)
        EXPECT_EQ(isPhotoID(text), ok) << text;
}
