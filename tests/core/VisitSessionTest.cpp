#include "core/CustomerLock.h"
#include "core/FileReference.h"
#include "core/NotificationCenter.h"
#include "core/SalesSession.h"
#include "core/SessionKeys.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "support/TestRoot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>

using kivo::SalesSession;
using State = kivo::SalesSession::State;

namespace {

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

using kivo::test::waitUntil;

// Records what the session asks the sales window to show.
struct FakeView : kivo::SessionView
{
    QList<QVariantMap> keypads;
    QList<QVariantMap> progresses;
    int progressCloses = 0;
    int mode = -1;
    int beeps = 0;
    bool menuBarShown = false;
    bool terminated = false;
    QStringList photos;
    int summaries = 0;
    bool releasePanel = false;
    int resets = 0;

    void openKeypad(const QVariantMap& o) override { keypads << o; }
    void openProgress(const QVariantMap& o) override { progresses << o; }
    void closeProgress() override { ++progressCloses; }
    void setScreenMode(int m) override { mode = m; }
    void beep(int count) override { beeps += count; }
    void showMenuBar() override { menuBarShown = true; }
    void terminateApplication() override { terminated = true; }
    void resetSellingScreen() override { ++resets; }
    void showPhotos(const QStringList& p) override { photos = p; }
    void openOrderSummary(const QVariantMap&) override { ++summaries; }
    void showReleasePanel(bool shown) override { releasePanel = shown; }

    QString lastMethod() const
    {
        return keypads.isEmpty() ? QString()
                                 : keypads.last()
                                       .value(key(kivo::keyContextInfo))
                                       .toMap()
                                       .value(key(kivo::keyFromMethod))
                                       .toString();
    }
    QString lastMessage2() const { return keypads.last().value(key(kivo::keyMessage2)).toString(); }
};

struct FakeSearcher : kivo::PhotoSearcher
{
    QList<QStringList> searches;
    bool answer = true;
    bool searchForImagesWithID(const QStringList& ids) override
    {
        searches << ids;
        return answer;
    }
};

QVariantMap answer(const char* method, const QString& data)
{
    return {{key(kivo::keyFromMethod), key(method)}, {key(kivo::keyReturnData), data}};
}

class VisitSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        images = root.folder(QStringLiteral("images"));
        settings().setString(images, key(kivo::sPrefMainImagesFolder));
        settings().setBool(false, key(kivo::sPrefAllowMultipleIDs));
        settings().setBool(true, key(kivo::sPrefMustEnterReleaseCode));
        settings().setBool(false, key(kivo::sPrefDoPREprintFirstPhoto));
        session.setPhotoSearcher(&searcher);
        session.setCompletionDelay(20);
    }
    static kivo::Settings& settings() { return kivo::Settings::standardUserDefaults(); }
    bool lockExists(const QString& identity) const
    {
        return QFileInfo::exists(kivo::CustomerLock::lockPath(images, identity));
    }
    void enterId(const QString& id)
    {
        session.didEndSheet(kivo::kSheetReturnAccepted, answer(kivo::kMethodStartOver, id));
    }
    // A customer with photos who has chosen a first package.
    void reachOrdering(int sheets = 2)
    {
        session.startOver();
        enterId(QStringLiteral("123456"));
        session.searchFinished({QStringLiteral("123456")}, {QStringLiteral("/p/123456_1.jpg")},
                               false);
        kivo::NotificationCenter::defaultCenter().postNotification(
            key(kivo::kivoEnteredFirstPackageNotification));
        session.setSessionSheets(sheets);
    }

    kivo::test::TestRoot root;
    QString images;
    FakeView view;
    FakeSearcher searcher;
    SalesSession session{&view};
};

} // namespace

