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
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KIVO_ROOT", root.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KIVO_CHILD_LOG", childLog);
    station.setProcessEnvironment(env);
    station.start(KIVO_STATION_BINARY, {});
    ASSERT_TRUE(station.waitForStarted(10000));

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
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KIVO_ROOT", root.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    station.setProcessEnvironment(env);
    station.setProcessChannelMode(QProcess::MergedChannels);
    station.start(KIVO_STATION_BINARY, {});
    ASSERT_TRUE(station.waitForStarted(10000));
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
