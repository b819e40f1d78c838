#include "search/KeypadRules.h"
#include "core/CodeGuard.h"
#include "core/Settings.h"
#include "search/EntryFieldFormatter.h"
#include "search/KeypadBeeper.h"
#include "search/KeypadHoldTimer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <vector>

namespace keypad = kivo::keypad;
using Action = keypad::CloseOutcome::Action;
using Command = kivo::KeypadCommand;
using Method = kivo::SheetMethod;

TEST(KeypadRulesTest, EnterFollowsThePromptsRules)
{
    struct Case
    {
        const char* buffer;
        Method method;
        Action action;
        const char* result;
        Command command;
        int beeps;
        const char* error;
    };
    const std::vector<Case> cases{
        // IDs: exactly six digits.
        {"123456", Method::StartOver, Action::Close, "123456", Command::None, 0, ""},
        {"12345", Method::StartOver, Action::StayOpen, "", Command::None, 1,
         "ID=[12345] Must Be 6 Digits!"},
        {"1234567", Method::StartOverLoop, Action::StayOpen, "", Command::None, 1,
         "ID=[1234567] Must Be 6 Digits!"},
        {"654321", Method::StartOverLoop, Action::Close, "654321", Command::None, 0, ""},
        // The release code has no length rule; an empty one closes too.
        {"3582", Method::EnterReleaseCode, Action::Close, "3582", Command::None, 0, ""},
        {"", Method::EnterReleaseCode, Action::Close, "", Command::None, 0, ""},
        {"12", Method::None, Action::Close, "12", Command::None, 0, ""},
        // Empty entries.
        {"", Method::StartOverLoop, Action::Close, "", Command::DoneLoop, 0, ""},
        {"", Method::StartOver, Action::StayOpen, "", Command::None, 1, ""},
        {"", Method::ShowOrderSummary, Action::StayOpen, "", Command::None, 1, ""},
        {"", Method::None, Action::Close, "", Command::None, 0, ""},
        // The three codes, for any prompt and in any case.
        {"*4826#", Method::StartOver, Action::Close, "", Command::OpenPreferences, 0, ""},
        {"*5281#", Method::EnterReleaseCode, Action::Close, "", Command::QuitApp, 0, ""},
        {"*5281#", Method::None, Action::Close, "", Command::QuitApp, 0, ""},
        {"*6394#", Method::StartOver, Action::EnterAdminMode, "", Command::None, 0, ""},
        {"*6394#", Method::EnterReleaseCode, Action::EnterAdminMode, "", Command::None, 0, ""},
        // The administrator prompt: only a code gets through; no entry goes back.
        {"*4826#", Method::EnterAdminCode, Action::Close, "", Command::OpenPreferences, 0, ""},
        {"4826", Method::EnterAdminCode, Action::StayOpen, "", Command::None, 2, "Wrong Code..."},
        {"", Method::EnterAdminCode, Action::Close, "", Command::None, 0, ""},
        // Anything else with a non-digit: two beeps, the entry stays.
        {"12*456", Method::StartOver, Action::StayOpen, "12*456", Command::None, 2, ""},
        {"*4826", Method::EnterReleaseCode, Action::StayOpen, "*4826", Command::None, 2, ""},
    };
    const kivo::SiteCodes codes(kivo::Settings::instance());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.buffer << " / method " << static_cast<int>(c.method));
        const keypad::CloseOutcome out =
            keypad::closeOutcome(QString::fromLatin1(c.buffer), c.method, codes);
        EXPECT_EQ(out.action, c.action);
        EXPECT_EQ(out.buffer, QString::fromLatin1(c.result));
        EXPECT_EQ(out.command, c.command);
        EXPECT_EQ(out.beeps, c.beeps);
        EXPECT_EQ(out.errorLine2, QString::fromLatin1(c.error));
    }
    // A null buffer counts as empty.
    EXPECT_EQ(keypad::closeOutcome(QString(), Method::StartOverLoop, codes).command,
              Command::DoneLoop);
}