TEST_F(VisitSessionTest, OneIdLocksSearchesAndSells)
{
    session.startOver();
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_EQ(view.mode, 1);
    ASSERT_EQ(view.keypads.size(), 1);
    EXPECT_EQ(view.lastMethod(), QStringLiteral("startOver"));
    EXPECT_EQ(view.keypads.last().value(key(kivo::keyMessage)).toString(),
              QStringLiteral("Please Enter/Scan Your Photo ID"));
    EXPECT_FALSE(view.keypads.last().contains(key(kivo::keyMessage2)));

    enterId(QStringLiteral("123456"));
    EXPECT_EQ(session.state(), State::Searching);
    EXPECT_EQ(session.customerIdNumber(), QStringLiteral("123456"));
    ASSERT_EQ(searcher.searches.size(), 1);
    EXPECT_EQ(searcher.searches[0], QStringList{QStringLiteral("123456")});
    EXPECT_TRUE(lockExists(QStringLiteral("123456")));

    const QStringList photos{QStringLiteral("/p/123456_1.jpg"), QStringLiteral("/p/123456_2.jpg")};
    session.searchFinished({QStringLiteral("123456")}, photos, false);
    EXPECT_EQ(session.state(), State::Choosing);
    EXPECT_EQ(view.mode, 0);
    EXPECT_EQ(view.photos, photos);
    EXPECT_EQ(session.lastFoundArray(), photos);
    EXPECT_FALSE(session.sessionStarted());

    kivo::NotificationCenter::defaultCenter().postNotification(
        key(kivo::kivoEnteredFirstPackageNotification));
    EXPECT_EQ(session.state(), State::Ordering);
    EXPECT_TRUE(session.sessionStarted());
    EXPECT_TRUE(session.enteredFirstPackage());

    session.backToChoosing();
    EXPECT_EQ(session.state(), State::Choosing);
    EXPECT_FALSE(session.sessionStarted());
}

TEST_F(VisitSessionTest, SeveralIdsAreCollectedUntilAnEmptyEntry)
{
    settings().setBool(true, key(kivo::sPrefAllowMultipleIDs));
    session.startOver();
    enterId(QStringLiteral("123456"));
    EXPECT_EQ(session.state(), State::CollectingIDs);
    EXPECT_EQ(view.lastMethod(), QStringLiteral("startOverLoop"));
    EXPECT_EQ(view.keypads.last().value(key(kivo::keyMessage)).toString(),
              QStringLiteral("Please Enter Another ID"));
    EXPECT_EQ(view.lastMessage2(), QStringLiteral("If NO More ID, Just Hit Enter."));
    const QString identity = session.customerIdNumber();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^123456_\\d{14}$")).match(identity).hasMatch())
        << identity.toStdString();
    EXPECT_TRUE(searcher.searches.isEmpty());

    session.didEndSheet(kivo::kSheetReturnAccepted,
                        answer(kivo::kMethodStartOverLoop, QStringLiteral("123457")));
    EXPECT_EQ(session.state(), State::CollectingIDs);
    session.didEndSheet(kivo::kSheetReturnAccepted,
                        answer(kivo::kMethodStartOverLoop, QStringLiteral("doneLoop")));
    EXPECT_EQ(session.state(), State::Searching);
    ASSERT_EQ(searcher.searches.size(), 1);
    EXPECT_EQ(searcher.searches[0],
              (QStringList{QStringLiteral("123456"), QStringLiteral("123457")}));
    EXPECT_EQ(session.customerIdNumber(), identity);
    // One lock, for the session identity; the plain ID stays free for other stations.
    EXPECT_TRUE(lockExists(identity));
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
}

TEST_F(VisitSessionTest, WrongLengthBeepsTwiceAndStartsOver)
{
    session.startOver();
    enterId(QStringLiteral("12345"));
    EXPECT_EQ(session.customerIdNumber(), QString());
    EXPECT_EQ(view.beeps, 2);
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_EQ(view.keypads.size(), 2);
    EXPECT_TRUE(searcher.searches.isEmpty());
}

TEST_F(VisitSessionTest, QuitCodeQuitsFromEitherIdPrompt)
{
    for (const char* method : {kivo::kMethodStartOver, kivo::kMethodStartOverLoop}) {
        FakeView v;
        SalesSession s(&v);
        s.startOver();
        s.didEndSheet(kivo::kSheetReturnAccepted, answer(method, QStringLiteral("QUITAPP")));
        EXPECT_EQ(s.state(), State::Quit) << method;
        EXPECT_TRUE(v.menuBarShown) << method;
        EXPECT_TRUE(v.terminated) << method;
    }
}

TEST_F(VisitSessionTest, PreferencesAreAskedOfTheApplicationOrTheStationContinues)
{
    session.startOver();
    // Nobody offers preferences: the station carries on at the ID prompt.
    session.didEndSheet(kivo::kSheetReturnAccepted,
                        answer(kivo::kMethodStartOver, QStringLiteral("openPref")));
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_EQ(view.keypads.size(), 2);

    QObject app;
    QObject* sender = &app;
    int posts = 0;
    kivo::NotificationCenter::defaultCenter().addObserver(
        &app, key(kivo::kivoOpenPrefsNotification), [&](const kivo::Notification& n) {
            ++posts;
            sender = n.object;
        });
    session.didEndSheet(kivo::kSheetReturnAccepted,
                        answer(kivo::kMethodStartOverLoop, QStringLiteral("openPref")));
    EXPECT_EQ(session.state(), State::Preferences);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(sender, &session);
}

