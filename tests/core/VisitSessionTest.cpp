#include "core/CustomerLock.h"
#include "core/FileReference.h"
#include "core/Log.h"
#include "core/NotificationCenter.h"
#include "core/SalesSession.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "support/FakeSessionView.h"
#include "support/TestRoot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <QSemaphore>
#include <QTimer>

#include <atomic>
#include <functional>
#include <unistd.h>

using kivo::SalesSession;
using State = kivo::SalesSession::State;

namespace {

using kivo::KeypadCommand;
using kivo::SheetMethod;
using kivo::SheetReturn;
using kivo::test::waitUntil;
using FakeView = kivo::test::FakeSessionView;

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

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

kivo::SheetContext answer(SheetMethod method, const QString& data,
                          KeypadCommand command = KeypadCommand::None)
{
    return {method, data, command};
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
        session.didEndSheet(SheetReturn::Accepted, answer(SheetMethod::StartOver, id));
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
    SalesSession session{&view, settings()};
};

} // namespace

TEST_F(VisitSessionTest, OneIdLocksSearchesAndSells)
{
    session.startOver();
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_EQ(view.mode, kivo::ScreenMode::Attract);
    ASSERT_EQ(view.keypads.size(), 1);
    EXPECT_EQ(view.lastMethod(), SheetMethod::StartOver);
    EXPECT_EQ(view.keypads.last().message, QStringLiteral("Please Enter/Scan Your Photo ID"));
    EXPECT_FALSE(view.keypads.last().message2.has_value());

    enterId(QStringLiteral("123456"));
    EXPECT_EQ(session.state(), State::Searching);
    EXPECT_EQ(session.customerIdNumber(), QStringLiteral("123456"));
    ASSERT_EQ(searcher.searches.size(), 1);
    EXPECT_EQ(searcher.searches[0], QStringList{QStringLiteral("123456")});
    EXPECT_TRUE(lockExists(QStringLiteral("123456")));

    const QStringList photos{QStringLiteral("/p/123456_1.jpg"), QStringLiteral("/p/123456_2.jpg")};
    session.searchFinished({QStringLiteral("123456")}, photos, false);
    EXPECT_EQ(session.state(), State::Choosing);
    EXPECT_EQ(view.mode, kivo::ScreenMode::Selling);
    EXPECT_EQ(view.photos, photos);
    EXPECT_FALSE(session.sessionStarted());

    kivo::NotificationCenter::defaultCenter().postNotification(
        key(kivo::kivoEnteredFirstPackageNotification));
    EXPECT_EQ(session.state(), State::Ordering);
    EXPECT_TRUE(session.sessionStarted());

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
    EXPECT_EQ(view.lastMethod(), SheetMethod::StartOverLoop);
    EXPECT_EQ(view.keypads.last().message, QStringLiteral("Please Enter Another ID"));
    EXPECT_EQ(view.lastMessage2(), QStringLiteral("If NO More ID, Just Hit Enter."));
    const QString identity = session.customerIdNumber();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^123456_\\d{14}$")).match(identity).hasMatch())
        << identity.toStdString();
    EXPECT_TRUE(searcher.searches.isEmpty());

    session.didEndSheet(SheetReturn::Accepted,
                        answer(SheetMethod::StartOverLoop, QStringLiteral("123457")));
    EXPECT_EQ(session.state(), State::CollectingIDs);
    session.didEndSheet(SheetReturn::Accepted,
                        answer(SheetMethod::StartOverLoop, QString(), KeypadCommand::DoneLoop));
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

TEST_F(VisitSessionTest, QuitCommandQuitsFromEitherIdPrompt)
{
    for (const SheetMethod method : {SheetMethod::StartOver, SheetMethod::StartOverLoop}) {
        FakeView v;
        SalesSession s(&v, settings());
        s.startOver();
        s.didEndSheet(SheetReturn::Accepted, answer(method, QString(), KeypadCommand::QuitApp));
        EXPECT_EQ(s.state(), State::Quit);
        EXPECT_TRUE(v.menuBarShown);
        EXPECT_TRUE(v.terminated);
    }
}

TEST_F(VisitSessionTest, PreferencesAreAskedOfTheApplicationOrTheStationContinues)
{
    session.startOver();
    // Nobody offers preferences: the station carries on at the ID prompt.
    session.didEndSheet(SheetReturn::Accepted,
                        answer(SheetMethod::StartOver, QString(), KeypadCommand::OpenPreferences));
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_EQ(view.keypads.size(), 2);

    QList<bool> asked;
    QObject app;
    QObject::connect(&session, &SalesSession::preferencesRequested, &app,
                     [&](bool fromKeypad) { asked << fromKeypad; });
    session.didEndSheet(SheetReturn::Accepted, answer(SheetMethod::StartOverLoop, QString(),
                                                      KeypadCommand::OpenPreferences));
    EXPECT_EQ(session.state(), State::Preferences);
    EXPECT_EQ(asked, QList<bool>{true});
}

// Whatever holds the lock's path, the visit stops at the ID prompt with a red line saying why,
// and what is there is not ours to remove.
TEST_F(VisitSessionTest, AnOccupiedLockPathStopsTheVisit)
{
    const QString path = kivo::CustomerLock::lockPath(images, QStringLiteral("123456"));
    struct Case
    {
        const char* what;
        std::function<void()> occupy;
        QString lead; // the red line's start; the path follows when the staff must act
        QString named;
    };
    const Case cases[] = {
        {"another station's lock", [&] { kivo::test::writeFile(path, "ID in use = 123456"); },
         QStringLiteral("Sorry - Your ID [123456] Is In Use By Another System..."), QString()},
        // No station made a folder: the staff are told, and the visit does not go on unlocked.
        {"a folder", [&] { QDir().mkpath(path); }, QStringLiteral("Please call a staff member: "),
         path},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.occupy();
        session.startOver();
        enterId(QStringLiteral("123456"));
        EXPECT_EQ(session.state(), State::Attract);
        EXPECT_TRUE(searcher.searches.isEmpty());
        EXPECT_EQ(view.lastMethod(), SheetMethod::StartOver);
        const QString red = view.lastMessage2();
        EXPECT_TRUE(red.startsWith(c.lead) && red.contains(c.named)) << red.toStdString();
        EXPECT_TRUE(view.keypads.last().isError2);
        EXPECT_FALSE(session.customerLock().createdSessionFile());
        session.startOver();
        EXPECT_TRUE(QFileInfo::exists(path));
        QDir(path).removeRecursively();
        QFile::remove(path);
    }
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
    using kivo::ScreenMode;
    struct Case
    {
        SheetReturn code;
        bool mustEnterCode;
        State state;
        ScreenMode mode;
        bool lockKept;
    };
    const Case cases[] = {
        {SheetReturn::Stopped, true, State::Attract, ScreenMode::Attract, false},
        {SheetReturn::Cancelled, true, State::Ordering, ScreenMode::Selling, true},
        {SheetReturn::Accepted, true, State::ReleaseCode, ScreenMode::ContentHidden, true},
        {SheetReturn::Accepted, false, State::Releasing, ScreenMode::ContentHidden, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "code " << static_cast<int>(c.code) << " must enter " << c.mustEnterCode);
        settings().setBool(c.mustEnterCode, key(kivo::sPrefMustEnterReleaseCode));
        reachOrdering();
        session.showOrderSummary();
        EXPECT_EQ(session.state(), State::Summary);
        EXPECT_EQ(view.mode, ScreenMode::ContentHidden);
        session.didEndSheet(c.code, answer(SheetMethod::ShowOrderSummary, QString()));
        EXPECT_EQ(session.state(), c.state);
        EXPECT_EQ(view.mode, c.mode);
        EXPECT_EQ(lockExists(QStringLiteral("123456")), c.lockKept);
        if (c.state == State::ReleaseCode) {
            EXPECT_EQ(view.lastMethod(), SheetMethod::EnterReleaseCode);
            EXPECT_TRUE(view.keypads.last().secureText);
        }
        waitUntil([&] { return session.state() != State::Releasing; });
        session.startOver();
    }
}

// The release code never reaches the log, neither as entered nor as the code itself.
TEST_F(VisitSessionTest, WrongReleaseCodesGoBackToThePhotosAndAreNotLogged)
{
    const QString log = root.folder(QStringLiteral("logs")) + QStringLiteral("/visit.log");
    const int savedStderr = ::dup(STDERR_FILENO);
    ASSERT_TRUE(kivo::Log::setLogFile(log));
    const QList<kivo::SheetContext> entries{
        answer(SheetMethod::EnterReleaseCode, QStringLiteral("1234")),
        answer(SheetMethod::EnterReleaseCode, QStringLiteral("35821")),
        answer(SheetMethod::EnterReleaseCode, QString()),
        answer(SheetMethod::EnterReleaseCode, QString(), KeypadCommand::QuitApp),
        answer(SheetMethod::EnterReleaseCode, QString(), KeypadCommand::OpenPreferences),
    };
    for (const kivo::SheetContext& entry : entries) {
        SCOPED_TRACE(entry.returnData.toStdString() + " command " +
                     std::to_string(static_cast<int>(entry.command)));
        reachOrdering();
        session.enterReleaseCode();
        view.mode = kivo::ScreenMode::ContentHidden;
        session.didEndSheet(SheetReturn::Accepted, entry);
        EXPECT_EQ(session.state(), State::Ordering);
        EXPECT_EQ(view.mode, kivo::ScreenMode::Selling);
        EXPECT_FALSE(view.terminated);
        EXPECT_TRUE(lockExists(QStringLiteral("123456")));
        EXPECT_EQ(session.sessionSheets(), 2);
    }
    session.setReleaseFunction([](const kivo::ReleaseRequest&) {
        return kivo::ReleaseOutcome{true, QString()};
    });
    session.enterReleaseCode();
    session.didEndSheet(SheetReturn::Accepted,
                        answer(SheetMethod::EnterReleaseCode, QStringLiteral("3582")));
    EXPECT_EQ(session.state(), State::Releasing);
    waitUntil([&] { return session.state() == State::Attract; });

    kivo::Log::resetForTesting();
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    // The answers' own lines (the rest of the log holds times and temporary paths).
    const QStringList answers = QString::fromUtf8(kivo::test::readFile(log))
                                    .split(QLatin1Char('\n'))
                                    .filter(QStringLiteral("didEndSheet"));
    EXPECT_EQ(answers.filter(QStringLiteral("wrong code entered")).size(), entries.size());
    for (const char* secret : {"1234", "35821", "3582"})
        EXPECT_TRUE(answers.filter(QLatin1String(secret)).isEmpty()) << secret;
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
    session.didEndSheet(SheetReturn::Accepted,
                        answer(SheetMethod::EnterReleaseCode, QStringLiteral("3582")));
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
    for (const kivo::SheetAction way :
         {kivo::SheetAction::BackToOrder, kivo::SheetAction::RetryRelease}) {
        SCOPED_TRACE(static_cast<int>(way));
        fail = true;
        reachOrdering();
        session.releaseOrder();
        ASSERT_TRUE(waitUntil([&] { return session.state() == State::ReleaseFailed; }));
        EXPECT_FALSE(view.releasePanel);
        const kivo::ProgressOptions& sheet = view.progresses.last();
        EXPECT_TRUE(sheet.message.contains(QStringLiteral("disk full")));
        EXPECT_EQ(sheet.button1.action, kivo::SheetAction::RetryRelease);
        EXPECT_EQ(sheet.button2.action, kivo::SheetAction::BackToOrder);
        EXPECT_TRUE(lockExists(QStringLiteral("123456")));

        fail = false;
        session.performSheetAction(way);
        if (way == kivo::SheetAction::BackToOrder) {
            EXPECT_EQ(session.state(), State::Ordering);
            EXPECT_EQ(view.mode, kivo::ScreenMode::Selling);
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
    const kivo::ProgressOptions& sheet = view.progresses.last();
    EXPECT_EQ(sheet.message, QStringLiteral("Are You Sure You Want to Cancel This Order?"));
    EXPECT_EQ(sheet.button1.action, kivo::SheetAction::StartOver);
    EXPECT_EQ(sheet.button2.action, kivo::SheetAction::CloseSelf);

    session.performSheetAction(sheet.button2.action); // "Resume Order"
    EXPECT_EQ(session.state(), State::Ordering);
    EXPECT_TRUE(lockExists(QStringLiteral("123456")));

    session.cancelOrder();
    session.performSheetAction(view.progresses.last().button1.action); // "Cancel Order"
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

TEST_F(VisitSessionTest, AnAnswerWithoutAPromptIsIgnored)
{
    session.startOver();
    session.didEndSheet(SheetReturn::Accepted, answer(SheetMethod::None, QStringLiteral("123456")));
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
    ASSERT_TRUE(waitUntil([&] { return session.state() == State::Attract; }));
    EXPECT_EQ(settings().stringForKey(key(kivo::sPrefMainImagesFolder)), moved);
    EXPECT_TRUE(settings().boolForKey(key(kivo::sPrefIsValidMainImagesFolder)));
    EXPECT_FALSE(QFileInfo::exists(kivo::CustomerLock::lockPath(moved, QStringLiteral("777777"))));

    // Now the point-of-sale folder is gone and has no reference.
    ASSERT_TRUE(QDir(pos).removeRecursively());
    FakeView v;
    SalesSession s(&v, settings());
    s.validateSetupBeforeStarting();
    ASSERT_TRUE(waitUntil([&] { return s.state() == State::SetupError; }));
    const kivo::ProgressOptions& sheet = v.progresses.last();
    EXPECT_TRUE(sheet.isError);
    EXPECT_EQ(sheet.button1.action, kivo::SheetAction::OpenPreferences);
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
    QSignalSpy finished(&session, &SalesSession::releaseFinished);
    session.releaseOrder();
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 1; }));
    // Longer than the session's own completion delay: nothing starts over by itself.
    QTest::qWait(100);
    EXPECT_EQ(session.state(), State::Releasing);
    EXPECT_TRUE(lockExists(QStringLiteral("123456")));
    session.timerFireMethod();
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(view.releasePanel);
    EXPECT_FALSE(lockExists(QStringLiteral("123456")));
}

// The station's end while a release is still writing: the release is let finish, and its
// outcome is shown to nobody, since the window is going away.
TEST_F(VisitSessionTest, ADestroyedSessionLetsItsReleaseFinishWithoutCallingTheView)
{
    QSemaphore go;
    std::atomic<bool> written{false};
    FakeView v;
    auto* s = new SalesSession(&v, settings());
    s->setReleaseFunction([&](const kivo::ReleaseRequest&) {
        go.acquire();
        written = true;
        return kivo::ReleaseOutcome{false, QStringLiteral("disk full")};
    });
    s->releaseOrder();
    const qsizetype shown = v.progresses.size();
    // Let the worker go only once the session is waiting for it.
    QTimer::singleShot(50, [&] { go.release(); });
    delete s;
    EXPECT_TRUE(written);
    EXPECT_EQ(v.progresses.size(), shown);
    EXPECT_EQ(v.beeps, 0);
}
