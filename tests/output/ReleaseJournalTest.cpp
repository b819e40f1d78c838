#include "output/ReleaseJournal.h"

#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/OrdersTestSupport.h"
#include "output/HostLink.h"
#include "output/OrderOutput.h"
#include "support/EventPeer.h"
#include "support/TestRoot.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <limits>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace kivo;

#if defined(KIVO_ORDER_TOOL) && defined(KIVO_EVENT_BINARY)

namespace {

using test::basketLine;

QVariantMap basket(const QVariantList& lines, const QString& customer = "424242")
{
    return test::basketOf(lines, customer);
}

// The files of one order, with the invoice's time of writing taken out (it differs from run to
// run).
struct OrderState
{
    QByteArray full, invoice, job;
    bool operator==(const OrderState&) const = default;
};

OrderState readState(const QString& server, const QString& pos, const QString& id = "424242")
{
    QByteArray invoice = test::readFile(pos + "/" + id + ".txt");
    invoice = QString::fromUtf8(invoice)
                  .replace(QRegularExpression("V1002\\t[^\\t]*\\t[^\\t]*\\t"), "V1002\t")
                  .toUtf8();
    return {test::readFile(server + "/" + id + "_orderOrig.plist"), invoice,
            test::readFile(server + "/" + id + "_order.plist")};
}

QStringList temporaries(const QStringList& folders)
{
    QStringList found;
    for (const QString& folder : folders)
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            if (name.contains(ReleaseJournal::kTemporaryMarker))
                found.append(name);
    return found;
}

// The events HOST printed up to the marker MARK (sent now, and answered only after the host
// printed it).
int announcementsUntilMark(test::EventPeer& host, int mark)
{
    HostEvent event{fourCharCode("mark"), fourCharCode("mark"), "KVXq", {QString::number(mark)}};
    EXPECT_EQ(sendEvent(kHostSignature, event, 5000).status, kNoErr);
    int count = 0;
    const QString marker = QStringLiteral("\"%1\"").arg(mark);
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        host.process.waitForReadyRead(20);
        for (const QString& line : host.takeLines()) {
            if (line.startsWith("event KIVO AAAA"))
                ++count;
            if (line.startsWith("event mark mark") && line.endsWith(marker))
                return count;
        }
    }
    ADD_FAILURE() << "marker " << mark << " not seen";
    return count;
}

} // namespace