TEST_F(VisitSessionTest, AnIdInUseElsewhereIsRefused)
{
    kivo::test::writeFile(kivo::CustomerLock::lockPath(images, QStringLiteral("123456")),
                          "ID in use = 123456");
    session.startOver();
    enterId(QStringLiteral("123456"));
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_TRUE(searcher.searches.isEmpty());
    EXPECT_EQ(view.lastMethod(), QStringLiteral("startOver"));
    EXPECT_EQ(view.lastMessage2(),
              QStringLiteral("Sorry - Your ID [123456] Is In Use By Another System..."));
    EXPECT_TRUE(view.keypads.last().value(key(kivo::keyIsError2)).toBool());
    EXPECT_GE(view.beeps, 1);
    EXPECT_FALSE(session.customerLock().createdSessionFile());
    // The other station's lock is not ours to remove.
    session.startOver();
    EXPECT_TRUE(lockExists(QStringLiteral("123456")));
}

TEST_F(VisitSessionTest, NoPhotosReleasesTheLockAndAsksAgain)
{
    session.startOver();
    enterId(QStringLiteral("123456"));
    ASSERT_TRUE(lockExists(QStringLiteral("123456")));
    session.searchFinished({QStringLiteral("123456")}, {}, false);
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_EQ(view.beeps, 3);
    EXPECT_EQ(view.lastMessage2(), QStringLiteral("No Images Found for ID: [123456]"));
    // A late answer of an abandoned search changes nothing.
    session.searchFinished({QStringLiteral("123456")}, {QStringLiteral("/p/x.jpg")}, false);
    EXPECT_EQ(session.state(), State::Attract);
}

TEST_F(VisitSessionTest, SearchWithoutImagesFolderOpensPreferences)
{
    searcher.answer = false;
    session.startOver();
    enterId(QStringLiteral("123456"));
    // No preferences offered in this build: back at the prompt, the lock given back.
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
}

TEST_F(VisitSessionTest, SummaryAnswers)
{
    struct Case
    {
        qint64 code;
        bool mustEnterCode;
        State state;
        int mode;
        bool lockKept;
    };
    const Case cases[] = {
        {kivo::kSheetReturnStopped, true, State::Attract, 1, false},
        {kivo::kSheetReturnCancelled, true, State::Ordering, 0, true},
        {-4242, true, State::Ordering, 0, true},
        {kivo::kSheetReturnAccepted, true, State::ReleaseCode, 2, true},
        {kivo::kSheetReturnAccepted, false, State::Releasing, 2, true},
    };
    for (const Case& c : cases) {
        settings().setBool(c.mustEnterCode, key(kivo::sPrefMustEnterReleaseCode));
        reachOrdering();
        session.showOrderSummary();
        EXPECT_EQ(session.state(), State::Summary);
        EXPECT_EQ(view.mode, 2);
        session.didEndSheet(
            c.code, QVariantMap{{key(kivo::keyFromMethod), key(kivo::kMethodShowOrderSummary)}});
        EXPECT_EQ(session.state(), c.state) << c.code;
        EXPECT_EQ(view.mode, c.mode) << c.code;
        EXPECT_EQ(lockExists(QStringLiteral("123456")), c.lockKept) << c.code;
        if (c.state == State::ReleaseCode) {
            EXPECT_EQ(view.lastMethod(), QStringLiteral("enterReleaseCode"));
            EXPECT_TRUE(view.keypads.last().value(key(kivo::keyShowSecureText)).toBool());
            EXPECT_EQ(view.lastMessage2(), QStringLiteral("Please Contact Sales For Help..."));
        }
        waitUntil([&] { return session.state() != State::Releasing; });
        session.startOver();
    }
}

