#include "core/CodeGuard.h"
#include "core/CustomerLock.h"
#include "core/FileReference.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "support/FakeSessionView.h"
#include "support/TestRoot.h"
#include "visit/SalesSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <unistd.h>

using namespace kivo;
using State = SalesSession::State;
using test::waitUntil;
using FakeView = test::FakeSessionView;

namespace {

const QString kId = "123456";

SheetContext answer(SheetMethod method, const QString& data = QString(),
                    KeypadCommand command = KeypadCommand::None)
{
    return {method, data, command};
}

class VisitSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        images = root.folder("images");
        settings().setMainImagesFolder(images);
        settings().setAllowMultipleIds(false);
        settings().setMustEnterReleaseCode(true);
        settings().setDoPreprintFirstPhoto(false);
        session.setPhotoSearcher(&searcher);
        session.setCompletionDelay(20);
    }
    static Settings& settings() { return Settings::instance(); }
    bool locked(const QString& identity = kId) const
    {
        return QFileInfo::exists(CustomerLock::lockPath(images, identity));
    }
    void enterId(const QString& id)
    {
        session.didEndSheet(SheetReturn::Accepted, answer(SheetMethod::StartOver, id));
    }
    void enterCode(const SheetContext& entry)
    {
        session.enterReleaseCode();
        session.didEndSheet(SheetReturn::Accepted, entry);
    }
    // A customer with photos who has chosen a first package.
    void reachOrdering(int sheets = 2)
    {
        session.startOver();
        enterId(kId);
        session.searchFinished({kId}, {"/p/123456_1.jpg"}, false);
        session.customerOrderStarted();
        session.setSessionSheets(sheets);
    }

    test::TestRoot root;
    QString images;
    FakeView view;
    test::FakeSearcher searcher;
    SalesSession session{&view, settings()};
};

} // namespace

// The plain visit of one ID, locked and searched, is driven through the sales window's own test.
TEST_F(VisitSessionTest, SeveralIdsAreCollectedUntilAnEmptyEntry)
{
    settings().setAllowMultipleIds(true);
    session.startOver();
    enterId(kId);
    EXPECT_EQ(session.state(), State::CollectingIDs);
    EXPECT_EQ(view.lastMethod(), SheetMethod::StartOverLoop);
    const QString identity = session.customerIdNumber();
    EXPECT_TRUE(QRegularExpression("^123456_\\d{14}$").match(identity).hasMatch())
        << identity.toStdString();

    session.didEndSheet(SheetReturn::Accepted, answer(SheetMethod::StartOverLoop, "123457"));
    EXPECT_TRUE(searcher.searches.isEmpty());
    session.didEndSheet(SheetReturn::Accepted,
                        answer(SheetMethod::StartOverLoop, QString(), KeypadCommand::DoneLoop));
    EXPECT_EQ(session.state(), State::Searching);
    EXPECT_EQ(searcher.searches, (QList<QStringList>{{kId, "123457"}}));
    EXPECT_EQ(session.customerIdNumber(), identity);
    // The session identity is locked, and so is each photo ID under its plain name, which is
    // what a station serving that ID alone looks for; the start-over lets go of all of them.
    for (const QString& lock : {identity, kId, QStringLiteral("123457")})
        EXPECT_TRUE(locked(lock)) << lock.toStdString();
    session.startOver();
    EXPECT_TRUE(QDir(images).entryList({"*.inUse"}).isEmpty());
}