// A release killed at any moment leaves every file of the order wholly old or wholly new once the
// next start has recovered, no temporary behind, and a release that completed reaches the host.
TEST(ReleaseJournal, KilledReleasesAreWholeAfterRecoveryAndAnnounced)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus (run under dbus-run-session)";
    test::TestRoot root;
    const QString server = root.folder("shared/KivoSalesStation");
    const QString pos = root.folder("pos");
    Settings& settings = Settings::instance();
    settings.setLocalServerPath(server);
    settings.setTilboxPendingInvoiceFolder(pos);
    settings.setPrintReceipt(false);
    ASSERT_TRUE(settings.sync());

    test::EventPeer host({"host"});
    ASSERT_TRUE(host.waitForLines(1).value(0).startsWith("host "));

    // Two customers released side by side (two cores), each order replacing the customer's
    // previous one.
    constexpr int kLanes = 2;
    const QString ids[kLanes] = {"424242", "ID_20261205140500"};
    QString baskets[kLanes][2];
    for (int lane = 0; lane < kLanes; ++lane) {
        baskets[lane][0] = root.file(QString("a%1.plist").arg(lane));
        baskets[lane][1] = root.file(QString("b%1.plist").arg(lane));
        ASSERT_TRUE(
            plist::writeFile(baskets[lane][0], basket({basketLine("8x10 Print", 1)}, ids[lane])));
        ASSERT_TRUE(plist::writeFile(
            baskets[lane][1],
            basket({basketLine("8x10 Print", 3), basketLine("Holiday Ornament", 1)}, ids[lane])));
    }

    auto startRelease = [&](QProcess& tool, int lane, int which) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KIVO_RELEASE_STEP_DELAY_MS", "1");
        tool.setProcessEnvironment(env);
        tool.start(KIVO_ORDER_TOOL, {"--basket", baskets[lane][which], "--write", "--announce"});
    };

    // Both orders written whole once, for reference; how long a release takes after the tool
    // has priced the order spreads the kills.
    OrderState states[kLanes][2];
    qint64 releaseMs = std::numeric_limits<qint64>::max(); // the quickest, as load only slows

    for (int lane = 0; lane < kLanes; ++lane) {
        for (int which : {0, 1}) {
            QProcess tool;
            startRelease(tool, lane, which);
            ASSERT_TRUE(tool.waitForReadyRead(10000));
            QElapsedTimer clock;
            clock.start();
            ASSERT_TRUE(tool.waitForFinished(10000));
            releaseMs = qMin(releaseMs, clock.elapsed());
            ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
            states[lane][which] = readState(server, pos, ids[lane]);
        }
        ASSERT_NE(states[lane][0], states[lane][1]);
        ASSERT_FALSE(states[lane][1].job.isEmpty());
    }
    EXPECT_EQ(announcementsUntilMark(host, 0), 2 * kLanes);

    const int kills = qEnvironmentVariableIsSet("KIVO_RELEASE_KILLS")
                          ? qEnvironmentVariableIntValue("KIVO_RELEASE_KILLS")
                          : 500;
    int onDisk[kLanes] = {1, 1};
    int replaced = 0, kept = 0, finishedByRecovery = 0, announcedByRecovery = 0;
    QElapsedTimer total;
    total.start();
    for (int run = 1; run <= (kills + kLanes - 1) / kLanes; ++run) {
        QProcess tools[kLanes];
        qint64 killAt[kLanes];
        for (int lane = 0; lane < kLanes; ++lane)
            startRelease(tools[lane], lane, 1 - onDisk[lane]);
        // Mostly during the release, now and then while the tool is still starting.
        for (int lane = 0; lane < kLanes; ++lane)
            ASSERT_TRUE(run % 10 == 0 || tools[lane].waitForReadyRead(10000));
        QElapsedTimer clock;
        clock.start();
        for (int lane = 0; lane < kLanes; ++lane)
            killAt[lane] = QRandomGenerator::global()->bounded(releaseMs + 1);
        for (int lane = 0; lane < kLanes; ++lane) {
            const qint64 wait = killAt[lane] - clock.elapsed();
            if (wait > 0)
                QThread::msleep(quint64(wait));
            tools[lane].kill();
        }
        for (QProcess& tool : tools)
            ASSERT_TRUE(tool.waitForFinished(10000));

        const RecoveryReport report = ReleaseJournal::recover(settings); // the next start
        finishedByRecovery += report.completed;
        announcedByRecovery += report.announced;
        // Events of both customers are counted together: each new order needs one at least.
        const int announcements = announcementsUntilMark(host, run);

        int newOrders = 0;
        for (int lane = 0; lane < kLanes; ++lane) {
            const int next = 1 - onDisk[lane];
            const OrderState now = readState(server, pos, ids[lane]);
            const int whole = now == states[lane][next]           ? next
                              : now == states[lane][onDisk[lane]] ? onDisk[lane]
                                                                  : -1;
            ASSERT_NE(whole, -1) << "run " << run << ": a mix of old and new files";
            newOrders += whole == next ? 1 : 0;
            onDisk[lane] = whole;
        }
        replaced += newOrders;
        kept += kLanes - newOrders;
        ASSERT_EQ(temporaries({server, pos}), QStringList()) << "run " << run;
        ASSERT_EQ(QDir(ReleaseJournal::folder()).entryList({"*.plist"}, QDir::Files), QStringList())
            << "run " << run;
        EXPECT_GE(announcements, newOrders) << "run " << run << ": a new order not announced";
        if (newOrders == 0) {
            EXPECT_EQ(announcements, 0) << "run " << run << ": announced without a new order";
        }
    }
    const int runs = replaced + kept;
    std::printf("%d killed releases in %lld ms (release %lld ms): %d new, %d old, %d finished and "
                "%d announced by the recovery\n",
                runs, static_cast<long long>(total.elapsed()), static_cast<long long>(releaseMs),
                replaced, kept, finishedByRecovery, announcedByRecovery);
}