TEST_F(VisitSessionTest, WrongReleaseCodesGoBackToThePhotos)
{
    for (const char* code : {"1234", "quitApp", "openPref", "", "35821"}) {
        reachOrdering();
        session.enterReleaseCode();
        view.mode = 2;
        session.didEndSheet(kivo::kSheetReturnAccepted,
                            answer(kivo::kMethodEnterReleaseCode, QString::fromLatin1(code)));
        EXPECT_EQ(session.state(), State::Ordering) << code;
        EXPECT_EQ(view.mode, 0) << code;
        EXPECT_FALSE(view.terminated) << code;
        EXPECT_TRUE(lockExists(QStringLiteral("123456"))) << code;
        EXPECT_EQ(session.sessionSheets(), 2) << code;
    }
}

TEST_F(VisitSessionTest, ReleaseWritesThenStartsOverAndFreesTheId)
{
    std::atomic<int> calls{0};
    kivo::ReleaseRequest seen;
    session.setReleaseFunction([&](const kivo::ReleaseRequest& r) {
        ++calls;
        seen = r;
        return kivo::ReleaseOutcome{true, QString()};
    });
    reachOrdering();
    session.enterReleaseCode();
    session.didEndSheet(kivo::kSheetReturnAccepted,
                        answer(kivo::kMethodEnterReleaseCode, QStringLiteral("3582")));
    EXPECT_EQ(session.state(), State::Releasing);
    EXPECT_TRUE(view.releasePanel);
    ASSERT_TRUE(waitUntil([&] { return session.state() == State::Attract; }));
    EXPECT_EQ(calls.load(), 1);
    EXPECT_EQ(seen.customerIdNumber, QStringLiteral("123456"));
    EXPECT_EQ(seen.photos, QStringList{QStringLiteral("/p/123456_1.jpg")});
    EXPECT_FALSE(view.releasePanel);
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
}

TEST_F(VisitSessionTest, AFailedReleaseKeepsTheOrderForARetry)
{
    std::atomic<bool> fail{true};
    session.setReleaseFunction([&](const kivo::ReleaseRequest&) {
        return fail ? kivo::ReleaseOutcome{false, QStringLiteral("disk full")}
                    : kivo::ReleaseOutcome{true, QString()};
    });
    for (const char* way : {"backToOrder:", "retryRelease:"}) {
        fail = true;
        reachOrdering();
        session.releaseOrder();
        ASSERT_TRUE(waitUntil([&] { return session.state() == State::ReleaseFailed; })) << way;
        EXPECT_FALSE(view.releasePanel);
        EXPECT_TRUE(view.progresses.last()
                        .value(key(kivo::keyMessage))
                        .toString()
                        .contains(QStringLiteral("disk full")));
        EXPECT_EQ(view.progresses.last().value(key(kivo::keyButtonAction)).toString(),
                  QStringLiteral("retryRelease:"));
        EXPECT_TRUE(lockExists(QStringLiteral("123456")));
        EXPECT_EQ(session.lastReleaseError(), QStringLiteral("disk full"));

        fail = false;
        session.progressButton(QString::fromLatin1(way));
        if (QString::fromLatin1(way) == QLatin1String("backToOrder:")) {
            EXPECT_EQ(session.state(), State::Ordering);
            EXPECT_EQ(view.mode, 0);
            EXPECT_EQ(session.sessionSheets(), 2);
            session.startOver();
        } else {
            ASSERT_TRUE(waitUntil([&] { return session.state() == State::Attract; }));
            EXPECT_FALSE(lockExists(QStringLiteral("123456")));
        }
    }
}

TEST_F(VisitSessionTest, CancelAsksOnlyWhenTheSessionHasSheets)
{
    reachOrdering(0);
    session.cancelOrder();
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));

    reachOrdering(3);
    const int beepsBefore = view.beeps;
    session.cancelOrder();
    EXPECT_EQ(session.state(), State::CancelConfirmation);
    EXPECT_EQ(view.beeps, beepsBefore + 1);
    const QVariantMap sheet = view.progresses.last();
    EXPECT_EQ(sheet.value(key(kivo::keyMessage)).toString(),
              QStringLiteral("Are You Sure Your Want to Cancel This Order?"));
    EXPECT_EQ(sheet.value(key(kivo::keyButtonTitle)).toString(), QStringLiteral("Cancel Order"));
    EXPECT_EQ(sheet.value(key(kivo::keyButton2Title)).toString(), QStringLiteral("Resume Order"));

    session.progressButton(QStringLiteral("closeSelf:"));
    EXPECT_EQ(session.state(), State::Ordering);
    EXPECT_TRUE(lockExists(QStringLiteral("123456")));

    session.cancelOrder();
    session.progressButton(QStringLiteral("startOver:"));
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
}

