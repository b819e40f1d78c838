// The station as its service manager sees it: started on an empty KIVO_ROOT, stopped with
// SIGTERM, its child application ending with it.
#include "core/PropertyList.h"
#include "core/SettingsKeys.h"
#include "support/TestRoot.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <csignal>

#ifdef KIVO_STATION_BINARY

using namespace kivo;

namespace {

// The station on ROOT, with the offscreen platform and EXTRA in its environment.
void startStation(QProcess& station, const test::TestRoot& root,
                  const QList<QPair<QString, QString>>& extra = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KIVO_ROOT", root.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (const auto& [name, value] : extra)
        env.insert(name, value);
    station.setProcessEnvironment(env);
    station.start(KIVO_STATION_BINARY, {});
    ASSERT_TRUE(station.waitForStarted(10000));
}

} // namespace

TEST(StationProcess, StartsOnAnEmptyRootAndEndsCleanlyWithItsChildOnSigterm)
{
    test::TestRoot root;
    const QString childLog = root.file("child.log");
    // The child is named as the station's settings name it.
    root.folder("config");
    ASSERT_TRUE(plist::writeFile(
        root.file("config/KivoSalesStation.plist"),
        QVariantMap{{sPrefLaunchChildApp1, QString(KIVO_TEST_CHILD)}, {"kivoIsForQor", true}}));
    QProcess station;
    ASSERT_NO_FATAL_FAILURE(startStation(station, root, {{"KIVO_CHILD_LOG", childLog}}));

    const QString settingsFile = root.file("config/KivoSalesStation.plist");
    const QString shared = root.file("shared/KivoSalesStation");
    ASSERT_TRUE(test::waitUntil(
        [&] {
            return plist::readFile(settingsFile).toMap().contains(sPrefLocalServerPath) &&
                   test::readFile(childLog).contains("start");
        },
        20000));
    EXPECT_TRUE(QFileInfo(shared).isDir());
    EXPECT_TRUE(QFileInfo(root.file("logs/KivoSalesStation.log")).isFile());
    const QVariantMap stored = plist::readFile(settingsFile).toMap();
    EXPECT_EQ(stored.value(sPrefLocalServerPath).toString(), shared);
    EXPECT_TRUE(stored.value(sPrefIsValidLocalServerPath).toBool());
    EXPECT_FALSE(stored.contains("kivoIsForQor"));

    ::kill(static_cast<pid_t>(station.processId()), SIGTERM);
    ASSERT_TRUE(station.waitForFinished(15000));
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(station.exitCode(), 0);
    // The child was asked to quit and ended on its own, and was not started again.
    const QByteArray events = test::readFile(childLog);
    EXPECT_EQ(events.count("start"), 1) << events.toStdString();
    EXPECT_EQ(events.count("term"), 1) << events.toStdString();
    EXPECT_TRUE(test::readFile(root.file("logs/KivoSalesStation.log")).contains("ends"));
}

TEST(StationProcess, EndsOnTheQuitEventFromTheBus)
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no session bus (the test command runs the tests under dbus-run-session)";
    test::TestRoot root;
    QProcess station;
    station.setProcessChannelMode(QProcess::MergedChannels);
    ASSERT_NO_FATAL_FAILURE(startStation(station, root));
    // The station owns its bus name once it has launched.
    const QString log = root.file("logs/KivoSalesStation.log");
    bool answered = false;
    ASSERT_TRUE(test::waitUntil(
        [&] {
            QProcess quit;
            quit.start(KIVO_EVENT_BINARY, {"quit"});
            quit.waitForFinished(5000);
            answered = quit.exitCode() == 0;
            return answered || station.state() == QProcess::NotRunning;
        },
        20000));
    ASSERT_TRUE(station.waitForFinished(15000));
    EXPECT_TRUE(answered);
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(station.exitCode(), 0);
    EXPECT_TRUE(test::readFile(log).contains("ends"));
}

#endif