// Guessing: five wrong codes in a row refuse every code for 30 s, then 60 s, ... at most 15 min;
// photo IDs are still taken meanwhile, and a right code starts the count and the doubling again.
TEST(KeypadRulesTest, WrongCodesAreRefusedForAWhileButIdsAreTaken)
{
    qint64 now = 0;
    kivo::CodeGuard guard([&] { return now; });
    const kivo::SiteCodes codes(kivo::Settings::instance());
    auto enter = [&](const char* buffer, Method method) {
        return keypad::closeOutcome(QString::fromLatin1(buffer), method, codes, guard);
    };
    const qint64 locks[] = {30, 60, 120, 240, 480, 900, 900};
    for (const qint64 seconds : locks) {
        SCOPED_TRACE(seconds);
        for (int i = 0; i < kivo::CodeGuard::kFreeTries; ++i) {
            EXPECT_FALSE(guard.isLocked());
            // Wrong command codes, and anything at the administrator prompt.
            enter(i % 2 ? "*1111#" : "2222", i % 2 ? Method::StartOver : Method::EnterAdminCode);
        }
        EXPECT_EQ(guard.remainingMs(), seconds * 1000);
        struct Refused
        {
            const char* buffer;
            Method method;
        };
        for (const Refused& r :
             {Refused{"*4826#", Method::StartOver}, Refused{"*6394#", Method::StartOver},
              Refused{"*4826#", Method::EnterAdminCode},
              Refused{"3582", Method::EnterReleaseCode}}) {
            const keypad::CloseOutcome out = enter(r.buffer, r.method);
            EXPECT_EQ(out.action, Action::StayOpen) << r.buffer;
            EXPECT_EQ(out.buffer, QString()) << r.buffer;
            EXPECT_TRUE(out.errorLine2.startsWith("Too Many Wrong Codes")) << r.buffer;
        }
        const keypad::CloseOutcome id = enter("123456", Method::StartOver);
        EXPECT_EQ(id.action, Action::Close);
        EXPECT_EQ(id.buffer, QStringLiteral("123456"));
        now += seconds * 1000 - 1;
        EXPECT_TRUE(guard.isLocked());
        now += 1;
    }
    EXPECT_EQ(enter("*4826#", Method::EnterAdminCode).command, Command::OpenPreferences);
    for (int i = 0; i < kivo::CodeGuard::kFreeTries; ++i)
        enter("*1111#", Method::None);
    EXPECT_EQ(guard.remainingMs(), 30 * 1000);
}

TEST(KeypadRulesTest, TheSeventhDigitIsRefusedOnTheIdField)
{
    EXPECT_TRUE(keypad::pushDigit(QStringLiteral("12345"), false).insert);
    const keypad::DigitOutcome seventh = keypad::pushDigit(QStringLiteral("123456"), false);
    EXPECT_FALSE(seventh.insert);
    EXPECT_EQ(seventh.beeps, 1);
    EXPECT_EQ(seventh.errorLine2, QStringLiteral("ID=[123456] is Already 6 Digits..."));
    EXPECT_TRUE(keypad::pushDigit(QStringLiteral("123456"), true).insert);
}

TEST(KeypadRulesTest, FormatterCleansAndLimitsEdits)
{
    kivo::EntryFieldFormatter f;
    struct Case
    {
        const char* proposed;
        bool accepted;
        const char* text;
        bool beep;
    };
    const std::vector<Case> cases{
        {"123", true, "123", false},
        {"12a3", true, "123", true},
        {"*5281#", true, "*5281#", false},
        {"1234567", false, "", true},
        {"12 34", true, "1234", true},
        {"", true, "", false},
        {"ab", true, "", true},
    };
    for (const Case& c : cases) {
        const auto r = f.isPartialStringValid(QString::fromLatin1(c.proposed));
        EXPECT_EQ(r.accepted, c.accepted) << c.proposed;
        if (c.accepted) {
            EXPECT_EQ(r.text, QString::fromLatin1(c.text)) << c.proposed;
        }
        EXPECT_EQ(r.beep, c.beep) << c.proposed;
    }
}

TEST(KeypadRulesTest, HoldingThreeSecondsCountsOnce)
{
    const QDateTime t0 = QDateTime::currentDateTime();
    kivo::KeypadHoldTimer timer;
    timer.mouseDown(t0);
    EXPECT_FALSE(timer.mouseUp(t0.addMSecs(2999)));
    EXPECT_FALSE(timer.didHoldDownLongEnough(t0.addMSecs(2999), false));
    // A button that is not continuous forgets the press after every check.
    EXPECT_FALSE(timer.didHoldDownLongEnough(t0.addMSecs(5000), false));

    timer.mouseDown(t0);
    EXPECT_TRUE(timer.mouseUp(t0.addMSecs(3001)));
    EXPECT_TRUE(timer.didHoldDownLongEnough(t0.addMSecs(3001), false));
    EXPECT_FALSE(timer.didHoldDownLongEnough(t0.addMSecs(3002), false));

    // A continuous button keeps the moment until the hold has triggered, then only once.
    timer.mouseDown(t0);
    EXPECT_FALSE(timer.didHoldDownLongEnough(t0.addMSecs(1000), true));
    EXPECT_TRUE(timer.didHoldDownLongEnough(t0.addMSecs(3500), true));
    EXPECT_FALSE(timer.didHoldDownLongEnough(t0.addMSecs(3600), true));
}

TEST(KeypadRulesTest, BeepsComeOnTheOwnersThreadAQuarterSecondApart)
{
    QList<qint64> times;
    QList<QThread*> threads;
    QElapsedTimer clock;
    clock.start();
    kivo::KeypadBeeper beeper([&] {
        times << clock.elapsed();
        threads << QThread::currentThread();
    });
    // Asked from a worker thread, as the search and the lock refusal do.
    QThread* worker = QThread::create([&] { beeper.playBeeps(3); });
    worker->start();
    worker->wait();
    delete worker;
    QDeadlineTimer deadline(3000);
    while (times.size() < 3 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(times.size(), 3);
    for (QThread* t : threads)
        EXPECT_EQ(t, QCoreApplication::instance()->thread());
    EXPECT_GE(times[1] - times[0], 200);
    EXPECT_GE(times[2] - times[1], 200);
    EXPECT_EQ(beeper.pending(), 0);
}