// Answers at the ID prompts that start no search: a wrong length (two beeps, asked again), an
// answer that no prompt asked for, preferences (asked of the application when it offers them,
// else the station carries on at the prompt) and the quit command.
TEST_F(VisitSessionTest, IdPromptAnswersThatStartNoSearch)
{
    session.startOver();
    enterId("12345");
    EXPECT_EQ(view.beeps, 2);
    EXPECT_EQ(view.keypads.size(), 2);
    session.didEndSheet(SheetReturn::Accepted, answer(SheetMethod::None, kId));
    EXPECT_EQ(session.state(), State::Attract);
    session.didEndSheet(SheetReturn::Accepted,
                        answer(SheetMethod::StartOver, QString(), KeypadCommand::OpenPreferences));
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_EQ(view.keypads.size(), 3);
    EXPECT_TRUE(searcher.searches.isEmpty());

    QList<bool> asked;
    QObject app;
    QObject::connect(&session, &SalesSession::preferencesRequested, &app,
                     [&](bool fromKeypad) { asked << fromKeypad; });
    session.didEndSheet(SheetReturn::Accepted, answer(SheetMethod::StartOverLoop, QString(),
                                                      KeypadCommand::OpenPreferences));
    EXPECT_EQ(session.state(), State::Preferences);
    EXPECT_EQ(asked, QList<bool>{true});

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

// Whatever holds the lock's path, the visit stops at the ID prompt with a red line saying why,
// and what is there is not ours to remove.
TEST_F(VisitSessionTest, AnOccupiedLockPathStopsTheVisit)
{
    const QString path = CustomerLock::lockPath(images, kId);
    // Another station's lock; and a folder, which no station makes: the staff are told (the path
    // follows the red line's start), and the visit does not go on unlocked.
    for (const bool folder : {false, true}) {
        SCOPED_TRACE(folder);
        if (folder)
            QDir().mkpath(path);
        else
            test::writeFile(path, "ID in use = 123456");
        session.startOver();
        enterId(kId);
        EXPECT_EQ(session.state(), State::Attract);
        EXPECT_TRUE(searcher.searches.isEmpty());
        EXPECT_EQ(view.lastMethod(), SheetMethod::StartOver);
        const QString red = view.lastMessage2();
        EXPECT_TRUE(folder
                        ? red.startsWith("Please call a staff member: ") && red.contains(path)
                        : red.startsWith("Sorry - Your ID [123456] Is In Use By Another System..."))
            << red.toStdString();
        EXPECT_TRUE(view.keypads.last().isError2);
        EXPECT_FALSE(session.customerLock().createdSessionFile());
        session.startOver();
        EXPECT_TRUE(QFileInfo::exists(path));
        QDir(path).removeRecursively();
        QFile::remove(path);
    }
}

// A search that finds nothing, or cannot start (no images folder: the folders are checked again,
// here found), leaves the customer at the ID prompt with the lock given back.
TEST_F(VisitSessionTest, NoPhotosReleasesTheLockAndAsksAgain)
{
    settings().setTilboxPendingInvoiceFolder(root.folder("invoices"));
    for (const bool searchStarts : {true, false}) {
        searcher.answer = searchStarts;
        session.startOver();
        enterId(kId);
        if (searchStarts) {
            ASSERT_TRUE(locked());
            session.searchFinished({kId}, {}, false);
            EXPECT_EQ(view.beeps, 3);
            EXPECT_EQ(view.lastMessage2(), "No Images Found for ID: [123456]");
        }
        EXPECT_TRUE(waitUntil([&] { return session.state() == State::Attract; }));
        EXPECT_FALSE(locked());
    }
    // A late answer of an abandoned search changes nothing.
    session.searchFinished({kId}, {"/p/x.jpg"}, false);
    EXPECT_EQ(session.state(), State::Attract);
}

TEST_F(VisitSessionTest, SummaryAnswers)
{
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
        settings().setMustEnterReleaseCode(c.mustEnterCode);
        reachOrdering();
        session.showOrderSummary();
        EXPECT_EQ(session.state(), State::Summary);
        session.didEndSheet(c.code, answer(SheetMethod::ShowOrderSummary));
        EXPECT_EQ(session.state(), c.state);
        EXPECT_EQ(view.mode, c.mode);
        EXPECT_EQ(locked(), c.lockKept);
        EXPECT_EQ(view.keypads.last().secureText, c.state == State::ReleaseCode);
        waitUntil([&] { return session.state() != State::Releasing; });
        session.startOver();
    }
}

// The release code never reaches the log, neither as entered nor as the code itself.
TEST_F(VisitSessionTest, WrongReleaseCodesGoBackToThePhotosAndAreNotLogged)
{
    const QString log = root.folder("logs") + "/visit.log";
    const int savedStderr = ::dup(STDERR_FILENO);
    ASSERT_TRUE(Log::setLogFile(log));
    const QList<SheetContext> entries{
        answer(SheetMethod::EnterReleaseCode, "1234"),
        answer(SheetMethod::EnterReleaseCode, "35821"),
        answer(SheetMethod::EnterReleaseCode),
        answer(SheetMethod::EnterReleaseCode, QString(), KeypadCommand::QuitApp),
        answer(SheetMethod::EnterReleaseCode, QString(), KeypadCommand::OpenPreferences),
    };
    for (const SheetContext& entry : entries) {
        SCOPED_TRACE(entry.returnData.toStdString() + " command " +
                     std::to_string(static_cast<int>(entry.command)));
        reachOrdering();
        view.mode = ScreenMode::ContentHidden;
        enterCode(entry);
        EXPECT_EQ(session.state(), State::Ordering);
        EXPECT_EQ(view.mode, ScreenMode::Selling);
        EXPECT_FALSE(view.terminated);
        EXPECT_TRUE(locked());
        EXPECT_EQ(session.sessionSheets(), 2);
    }
    session.setReleaseFunction([](const ReleaseRequest&) {
        return ReleaseOutcome{true, QString()};
    });
    enterCode(answer(SheetMethod::EnterReleaseCode, "3582"));
    EXPECT_EQ(session.state(), State::Releasing);
    waitUntil([&] { return session.state() == State::Attract; });

    Log::resetForTesting();
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    // The answers' own lines (the rest of the log holds times and temporary paths).
    const QStringList answers =
        QString::fromUtf8(test::readFile(log)).split(QLatin1Char('\n')).filter("didEndSheet");
    EXPECT_EQ(answers.filter("wrong code entered").size(), entries.size());
    for (const char* secret : {"1234", "35821", "3582"})
        EXPECT_TRUE(answers.filter(QLatin1String(secret)).isEmpty()) << secret;
}

