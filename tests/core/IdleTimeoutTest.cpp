#include "core/IdleTimeout.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using kivo::IdleTimeout;
using Phase = IdleTimeout::Phase;

namespace {

constexpr int kTimeoutMs = 150;
constexpr int kPromptMs = 200;

struct Watch
{
    Watch()
    {
        idle.setTimeout(kTimeoutMs);
        idle.setPromptDuration(kPromptMs);
    }
    IdleTimeout idle;
    QSignalSpy shown{&idle, &IdleTimeout::promptShown};
    QSignalSpy withdrawn{&idle, &IdleTimeout::promptWithdrawn};
    QSignalSpy expired{&idle, &IdleTimeout::expired};
};

} // namespace

TEST(IdleTimeout, NoInputPromptsAfterTheTimeoutThenEndsTheVisitAfterThePrompt)
{
    Watch w;
    QElapsedTimer clock;
    clock.start();
    w.idle.setVisitActive(true);
    ASSERT_TRUE(w.shown.wait(2000));
    EXPECT_GE(clock.elapsed(), kTimeoutMs);
    EXPECT_EQ(w.idle.phase(), Phase::Prompting);
    EXPECT_GE(w.idle.promptSecondsLeft(), 1);

    ASSERT_TRUE(w.expired.wait(2000));
    EXPECT_GE(clock.elapsed(), kTimeoutMs + kPromptMs);
    EXPECT_EQ(w.withdrawn.count(), 0);
    EXPECT_EQ(w.idle.phase(), Phase::Off);
    // Ended once: no second prompt follows while the station goes back to the attract screen.
    QTest::qWait(kTimeoutMs + kPromptMs);
    EXPECT_EQ(w.shown.count(), 1);
    EXPECT_EQ(w.expired.count(), 1);
}

TEST(IdleTimeout, InputOrTheVisitsEndWithdrawsThePromptAndZeroIsOff)
{
    Watch w;
    w.idle.setVisitActive(true);
    // Touches more often than the timeout: never asked.
    for (int i = 0; i < 6; ++i) {
        QTest::qWait(kTimeoutMs / 2);
        w.idle.activity();
    }
    EXPECT_EQ(w.shown.count(), 0);

    ASSERT_TRUE(w.shown.wait(2000));
    w.idle.activity();
    EXPECT_EQ(w.withdrawn.count(), 1);
    EXPECT_EQ(w.idle.phase(), Phase::Watching);
    // The answered prompt starts a whole new watch.
    ASSERT_TRUE(w.shown.wait(2000));
    EXPECT_EQ(w.expired.count(), 0);

    // A visit that ends during the prompt withdraws it, and nothing expires.
    w.idle.setVisitActive(false);
    EXPECT_EQ(w.withdrawn.count(), 2);
    QTest::qWait(kPromptMs + 50);
    EXPECT_EQ(w.expired.count(), 0);
    // A timeout of 0 is off.
    w.idle.setTimeout(0);
    w.idle.setVisitActive(true);
    EXPECT_EQ(w.idle.phase(), Phase::Off);
    QTest::qWait(kTimeoutMs + 50);
    EXPECT_EQ(w.shown.count(), 2);
}
