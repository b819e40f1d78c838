// bench_startup [RUNS]
//
// Starts the station on a demo station (made by kivo-demo in a temporary KIVO_ROOT, its attract
// movie playing), the same station with the attract screen as shipped (no movie, the background
// picture), and a minimal Qt Widgets window, taking turns, RUNS times each (default 9) after one
// warm-up start of each, and measures from the start of the process to its "READY=1" on
// NOTIFY_SOCKET (the station sends it when the attract screen waits for the first customer), and
// the process's peak resident memory (VmHWM) at that moment. Then times
// `kivo-sales-station --self-test` with the stand-in print host on the bus. Every program runs
// on a session bus of the bench's own, with QT_QPA_PLATFORM as set (offscreen when unset).
// Prints the medians, and the station's time and memory as multiples of the window's.
// KIVO_BENCH_STATION names another station program to start (an earlier build, to compare).
#include "core/PropertyList.h"
#include "core/SettingsSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

class NotifySocket
{
public:
    explicit NotifySocket(const QString& path) : m_path(QFile::encodeName(path))
    {
        m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, m_path.constData(), sizeof address.sun_path - 1);
        if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            std::perror("bind");
    }
    ~NotifySocket() { ::close(m_fd); }
    const QByteArray& path() const { return m_path; }
    void drain()
    {
        char buffer[1024];
        while (::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
        }
    }
    // Waits for a datagram holding READY=1; false after TIMEOUTMS.
    bool waitForReady(int timeoutMs)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < end) {
            pollfd p{m_fd, POLLIN, 0};
            const int left = int(
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
            if (::poll(&p, 1, std::max(left, 0)) != 1)
                continue;
            char buffer[1024];
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer - 1, 0);
            if (n > 0 && QByteArray(buffer, int(n)).split('\n').contains("READY=1"))
                return true;
        }
        return false;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
};

// The peak resident memory (VmHWM) of process PID so far, in MiB; -1 when unreadable.
double peakMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

struct Start
{
    double ms = -1;  // from the start of the process to its READY=1; -1 when it never came
    double mib = -1; // its peak resident memory when READY=1 came
};