TEST_F(VisitSessionTest, AFailedReleaseKeepsTheOrderForARetry)
{
    std::atomic<bool> fail{true};
    session.setReleaseFunction([&](const ReleaseRequest&) {
        return fail ? ReleaseOutcome{false, "disk full"} : ReleaseOutcome{true, QString()};
    });
    for (const SheetAction way : {SheetAction::BackToOrder, SheetAction::RetryRelease}) {
        SCOPED_TRACE(static_cast<int>(way));
        fail = true;
        reachOrdering();
        session.releaseOrder();
        ASSERT_TRUE(waitUntil([&] { return session.state() == State::ReleaseFailed; }));
        EXPECT_FALSE(view.releasePanel);
        const ProgressOptions& sheet = view.progresses.last();
        EXPECT_TRUE(sheet.message.contains("disk full"));
        EXPECT_EQ(sheet.button1.action, SheetAction::RetryRelease);
        EXPECT_EQ(sheet.button2.action, SheetAction::BackToOrder);
        EXPECT_TRUE(locked());

        fail = false;
        session.performSheetAction(way);
        if (way == SheetAction::BackToOrder) {
            EXPECT_EQ(session.state(), State::Ordering);
            EXPECT_EQ(session.sessionSheets(), 2);
            session.startOver();
        } else {
            ASSERT_TRUE(waitUntil([&] { return session.state() == State::Attract; }));
            EXPECT_FALSE(locked());
        }
    }
}

TEST_F(VisitSessionTest, CancelAsksOnlyWhenTheSessionHasSheets)
{
    reachOrdering(0);
    session.cancelOrder();
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(locked());

    reachOrdering(3);
    session.cancelOrder();
    EXPECT_EQ(session.state(), State::CancelConfirmation);
    const ProgressOptions& sheet = view.progresses.last();
    EXPECT_EQ(sheet.button1.action, SheetAction::StartOver);
    EXPECT_EQ(sheet.button2.action, SheetAction::CloseSelf);
    // A question for the customer, asked calmly: no error colour, no bar at work.
    EXPECT_FALSE(sheet.isError);
    EXPECT_FALSE(sheet.showIndicator);

    session.performSheetAction(sheet.button2.action); // "Resume Order"
    EXPECT_EQ(session.state(), State::Ordering);
    EXPECT_TRUE(locked());

    session.cancelOrder();
    session.performSheetAction(view.progresses.last().button1.action); // "Cancel Order"
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(locked());

    // The station's end lets the lock go too.
    reachOrdering();
    ASSERT_TRUE(locked());
    session.forceSessionToClose();
    EXPECT_FALSE(locked());
}

TEST_F(VisitSessionTest, StartUpValidationFindsMovedFoldersAndRemovesOurLeftLocks)
{
    const QString pos = root.folder("pos");
    settings().setTilboxPendingInvoiceFolder(pos);
    // The images folder was moved after its reference was stored.
    settings().setMainImagesFolderAliasData(FileReference::create(images));
    const QString moved = root.path() + "/images-moved";
    ASSERT_TRUE(QDir().rename(images, moved));
    // A lock this station left behind in a crash.
    const QString left = CustomerLock::lockPath(moved, "777777");
    test::writeFile(left, CustomerLock::lockContent("777777", CustomerLock::hostName(),
                                                    QCoreApplication::applicationPid()));

    session.validateSetupBeforeStarting();
    EXPECT_EQ(session.state(), State::Initializing);
    ASSERT_TRUE(waitUntil([&] { return session.state() == State::Attract; }));
    EXPECT_EQ(settings().mainImagesFolder(), moved);
    EXPECT_TRUE(settings().isValidMainImagesFolder());
    EXPECT_FALSE(QFileInfo::exists(left));
}

