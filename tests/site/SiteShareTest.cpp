// Stations of one site on a real SMB share: the images folder is seen by this process through
// one host's mount and by the other station (the lock helper) through the other host's.
#include "core/CustomerLock.h"
#include "core/SalesSession.h"
#include "core/SelfTest.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "support/FakeSessionView.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

using namespace kivo;
using State = SalesSession::State;

namespace {

// The same folder of the share as each host mounts it, and as the server holds it.
struct SharedFolder
{
    QString serverSide, hostA, hostB;
};

SharedFolder sharedFolder()
{
    const QString name = QStringLiteral("images-") + QUuid::createUuid().toString(QUuid::Id128);
    SharedFolder f;
    for (auto [var, path] :
         {std::pair{"KIVO_SHARE_SERVER", &f.serverSide}, std::pair{"KIVO_SHARE_A", &f.hostA},
          std::pair{"KIVO_SHARE_B", &f.hostB}}) {
        const QString share = qEnvironmentVariable(var);
        if (share.isEmpty())
            return {};
        *path = share + QLatin1Char('/') + name;
    }
    QDir().mkpath(f.hostA);
    return f;
}

// Another station: takes the lock of IDENTITY in FOLDER once GO exists, holds it while it runs.
struct Station
{
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();

    void start(const QString& folder, const QString& identity, const QString& go)
    {
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(KIVO_LOCK_HELPER), {folder, identity, go});
        ASSERT_TRUE(process->waitForStarted(5000));
    }
    // 0 got it, 1 refused, 2 not written, 4 blocked; -1 no answer.
    int answer()
    {
        while (!process->canReadLine() && process->waitForReadyRead(20000)) {
        }
        return process->canReadLine() ? process->readLine().trimmed().toInt() : -1;
    }
    void stop()
    {
        process->closeWriteChannel();
        process->waitForFinished(10000);
    }
};

struct FakeSearcher : PhotoSearcher
{
    QList<QStringList> searches;
    bool searchForImagesWithID(const QStringList& ids) override
    {
        searches << ids;
        return true;
    }
};

class SiteShareTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        share = sharedFolder();
        ASSERT_FALSE(share.hostA.isEmpty()) << "run under scripts/smb-test-share.sh run";
        ASSERT_TRUE(QFileInfo(share.hostB).isDir()) << share.hostB.toStdString();
        settings().setString(share.hostA, sPrefMainImagesFolder);
        settings().setBool(false, sPrefAllowMultipleIDs);
        session.setPhotoSearcher(&searcher);
        go = root.file("go");
        test::writeFile(go, "go");
    }
    static Settings& settings() { return Settings::standardUserDefaults(); }
    void enterId(const QString& id, SheetMethod method = SheetMethod::StartOver,
                 KeypadCommand command = KeypadCommand::None)
    {
        session.didEndSheet(SheetReturn::Accepted, {method, id, command});
    }

    test::TestRoot root;
    SharedFolder share;
    QString go;
    test::FakeSessionView view;
    FakeSearcher searcher;
    SalesSession session{&view, settings()};
};

} // namespace

// Two stations on two hosts enter the same ID at the same moment: one serves it, the other
// refuses it, every time.
TEST_F(SiteShareTest, TwoHostsRacingForOneIdExactlyOneWins)
{
    for (int round = 0; round < 50; ++round) {
        const QString id = QString::number(300000 + round);
        const QString localGo = root.file(QStringLiteral("go%1").arg(round));
        std::vector<Station> stations(2);
        stations[0].start(share.hostA, id, localGo);
        stations[1].start(share.hostB, id, localGo);
        test::writeFile(localGo, "go");
        std::map<int, int> answers;
        for (Station& s : stations)
            ++answers[s.answer()];
        for (Station& s : stations)
            s.stop();
        // One got it, the other was refused: not both, not neither, and no failed write.
        EXPECT_EQ(answers, (std::map<int, int>{{0, 1}, {1, 1}})) << "round " << round;
    }
}

// An ID open on the other host is refused at the ID prompt and nothing is searched; once that
// station lets go, the ID is served here.
TEST_F(SiteShareTest, AnIdOpenOnTheOtherHostIsRefusedUntilItLetsGo)
{
    // The customer's ID alone, or with another before it in a visit of several IDs.
    const auto enterVisit = [this](bool several) {
        if (several) {
            enterId(QStringLiteral("100001"));
            enterId(QStringLiteral("100002"), SheetMethod::StartOverLoop);
            enterId(QString(), SheetMethod::StartOverLoop, KeypadCommand::DoneLoop);
        } else {
            enterId(QStringLiteral("100002"));
        }
    };
    for (const bool several : {false, true}) {
        SCOPED_TRACE(several);
        settings().setBool(several, sPrefAllowMultipleIDs);
        searcher.searches.clear();
        Station other;
        other.start(share.hostB, QStringLiteral("100002"), go);
        ASSERT_EQ(other.answer(), 0);

        session.startOver();
        enterVisit(several);
        EXPECT_EQ(session.state(), State::Attract);
        EXPECT_TRUE(searcher.searches.isEmpty());
        EXPECT_EQ(view.lastMethod(), SheetMethod::StartOver);
        EXPECT_EQ(view.lastMessage2(),
                  QStringLiteral("Sorry - Your ID [100002] Is In Use By Another System..."));
        // Nothing of the refused visit is left holding an ID.
        EXPECT_FALSE(session.customerLock().createdSessionFile());
        EXPECT_EQ(QDir(share.serverSide).entryList({QStringLiteral("*.inUse")}),
                  QStringList{QStringLiteral("100002.inUse")});

        other.stop();
        ASSERT_FALSE(QFileInfo::exists(CustomerLock::lockPath(share.hostA, "100002")));
        session.startOver();
        enterVisit(several);
        EXPECT_EQ(session.state(), State::Searching);
        ASSERT_EQ(searcher.searches.size(), 1);

        // While this visit runs, the other host is refused each of its photo IDs.
        for (const char* id : {"100001", "100002"}) {
            if (!several && QByteArray(id) == "100001")
                continue;
            Station late;
            late.start(share.hostB, QString::fromLatin1(id), go);
            EXPECT_EQ(late.answer(), 1) << id;
            late.stop();
        }
        session.startOver();
        EXPECT_TRUE(QDir(share.serverSide).entryList({QStringLiteral("*.inUse")}).isEmpty());
    }
}

// The start-up check's probe of the images folder's file system, on each host's mount: what the
// station relies on holds there, and the probe leaves nothing on the share.
TEST_F(SiteShareTest, TheFileSystemProbePassesOnTheShareAndLeavesNothing)
{
    for (const QString& mount : {share.hostA, share.hostB}) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(checks::fileSystemProblem(mount), QString()) << mount.toStdString();
        std::printf("file-system probe on %s: %lld ms\n", qPrintable(mount),
                    static_cast<long long>(timer.elapsed()));
        EXPECT_EQ(QDir(share.serverSide)
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList());
    }
}
