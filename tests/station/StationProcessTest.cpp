// The station as its service manager sees it: started on an empty KIVO_ROOT, stopped with
// SIGTERM, its child application ending with it.
#include "core/PropertyList.h"
#include "core/SettingsSchema.h"
#include "core/SiteCodes.h"
#include "output/HostEvent.h"
#include "station/StationApp.h"
#include "support/TestRoot.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/stat.h>

#ifdef KIVO_STATION_BINARY

using namespace kivo;

namespace {

// A session bus of the test's own. Tests running beside these ones own the station's bus name
// for a moment (the event and host-link tests), and a station that cannot own its name gives
// it up, so a station started here on the shared bus would miss its events, or take theirs.
class PrivateBus
{
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {"--session", "--nofork", "--print-address=1"});
        if (m_daemon.waitForStarted(10000) && m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    const QString& address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// The station on ROOT and BUS, with the offscreen platform and EXTRA in its environment.
void startStation(QProcess& station, const test::TestRoot& root, const PrivateBus& bus,
                  const QList<QPair<QString, QString>>& extra = {})
{
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KIVO_ROOT", root.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
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
        QVariantMap{{settingKey(Setting::launchChildApp1), QString(KIVO_TEST_CHILD)},
                    {"kivoIsForQor", true}}));
    PrivateBus bus;
    QProcess station;
    ASSERT_NO_FATAL_FAILURE(startStation(station, root, bus, {{"KIVO_CHILD_LOG", childLog}}));

    const QString settingsFile = root.file("config/KivoSalesStation.plist");
    const QString shared = root.file("shared/KivoSalesStation");
    ASSERT_TRUE(test::waitUntil(
        [&] {
            return plist::readFile(settingsFile)
                       .toMap()
                       .contains(settingKey(Setting::localServerPath)) &&
                   test::readFile(childLog).contains("start");
        },
        20000));
    EXPECT_TRUE(QFileInfo(shared).isDir());
    EXPECT_TRUE(QFileInfo(root.file("logs/KivoSalesStation.log")).isFile());
    EXPECT_FALSE(plist::readFile(settingsFile).toMap().contains("kivoIsForQor"));

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
    test::TestRoot root;
    PrivateBus bus;
    QProcess station;
    station.setProcessChannelMode(QProcess::MergedChannels);
    ASSERT_NO_FATAL_FAILURE(startStation(station, root, bus));
    // The quit is sent once the station owns its bus name, with a reply limit that a slow
    // (sanitized, loaded) station still meets, so that a late reply is not taken for a lost event.
    const QString log = root.file("logs/KivoSalesStation.log");
    QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), "station-test");
    const QString name = busNameForSignature(kStationSignature);
    ASSERT_TRUE(test::waitUntil(
        [&] {
            return connection.interface()->isServiceRegistered(name).value() ||
                   station.state() == QProcess::NotRunning;
        },
        60000));
    ASSERT_EQ(station.state(), QProcess::Running) << station.readAll().toStdString();
    QProcess quit;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    quit.setProcessEnvironment(env);
    quit.start(KIVO_EVENT_BINARY, {"quit", "--timeout", "30000"});
    ASSERT_TRUE(quit.waitForFinished(40000));
    const bool answered = quit.exitCode() == 0;
    ASSERT_TRUE(station.waitForFinished(15000));
    EXPECT_TRUE(answered);
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    // Ended on purpose: the service's unit leaves it ended.
    EXPECT_EQ(station.exitCode(), StationApp::kEndedOnPurposeStatus);
    EXPECT_TRUE(test::readFile(log).contains("ends"));
    QDBusConnection::disconnectFromBus("station-test");
}

// True when a thread of process PID waits in the kernel for the other end of a named pipe.
bool waitsOnAPipe(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (test::readFile(tasks.filePath(task + "/wchan")) == "wait_for_partner")
            return true;
    }
    return false;
}

