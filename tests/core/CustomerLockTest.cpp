#include "core/CustomerLock.h"
#include "core/SessionIdentity.h"
#include "support/TestRoot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using kivo::CustomerLock;
using kivo::test::TestRoot;

TEST(CustomerLockTest, CreatesExclusivelyAndRefusesWhatExists)
{
    TestRoot root;
    const QString folder = root.folder(QStringLiteral("images"));
    CustomerLock mine;
    EXPECT_EQ(mine.createSessionInUseFile(folder, QStringLiteral("123456")), CustomerLock::Created);
    EXPECT_TRUE(mine.createdSessionFile());
    const QByteArray text = kivo::test::readFile(folder + QStringLiteral("/123456.inUse"));
    EXPECT_TRUE(text.startsWith("ID in use = 123456\n")) << text.constData();
    EXPECT_TRUE(text.contains("host = " + CustomerLock::hostName().toLatin1()));
    EXPECT_TRUE(text.contains("pid = " + QByteArray::number(QCoreApplication::applicationPid())));

    // A second creation without a deletion is refused and writes nothing.
    bool elsewhere = true;
    EXPECT_EQ(mine.createSessionInUseFile(folder, QStringLiteral("654321"), &elsewhere),
              CustomerLock::Refused);
    EXPECT_FALSE(elsewhere);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/654321.inUse")));

    // Another station finds the ID in use.
    CustomerLock other;
    EXPECT_EQ(other.createSessionInUseFile(folder, QStringLiteral("123456"), &elsewhere),
              CustomerLock::Refused);
    EXPECT_TRUE(elsewhere);
    EXPECT_FALSE(other.createdSessionFile());
    other.deleteSessionInUseFile(); // holds nothing: must not take the first station's lock
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/123456.inUse")));

    mine.deleteSessionInUseFile();
    EXPECT_FALSE(mine.createdSessionFile());
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/123456.inUse")));
    mine.deleteSessionInUseFile(); // twice: only logs
    EXPECT_EQ(other.createSessionInUseFile(folder, QStringLiteral("123456")),
              CustomerLock::Created);
}

TEST(CustomerLockTest, WriteFailureLetsTheVisitGoOnWithoutLock)
{
    TestRoot root;
    CustomerLock lock;
    EXPECT_EQ(lock.createSessionInUseFile(root.file(QStringLiteral("no/such/folder")),
                                          QStringLiteral("123456")),
              CustomerLock::WriteFailed);
    EXPECT_FALSE(lock.createdSessionFile());
}

TEST(CustomerLockTest, DeletionLeavesAFolderOfThatNameAlone)
{
    TestRoot root;
    const QString folder = root.folder(QStringLiteral("images"));
    CustomerLock lock;
    ASSERT_EQ(lock.createSessionInUseFile(folder, QStringLiteral("111111")), CustomerLock::Created);
    const QString path = lock.heldPath();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    lock.deleteSessionInUseFile();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_FALSE(lock.createdSessionFile());
}

TEST(CustomerLockTest, TwoStationsRacingForOneIdExactlyOneWins)
{
    TestRoot root;
    for (int round = 0; round < 25; ++round) {
        const QString folder = root.folder(QStringLiteral("race%1").arg(round));
        const QString go = folder + QStringLiteral("/go");
        std::vector<std::unique_ptr<QProcess>> stations;
        for (int i = 0; i < 3; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral(KIVO_LOCK_HELPER), {folder, QStringLiteral("424242"), go});
            ASSERT_TRUE(p->waitForStarted(5000));
            stations.push_back(std::move(p));
        }
        kivo::test::writeFile(go, "go");
        int winners = 0;
        int refused = 0;
        for (auto& p : stations) {
            ASSERT_TRUE(p->waitForFinished(10000));
            ASSERT_EQ(p->exitStatus(), QProcess::NormalExit);
            if (p->exitCode() == 0)
                ++winners;
            else if (p->exitCode() == 1)
                ++refused;
        }
        EXPECT_EQ(winners, 1) << "round " << round;
        EXPECT_EQ(refused, 2) << "round " << round;
    }
}

TEST(CustomerLockTest, StartUpRemovesOnlyTheLocksThisStationLeft)
{
    TestRoot root;
    const QString folder = root.folder(QStringLiteral("images"));
    const QString host = CustomerLock::hostName();

    // 999999999 lies above every pid the kernel hands out: a station that is gone.
    struct Lock
    {
        const char* id;
        QByteArray content;
        bool removed;
    };
    const std::vector<Lock> locks{
        {"100001", CustomerLock::lockContent(QStringLiteral("100001"), host, 999999999), true},
        {"100002",
         CustomerLock::lockContent(QStringLiteral("100002"), host,
                                   QCoreApplication::applicationPid()),
         true},
        {"100003",
         CustomerLock::lockContent(QStringLiteral("100003"), QStringLiteral("elsewhere"),
                                   999999999),
         false},
        // A live process on this host: another station running beside this one.
        {"100004", CustomerLock::lockContent(QStringLiteral("100004"), host, 1), false},
        {"100005", QByteArray("ID in use = 100005"), false},
    };
    for (const Lock& l : locks)
        kivo::test::writeFile(CustomerLock::lockPath(folder, QString::fromLatin1(l.id)), l.content);
    kivo::test::writeFile(folder + QStringLiteral("/100001.jpg"), "not a lock");

    EXPECT_EQ(CustomerLock::removeLocksLeftByThisStation(folder), 2);
    for (const Lock& l : locks) {
        EXPECT_EQ(QFileInfo::exists(CustomerLock::lockPath(folder, QString::fromLatin1(l.id))),
                  !l.removed)
            << l.id;
    }
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/100001.jpg")));
}

TEST(SessionIdentityTest, UniqueIdCarriesTheDay)
{
    EXPECT_EQ(kivo::formCustomerUniqueID(QStringLiteral("123456"),
                                         QDateTime(QDate(2026, 12, 5), QTime(9, 41, 7))),
              QStringLiteral("123456_20261205094107"));
    EXPECT_EQ(kivo::formCustomerUniqueID(QStringLiteral("123456"),
                                         QDateTime(QDate(2027, 1, 2), QTime(23, 5, 9))),
              QStringLiteral("123456_20270102230509"));
}

TEST(SessionIdentityTest, PhotoIdIsSixDigits)
{
    const std::vector<std::pair<const char*, bool>> cases{
        {"123456", true},  {"000000", true}, {"12345", false},  {"1234567", false},
        {"12a456", false}, {"", false},      {"*4826#", false}, {"12 456", false}};
    for (const auto& [text, ok] : cases)
        EXPECT_EQ(kivo::isPhotoID(QString::fromLatin1(text)), ok) << text;
}
