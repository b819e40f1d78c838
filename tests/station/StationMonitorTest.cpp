// What the station tells its operators: the state that decides kivo-status' exit, with its
// reasons, and the day's figures, which start again at midnight.
#include "station/StationMonitor.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kivo;

TEST(StationMonitor, StateFollowsTheWorstOfItsSources)
{
    struct Case
    {
        const char* what;
        std::function<void(StationMonitor&)> feed;
        const char* state;
        QStringList reasons;
    };
    const Case cases[] = {
        {"nothing wrong", [](StationMonitor&) {}, StationMonitor::kServing, {}},
        {"a staff notice",
         [](StationMonitor& m) { m.setStaffNotice(QStringLiteral("codes\nsettings")); },
         StationMonitor::kServingWithWarnings,
         {}},
        {"a receipt printer",
         [](StationMonitor& m) { m.setPrinterNotice(QStringLiteral("ReceiptPDF is paused")); },
         StationMonitor::kServingWithWarnings,
         {}},
        {"a check that stops sales, over a notice",
         [](StationMonitor& m) {
             m.setStaffNotice(QStringLiteral("codes"));
             m.setOutOfService(true, {QStringLiteral("Order folder: not writable")});
         },
         StationMonitor::kOutOfService,
         {QStringLiteral("Order folder: not writable")}},
        {"the start-up check",
         [](StationMonitor& m) { m.setSetupProblem(QStringLiteral("Images folder missing")); },
         StationMonitor::kOutOfService,
         {QStringLiteral("Images folder missing")}},
        {"back in service",
         [](StationMonitor& m) {
             m.setOutOfService(true, {QStringLiteral("Log: not writable")});
             m.setSetupProblem(QStringLiteral("Images folder missing"));
             m.setOutOfService(false, {});
             m.setSetupProblem(QString());
         },
         StationMonitor::kServing,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StationMonitor monitor(QStringLiteral("1.0"));
        c.feed(monitor);
        EXPECT_EQ(monitor.state().toStdString(), c.state);
        EXPECT_EQ(monitor.outOfServiceReasons(), c.reasons);
        EXPECT_EQ(monitor.status().value("OutOfServiceReasons").toStringList(), c.reasons);
    }
}

TEST(StationMonitor, TodaysFiguresStartAgainAtMidnightAndTheCountsGoOn)
{
    QDateTime now(QDate(2026, 12, 8), QTime(23, 58));
    StationMonitor monitor(QStringLiteral("1.0"));
    monitor.setClock([&now] { return now; });
    monitor.visitStarted();
    monitor.orderReleased(QStringLiteral("123456"), 12.5);
    monitor.releaseFailed(QStringLiteral("222222"), QStringLiteral("disk full"));
    monitor.orderReleased(QStringLiteral("222222"), 7.25);
    EXPECT_EQ(monitor.ordersToday(), 2);
    EXPECT_DOUBLE_EQ(monitor.salesToday(), 19.75);

    now = now.addSecs(180); // past midnight
    EXPECT_EQ(monitor.ordersToday(), 0);
    EXPECT_DOUBLE_EQ(monitor.salesToday(), 0.0);
    monitor.orderReleased(QStringLiteral("333333"), 4.0);
    const QVariantMap status = monitor.status();
    EXPECT_EQ(status.value("OrdersToday").toLongLong(), 1);
    EXPECT_DOUBLE_EQ(status.value("SalesToday").toDouble(), 4.0);
    EXPECT_EQ(status.value("OrdersReleased").toLongLong(), 3);
    EXPECT_EQ(status.value("ReleaseFailures").toLongLong(), 1);
    EXPECT_EQ(status.value("VisitsStarted").toLongLong(), 1);
    EXPECT_EQ(status.value("LastRelease").toString(), now.toString(Qt::ISODate));
}