// The images share not mounted yet: the setup-problem screen opens the preferences only for
// the administrator code (no code goes back to it), and serves by itself once the folders are
// there.
TEST_F(VisitSessionTest, TheSetupScreenAsksForTheCodeAndServesOnceTheFoldersAreThere)
{
    const QString share = root.path() + "/share";
    settings().setMainImagesFolder(share + "/images");
    settings().setTilboxPendingInvoiceFolder(share + "/invoices");
    session.setSetupRetryInterval(50);
    QList<bool> asked;
    QObject app;
    QObject::connect(&session, &SalesSession::preferencesRequested, &app,
                     [&](bool fromKeypad) { asked << fromKeypad; });

    session.validateSetupBeforeStarting();
    ASSERT_TRUE(waitUntil([&] { return session.state() == State::SetupError; }));
    ASSERT_EQ(view.progresses.last().button1.action, SheetAction::OpenPreferences);
    EXPECT_TRUE(view.progresses.last().message.startsWith("UNABLE to Find REQUIRED Volumes..."));
    const auto answers = {
        answer(SheetMethod::EnterAdminCode),
        answer(SheetMethod::EnterAdminCode, QString(), KeypadCommand::OpenPreferences)};
    for (const SheetContext& entry : answers) {
        session.performSheetAction(SheetAction::OpenPreferences);
        EXPECT_EQ(session.state(), State::AdminCode);
        EXPECT_EQ(view.lastMethod(), SheetMethod::EnterAdminCode);
        EXPECT_TRUE(view.keypads.last().secureText);
        EXPECT_TRUE(asked.isEmpty());
        session.didEndSheet(SheetReturn::Accepted, entry);
    }
    EXPECT_EQ(asked, QList<bool>{true});
    EXPECT_EQ(view.progresses.size(), 3); // initializing, the setup problem, again after no code

    // Back on the setup screen (the preferences closed without mending it), the share comes up.
    session.validateSetupBeforeStarting();
    ASSERT_TRUE(waitUntil([&] { return session.state() == State::SetupError; }));
    QTest::qWait(200); // a few rounds find nothing
    EXPECT_EQ(session.state(), State::SetupError);
    QDir().mkpath(share + "/images");
    QDir().mkpath(share + "/invoices");
    EXPECT_TRUE(waitUntil([&] { return session.state() == State::Attract; }, 3000));
    EXPECT_EQ(view.lastMethod(), SheetMethod::StartOver);
}

// Five wrong release codes in a row: codes are refused for a while, the right one too, and a
// right one afterwards starts the count again.
TEST_F(VisitSessionTest, WrongReleaseCodesLockTheCodesForAWhile)
{
    qint64 now = 0;
    CodeGuard guard([&] { return now; });
    session.setCodeGuard(&guard);
    session.setReleaseFunction([](const ReleaseRequest&) {
        return ReleaseOutcome{true, QString()};
    });
    for (int i = 0; i < CodeGuard::kFreeTries; ++i) {
        reachOrdering();
        enterCode(answer(SheetMethod::EnterReleaseCode, "1111"));
        EXPECT_EQ(session.state(), State::Ordering);
    }
    enterCode(answer(SheetMethod::EnterReleaseCode, "3582"));
    EXPECT_EQ(session.state(), State::Ordering);
    now += CodeGuard::kFirstLockMs;
    enterCode(answer(SheetMethod::EnterReleaseCode, "3582"));
    EXPECT_EQ(session.state(), State::Releasing);
    EXPECT_EQ(guard.wrongInARow(), 0);
    waitUntil([&] { return session.state() == State::Attract; });
}

TEST_F(VisitSessionTest, AnOutputThatSchedulesItsOwnCompletionIsWaitedFor)
{
    session.setReleaseFunction([](const ReleaseRequest&) {
        ReleaseOutcome r{true, QString()};
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
    EXPECT_TRUE(locked());
    session.onStartOverTimer();
    EXPECT_EQ(session.state(), State::Attract);
    EXPECT_FALSE(locked());
}

// The station's end while a release is still writing: the release is let finish, and its
// outcome is shown to nobody, since the window is going away.
TEST_F(VisitSessionTest, ADestroyedSessionLetsItsReleaseFinishWithoutCallingTheView)
{
    QSemaphore go;
    std::atomic<bool> written{false};
    FakeView v;
    auto* s = new SalesSession(&v, settings());
    s->setReleaseFunction([&](const ReleaseRequest&) {
        go.acquire();
        written = true;
        return ReleaseOutcome{false, "disk full"};
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

TEST(VisitStates, OnlyStatesThatShowTheCustomersPhotosOrOrderAreWatchedForIdleness)
{
    const struct
    {
        State state;
        bool watched;
    } cases[] = {
        {State::Choosing, true},   {State::Ordering, true},    {State::CancelConfirmation, true},
        {State::Summary, true},    {State::ReleaseCode, true}, {State::Attract, false},
        {State::Searching, false}, {State::Releasing, false},  {State::Preferences, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SalesSession::showsCustomerContent(c.state), c.watched) << int(c.state);
}