// A session bus that accepts connections and never speaks holds no one up: the tool writes the
// order, says it was not announced and fails.
TEST(ReleaseJournal, SilentBusIsNoBus)
{
    test::TestRoot root;
    const QString server = root.folder("shared/KivoSalesStation");
    const QString pos = root.folder("pos");
    Settings& settings = Settings::instance();
    settings.setLocalServerPath(server);
    settings.setTilboxPendingInvoiceFolder(pos);
    ASSERT_TRUE(settings.sync());
    const QString basketFile = root.file("a.plist");
    ASSERT_TRUE(plist::writeFile(basketFile, basket({basketLine("8x10 Print", 1)})));

    const QByteArray socketPath = QFile::encodeName(root.file("silent-bus"));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un sa{};
    sa.sun_family = AF_UNIX;
    ASSERT_LT(size_t(socketPath.size()), sizeof sa.sun_path);
    std::memcpy(sa.sun_path, socketPath.constData(), size_t(socketPath.size()));
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
    ASSERT_EQ(::listen(listener, 16), 0); // connections complete; nothing is ever said

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::decodeName(socketPath));
    auto release = [&env, &basketFile](QByteArray* out) {
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(KIVO_ORDER_TOOL, {"--basket", basketFile, "--write", "--announce"});
        if (!tool.waitForFinished(15000)) {
            tool.kill();
            tool.waitForFinished();
            return -1;
        }
        *out = tool.readAllStandardOutput();
        return tool.exitCode();
    };
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    const int status = release(&out);
    ASSERT_NE(status, -1) << "blocked on the silent bus";
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(status, 1) << out.toStdString();
    EXPECT_TRUE(out.contains("not announced: no session bus")) << out.toStdString();
    EXPECT_FALSE(out.contains("announced to")) << out.toStdString();
    EXPECT_TRUE(QFile::exists(server + "/424242_order.plist"));
    // The release waits in the journal for a bus that answers.
    EXPECT_EQ(QDir(ReleaseJournal::folder()).entryList({"*.plist"}, QDir::Files).size(), 1);

    // The same ID again with every unit pre-printed: the print job left by the first release is
    // kept and not announced a second time.
    QVariantMap prePrinted = basketLine("8x10 Print", 1);
    prePrinted.insert("pkgPrePrintQty", 1);
    ASSERT_TRUE(plist::writeFile(basketFile, basket({prePrinted})));
    EXPECT_EQ(release(&out), 0) << out.toStdString();
    ::close(listener);
    EXPECT_TRUE(out.contains("not announced: no print job written for 424242"))
        << out.toStdString();
    EXPECT_TRUE(QFile::exists(server + "/424242_order.plist"));
}