// Whatever holds the station up, it is gone within 5 s of SIGTERM: a stop served by an event loop
// ends cleanly; a main thread held in the kernel is ended by the watchdog. The order files already
// there stay whole either way.
TEST(StationProcess, EndsWithinFiveSecondsOfSigtermWhateverIsStuck)
{
    struct Case
    {
        const char* what;
        std::function<void(test::TestRoot&, QVariantMap&)> prepare;
        std::function<bool(QProcess&, const QString& log)> stuck;
        bool clean; // the clean stop ends it, else the watchdog
    };
    const Case cases[] = {
        // The shared folder cannot be made: the setup alert's own loop runs while launching.
        {"setup alert",
         [](test::TestRoot& root, QVariantMap&) {
             test::writeFile(root.file("shared"), "not a folder");
         },
         [](QProcess&, const QString& log) {
             return test::readFile(log).contains("PROBLEM WITH SETUP");
         },
         true},
        // A sponsor logo on a share that stopped answering, as a named pipe nobody writes: the
        // main thread waits in the kernel while the sales window is made. (Once the logo is read
        // off the main thread, another such read has to take its place here.)
        {"main thread held by a read",
         [](test::TestRoot& root, QVariantMap& stored) {
             const QString pipe = root.file("logo.png");
             ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
             stored.insert(settingKey(Setting::doUseSponsorLogo), true);
             stored.insert(settingKey(Setting::sponsorLogoPath), pipe);
             test::writeFile(root.file("shared/KivoSalesStation/111111_order.plist"),
                             plist::toXml(QVariantMap{{"customerID", "111111"}}));
         },
         [](QProcess& station, const QString&) { return waitsOnAPipe(station.processId()); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestRoot root;
        QVariantMap stored;
        c.prepare(root, stored);
        ASSERT_TRUE(plist::writeFile(root.folder("config") + "/KivoSalesStation.plist", stored));
        const QString order = root.file("shared/KivoSalesStation/111111_order.plist");
        const QByteArray orderBefore = test::readFile(order);
        const QString log = root.file("logs/KivoSalesStation.log");
        PrivateBus bus;
        QProcess station;
        ASSERT_NO_FATAL_FAILURE(startStation(station, root, bus));
        ASSERT_TRUE(test::waitUntil([&] { return c.stuck(station, log); }, 20000));

        QElapsedTimer clock;
        clock.start();
        ::kill(static_cast<pid_t>(station.processId()), SIGTERM);
        ASSERT_TRUE(station.waitForFinished(5000));
        EXPECT_LT(clock.elapsed(), 5000);
        const QByteArray lines = test::readFile(log);
        EXPECT_EQ(lines.contains("ending at once"), !c.clean) << lines.toStdString();
        EXPECT_EQ(station.exitCode(), c.clean ? 0 : 128 + SIGTERM);
        EXPECT_EQ(test::readFile(order), orderBefore);
    }
}

// The station speaks the language the system's locale asks for, from the translations compiled
// beside it (the resources folder of the tests holds none), and English where none is asked for.
// Its self-test prints the findings only.
TEST(StationProcess, SpeaksTheLanguageOfTheSystemLocale)
{
    const struct
    {
        const char* language;
        const char* settingsLine;
    } cases[] = {
        {"fr", "Réglages: OK"},
        {"es_ES", "Ajustes: OK"},
        {"en:fr", "Settings: OK"},
        {"", "Settings: OK"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        test::TestRoot root;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KIVO_ROOT", root.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("LC_ALL");
        env.remove("LC_MESSAGES");
        env.insert("LANG", "C.UTF-8");
        env.insert("LANGUAGE", QString::fromLatin1(c.language));
        QProcess station;
        station.setProcessEnvironment(env);
        station.start(KIVO_STATION_BINARY, {"--self-test"});
        ASSERT_TRUE(station.waitForFinished(30000));
        const QStringList lines =
            QString::fromUtf8(station.readAllStandardOutput()).split(QLatin1Char('\n'));
        EXPECT_TRUE(lines.contains(QString::fromUtf8(c.settingsLine)))
            << lines.join('\n').toStdString();
        // The findings are all it prints: what it logs on the way is in the log.
        const QByteArray logged = station.readAllStandardError();
        EXPECT_TRUE(logged.isEmpty()) << logged.left(200).toStdString();
        EXPECT_TRUE(test::readFile(root.file("logs/KivoSalesStation.log"))
                        .contains("factory default dictionary"));
    }
}

// kivo-status answers "is this station selling, and if not why?" for a station that serves, one
// that serves with something for the staff to see to, one that cannot sell, and none at all.
TEST(StationProcess, KivoStatusSaysWhetherTheStationSells)
{
    struct Case
    {
        const char* what;
        bool siteCodes;     // the factory codes replaced (else they are a staff notice)
        bool invoiceFolder; // the point-of-sale system's folder is there
        bool running;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {"serving", true, true, true, 0, ": serving\n"},
        {"serving with warnings", false, true, true, 1, "Factory codes still in use"},
        {"invoice folder removed", true, false, true, 2, "Images or invoice folder missing"},
        {"not running", true, true, false, 2, "not running"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestRoot root;
        QVariantMap stored{
            {settingKey(Setting::mainImagesFolder), root.folder("images")},
            {settingKey(Setting::tilboxPendingInvoiceFolder), root.file("invoices")}};
        if (c.invoiceFolder)
            root.folder("invoices");
        if (c.siteCodes)
            for (int i = 0; i < SiteCodes::kCodeCount; ++i)
                stored.insert(settingKey(SiteCodes::setting(SiteCodes::Code(i))),
                              SiteCodes::hash(QStringLiteral("*24%1#").arg(i + 61)));
        ASSERT_TRUE(plist::writeFile(root.folder("config") + "/KivoSalesStation.plist", stored));
        PrivateBus bus;
        QProcess station;
        if (c.running) {
            ASSERT_NO_FATAL_FAILURE(startStation(station, root, bus));
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        // The station's answer settles once its start-up check has run: asked until it says
        // what is expected, or for at most 30 s.
        int exitCode = -1;
        QString said;
        test::waitUntil(
            [&] {
                QProcess status;
                status.setProcessEnvironment(env);
                status.start(KIVO_STATUS_BINARY, {"--timeout", "5000"});
                if (!status.waitForFinished(10000))
                    return false;
                exitCode = status.exitCode();
                said = QString::fromUtf8(status.readAllStandardOutput());
                return exitCode == c.exitCode && said.contains(QString::fromUtf8(c.says));
            },
            30000);
        EXPECT_EQ(exitCode, c.exitCode) << said.toStdString();
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.says))) << said.toStdString();
        if (c.running) {
            ::kill(static_cast<pid_t>(station.processId()), SIGTERM);
            EXPECT_TRUE(station.waitForFinished(15000));
        }
    }
}

#endif