// Starts PROGRAM and waits for its READY=1.
Start startToReady(const QString& program, QProcessEnvironment env, NotifySocket& socket)
{
    socket.drain();
    env.insert("NOTIFY_SOCKET", QString::fromLocal8Bit(socket.path()));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const auto start = Clock::now();
    process.start(program, {});
    const bool ready = process.waitForStarted(10000) && socket.waitForReady(30000);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    Start result;
    if (ready && process.processId() > 0) {
        result.ms = ms;
        result.mib = peakMiB(process.processId());
        ::kill(pid_t(process.processId()), SIGTERM);
    }
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished(5000);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString station = qEnvironmentVariableIsEmpty("KIVO_BENCH_STATION")
                                ? QStringLiteral(KIVO_STATION_BINARY)
                                : qEnvironmentVariable("KIVO_BENCH_STATION");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QTemporaryDir root;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KIVO_ROOT", root.path() + "/station");
    env.remove("KIVO_RESOURCES"); // the installed or source resources, as the station finds them
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");

    QProcess demo;
    demo.setProcessEnvironment(env);
    demo.start(KIVO_DEMO_BINARY, {"--root", root.path() + "/station", "--size", "1200x800"});
    if (!demo.waitForFinished(120000) || demo.exitCode() != 0) {
        std::fprintf(stderr, "bench_startup: kivo-demo failed\n");
        return 1;
    }
    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!bus.waitForStarted(10000) || !bus.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_startup: no dbus-daemon\n");
        return 1;
    }
    env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(bus.readLine()).trimmed());

    // The same station with the attract screen as shipped: the movie off, the background
    // picture on (the demo's own settings play its movie and hide the background).
    const QString settingsFile = root.path() + "/station/config/KivoSalesStation.plist";
    QVariantMap shipped = kivo::plist::readFile(settingsFile).toMap();
    shipped.insert(kivo::settingKey(kivo::Setting::doUseAnimationMovie), false);
    shipped.insert(kivo::settingKey(kivo::Setting::doUseImageBackground), true);
    QDir().mkpath(root.path() + "/shipped/config");
    if (!kivo::plist::writeFile(root.path() + "/shipped/config/KivoSalesStation.plist", shipped)) {
        std::fprintf(stderr, "bench_startup: cannot write the second station's settings\n");
        return 1;
    }
    QProcessEnvironment shippedEnv = env;
    shippedEnv.insert("KIVO_ROOT", root.path() + "/shipped");

    NotifySocket socket(root.path() + "/notify");
    std::vector<Start> movie, still, window;
    // Warm-up: caches, fonts, the demo's photos.
    startToReady(station, env, socket);
    startToReady(station, shippedEnv, socket);
    startToReady(KIVO_MINIMAL_BINARY, env, socket);
    for (int i = 0; i < runs; ++i) {
        movie.push_back(startToReady(station, env, socket));
        window.push_back(startToReady(KIVO_MINIMAL_BINARY, env, socket));
        still.push_back(startToReady(station, shippedEnv, socket));
        window.push_back(startToReady(KIVO_MINIMAL_BINARY, env, socket));
    }
    for (const auto* starts : {&movie, &still, &window}) {
        for (const Start& s : *starts) {
            if (s.ms < 0 || s.mib < 0) {
                std::fprintf(stderr, "bench_startup: a start never reported ready\n");
                return 1;
            }
        }
    }

    QProcess host;
    host.setProcessEnvironment(env);
    host.start(KIVO_EVENT_BINARY, {"host"});
    host.waitForStarted(10000);
    QThread::msleep(300);
    std::vector<double> selfTest;
    int status = 0;
    QByteArray findings;
    for (int i = 0; i < runs; ++i) {
        QProcess check;
        check.setProcessEnvironment(env);
        check.setStandardErrorFile(QProcess::nullDevice());
        const auto start = Clock::now();
        check.start(station, {"--self-test"});
        check.waitForFinished(30000);
        selfTest.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        status = check.exitCode();
        findings = check.readAllStandardOutput();
    }
    host.terminate();
    host.waitForFinished(5000);
    bus.kill();
    bus.waitForFinished(5000);

    std::printf("platform %s, %d runs each (the window twice as often), medians (min..max)\n",
                qPrintable(env.value("QT_QPA_PLATFORM")), runs);
    auto times = [](const std::vector<Start>& starts) {
        std::vector<double> v;
        for (const Start& s : starts)
            v.push_back(s.ms);
        return v;
    };
    auto peaks = [](const std::vector<Start>& starts) {
        std::vector<double> v;
        for (const Start& s : starts)
            v.push_back(s.mib);
        return v;
    };
    auto row = [](const char* what, const std::vector<double>& v, const char* unit) {
        std::printf("  %-52s %7.1f %s  (%.1f..%.1f)\n", what, median(v), unit,
                    *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()));
    };
    row("station start to ready, demo (attract movie)", times(movie), "ms ");
    row("station start to ready, shipped attract (no movie)", times(still), "ms ");
    row("minimal Qt Widgets window to ready", times(window), "ms ");
    row("station peak memory at ready, demo (attract movie)", peaks(movie), "MiB");
    row("station peak memory at ready, shipped attract", peaks(still), "MiB");
    row("minimal Qt Widgets window peak memory at ready", peaks(window), "MiB");
    row("kivo-sales-station --self-test", selfTest, "ms ");
    const double windowMs = median(times(window));
    const double windowMiB = median(peaks(window));
    std::printf("  ratio to the window, demo (attract movie): time %.2fx, memory %.2fx\n",
                median(times(movie)) / windowMs, median(peaks(movie)) / windowMiB);
    std::printf("  ratio to the window, shipped attract: time %.2fx, memory %.2fx\n",
                median(times(still)) / windowMs, median(peaks(still)) / windowMiB);
    std::printf("  self-test exit status %d\n", status);
    for (const QByteArray& line : findings.split('\n'))
        if (!line.isEmpty() && !line.contains(": OK"))
            std::printf("  self-test: %s\n", line.constData());
    return 0;
}