// The point-of-sale folder goes away (as a share does) after the release's journal entry is
// written and before its invoice takes its name. The staff are told which file failed. "Try
// Again" finishes that release rather than writing a second one (or, when the order was changed
// meanwhile, replaces it; pressed while the folder is still away, it fails and keeps the release
// for the next try): the point of sale gets one invoice, the host hears of it once, and the next
// start has nothing left to do, even after the point of sale took the invoice.
TEST(ReleaseJournal, ReleaseCutBetweenItsRenamesIsFinishedOnceByTheRetry)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus (run under dbus-run-session)";
    test::TestRoot root;
    const QString server = root.folder("shared/KivoSalesStation");
    const QString pos = root.folder("pos");
    const QString away = root.file("pos-away");
    const QString billed = root.folder("billed");
    Settings& settings = Settings::instance();
    settings.setLocalServerPath(server);
    settings.setTilboxPendingInvoiceFolder(pos);
    settings.setPrintReceipt(false);

    test::EventPeer host({"host"});
    ASSERT_TRUE(host.waitForLines(1).value(0).startsWith("host "));

    auto orderOf = [](const QString& id, const QString& plu) {
        ReleasedOrder o;
        o.customerId = id;
        o.listOfImages = {"/img/a.jpg"};
        o.photos = {{"/img/a.jpg", {{"8x10", "8x10", plu, 10.0f, 1, 10.0f, 0}}}};
        return o;
    };
    OrderOutput output(settings, nullptr, [] {});
    output.setStopWhenFilesFail(true);
    output.setStartOverDelay(0);

    struct Row
    {
        const char* id;
        const char* retriedPlu; // the order released again, changed or not
        bool triedWhileAway;    // "Try Again" pressed once before the folder is back
    };
    int mark = 0;
    for (const Row& row :
         {Row{"123456", "P810", false}, Row{"123457", "P57", false}, Row{"123458", "P810", true}}) {
        const QString id = QString::fromLatin1(row.id);
        SCOPED_TRACE(id.toStdString() + " retried with " + row.retriedPlu);
        const QString invoice = pos + "/" + id + ".txt";
        ReleaseTransaction::setBeforeRenameForTests([&](const QString& final) {
            if (final == invoice)
                QDir().rename(pos, away);
        });
        const ReleaseResult cut = output.saveOrder(orderOf(id, "P810"));
        ReleaseTransaction::setBeforeRenameForTests({});
        EXPECT_FALSE(cut.ok());
        EXPECT_EQ(cut.files.failedFile.toStdString(), "pending invoice")
            << cut.files.error.toStdString();
        if (row.triedWhileAway) {
            const ReleaseResult early =
                output.saveOrder(orderOf(id, QString::fromLatin1(row.retriedPlu)));
            EXPECT_FALSE(early.ok());
            EXPECT_EQ(early.files.failedFile.toStdString(), "pending invoice")
                << early.files.error.toStdString();
        }
        ASSERT_TRUE(QDir().rename(away, pos));
        EXPECT_FALSE(QFile::exists(invoice));
        EXPECT_EQ(announcementsUntilMark(host, ++mark), 0);

        const ReleaseResult retried =
            output.saveOrder(orderOf(id, QString::fromLatin1(row.retriedPlu)));
        ASSERT_TRUE(retried.ok()) << retried.files.error.toStdString();
        EXPECT_TRUE(retried.announced);
        EXPECT_EQ(QDir(pos).entryList({id + "*", "." + id + "*"}, QDir::Files | QDir::Hidden),
                  QStringList{id + ".txt"});
        EXPECT_TRUE(test::readFile(invoice).contains(QByteArray(row.retriedPlu) + ",8x10,a.jpg"));
        EXPECT_EQ(announcementsUntilMark(host, ++mark), 1);

        // The point of sale takes the invoice; the station starts again.
        ASSERT_TRUE(QFile::rename(invoice, billed + "/" + id + ".txt"));
        const RecoveryReport next = ReleaseJournal::recover(settings);
        EXPECT_TRUE(next.changedNothing()) << next.lines.join("\n").toStdString();
        EXPECT_EQ(QDir(pos).entryList({id + "*", "." + id + "*"}, QDir::Files | QDir::Hidden),
                  QStringList());
        EXPECT_EQ(temporaries({server, pos}), QStringList());
        EXPECT_EQ(announcementsUntilMark(host, ++mark), 0);
    }
}

#endif

// Two stations release into one shared point-of-sale folder. One station's start-up recovery
// removes only its own leftovers: a temporary the other station is about to rename stays, and
// that release completes whole.
TEST(ReleaseJournal, RecoveryLeavesAnotherStationsTemporaries)
{
    test::TestRoot stationA;
    const QString pos = stationA.folder("pos");
    const QString invoice = pos + "/710008.txt";
    ReleaseTransaction release("710008", ReleaseAnnouncement::None);
    QString error;
    ASSERT_FALSE(release.stage(invoice, "the first station's invoice", &error).isEmpty())
        << error.toStdString();
    {
        test::TestRoot stationB;
        Settings& settings = Settings::instance();
        settings.setTilboxPendingInvoiceFolder(pos);
        ReleaseJournal::recover(settings);
    }
    EXPECT_TRUE(release.commit(&error)) << error.toStdString();
    EXPECT_EQ(test::readFile(invoice), "the first station's invoice");
    EXPECT_EQ(QDir(pos).entryList(QDir::Files | QDir::Hidden), QStringList{"710008.txt"});
}