TEST_F(VisitSessionTest, QuitAndForcedCloseReleaseTheLock)
{
    reachOrdering();
    EXPECT_TRUE(session.forceSessionToClose());
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
}

TEST_F(VisitSessionTest, SamplePrintOfTheFirstPhotoIsAskedOnce)
{
    settings().setBool(true, key(kivo::sPrefDoPREprintFirstPhoto));
    QObject observer;
    QStringList plus;
    kivo::NotificationCenter::defaultCenter().addObserver(
        &observer, key(kivo::kivoDoMakeSamplePrintNotification), [&](const kivo::Notification& n) {
            plus << n.userInfo.value(QStringLiteral("PLU")).toString();
        });
    reachOrdering();
    EXPECT_EQ(plus, QStringList{QStringLiteral("P10021")});
}

TEST_F(VisitSessionTest, AContextThatIsNoDictionaryIsIgnored)
{
    session.startOver();
    session.didEndSheet(kivo::kSheetReturnAccepted, QVariant(QStringLiteral("123456")));
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_TRUE(searcher.searches.isEmpty());
}

TEST_F(VisitSessionTest, StartUpValidationFindsMovedFoldersOrShowsTheSetupError)
{
    const QString pos = root.folder(QStringLiteral("pos"));
    settings().setString(pos, key(kivo::sPrefTilboxPendingInvoiceFolder));
    // The images folder was moved after its reference was stored.
    settings().setObject(kivo::FileReference::create(images),
                         key(kivo::sPrefMainImagesFolderAliasData));
    const QString moved = root.path() + QStringLiteral("/images-moved");
    ASSERT_TRUE(QDir().rename(images, moved));
    // A lock this station left behind in a crash.
    kivo::test::writeFile(kivo::CustomerLock::lockPath(moved, QStringLiteral("777777")),
                          kivo::CustomerLock::lockContent(QStringLiteral("777777"),
                                                          kivo::CustomerLock::hostName(),
                                                          QCoreApplication::applicationPid()));

    session.validateSetupBeforeStarting();
    EXPECT_EQ(session.state(), State::Initializing);
    EXPECT_EQ(view.progresses.first().value(key(kivo::keyMessage)).toString(),
              QStringLiteral("Initializing System..."));
    ASSERT_TRUE(waitUntil([&] { return session.state() == State::Attract; }));
    EXPECT_EQ(settings().stringForKey(key(kivo::sPrefMainImagesFolder)), moved);
    EXPECT_TRUE(settings().boolForKey(key(kivo::sPrefIsValidMainImagesFolder)));
    EXPECT_FALSE(QFileInfo::exists(kivo::CustomerLock::lockPath(moved, QStringLiteral("777777"))));

    // Now the point-of-sale folder is gone and has no reference.
    ASSERT_TRUE(QDir(pos).removeRecursively());
    FakeView v;
    SalesSession s(&v);
    s.validateSetupBeforeStarting();
    ASSERT_TRUE(waitUntil([&] { return s.state() == State::SetupError; }));
    const QVariantMap sheet = v.progresses.last();
    EXPECT_EQ(
        sheet.value(key(kivo::keyMessage)).toString(),
        QStringLiteral("UNABLE to Find REQUIRED Volumes...\nYou may need to setup your prefs...?"));
    EXPECT_TRUE(sheet.value(key(kivo::keyIsError)).toBool());
    EXPECT_EQ(sheet.value(key(kivo::keyButtonTitle)).toString(),
              QStringLiteral("Open Preferences..."));
    EXPECT_EQ(sheet.value(key(kivo::keyButtonAction)).toString(), QStringLiteral("openPref:"));
    EXPECT_FALSE(settings().boolForKey(key(kivo::sPrefIsValidTilboxPendingInvoiceFolder)));
}

TEST_F(VisitSessionTest, AnOutputThatSchedulesItsOwnCompletionIsWaitedFor)
{
    session.setReleaseFunction([](const kivo::ReleaseRequest&) {
        kivo::ReleaseOutcome r;
        r.ok = true;
        r.completionScheduled = true; // the receipt will call back when printed
        return r;
    });
    reachOrdering();
    session.releaseOrder();
    QSignalSpy finished(&session, &SalesSession::releaseFinished);
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 1; }));
    QTest::qWait(100);
    EXPECT_EQ(session.state(), State::Releasing);
    EXPECT_TRUE(lockExists(QStringLiteral("123456")));
    session.timerFireMethod();
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(view.releasePanel);
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
}
