// Photo index on a network share: starts the loopback SMB test share (scripts/smb-test-share.sh),
// writes FILES empty photo files in FOLDERS folders through the server's side of it (as camera
// stations on other hosts do) and the same tree on local disk, and then, side by side in one
// run:
//   - `find -iname 'ID*'` once over each tree (the anchor: what a search costs without an index);
//   - LOOKUPS lookups of IDs across the tree in the index of each, taking turns, settled:
//     median and 99th percentile (target on the share: 99th percentile under 5 ms);
//   - ROUNDS new photos, each written at once into the share's server side and the local tree:
//     the time until a lookup finds it in each (target on the share: under 10 s), and the
//     lookups' times meanwhile.
// Stops the share and removes both trees at the end. Exits 77 with the reason when the share
// cannot start (no Samba server, no FUSE client, no /dev/fuse).
//
//   bench_share [files=50000] [folders=500] [lookups=2000] [rounds=5]

#include "search/FileNameIndex.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using kivo::bench::dayFolderName;
using kivo::bench::median;
using kivo::bench::percentile;

namespace {

constexpr int kSkipped = 77;

// The share's script, run with a bounded wait; its exit code, or -1 when it did not finish.
int runShareScript(const QString& command, const QString& dir, QByteArray* output = nullptr)
{
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("bash"), {QStringLiteral(KIVO_SHARE_SCRIPT), command, dir});
    if (!script.waitForFinished(120000)) {
        script.kill();
        script.waitForFinished(5000);
        return -1;
    }
    if (output)
        *output = script.readAll();
    return script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
}

// Stops the share however the benchmark ends.
struct ShareSite
{
    explicit ShareSite(QString dir) : dir(std::move(dir)) {}
    QString dir;
    bool started = false;
    ~ShareSite()
    {
        if (started && runShareScript(QStringLiteral("stop"), dir) != 0)
            std::fprintf(stderr, "could not stop the share in %s\n", qPrintable(dir));
    }
};

// VARIABLE's value in the share's environment file.
QString shareVariable(const QString& envFile, const QString& variable)
{
    QFile file(envFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = "export " + variable.toUtf8() + "=\"";
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(prefix) && line.endsWith('"'))
            return QString::fromUtf8(line.mid(prefix.size(), line.size() - prefix.size() - 1));
    }
    return {};
}

// 40 photos per customer ID.
std::string photoName(int i)
{
    char name[64];
    std::snprintf(name, sizeof name, "%06d_%02d.jpg", 100000 + i / 40, i % 40);
    return name;
}

bool touch(const std::string& path)
{
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

bool buildTree(const std::string& root, int files, int folders)
{
    for (int f = 0; f < folders; ++f) {
        const std::string folder = root + dayFolderName(f);
        if (mkdir(folder.c_str(), 0755) != 0)
            return false;
        for (int i = f; i < files; i += folders) {
            if (!touch(folder + '/' + photoName(i)))
                return false;
        }
    }
    return true;
}

double findOnceMs(const QString& folder, const QString& id, qsizetype* found)
{
    QElapsedTimer t;
    t.start();
    QProcess find;
    find.start(QStringLiteral("find"), {folder, QStringLiteral("-iname"), id + "*"});
    find.waitForFinished(-1);
    *found = find.readAllStandardOutput().count('\n');
    return t.nsecsElapsed() / 1e6;
}

// One tree and its index.
struct Tree
{
    Tree(const char* label, std::string written, QString searched)
        : label(label), written(std::move(written)), searched(std::move(searched))
    {}
    const char* label;
    std::string written; // where the photos are written (the server's side for the share)
    QString searched;    // where the station searches (the host's mount for the share)
    kivo::FileNameIndex index;
    std::vector<double> settled;
    std::vector<double> settledCpu;
    std::vector<double> meanwhile;
    std::vector<double> foundAfterMs;
    double buildMs = 0;
    double findMs = 0;
    qsizetype findFound = 0;
    int missed = 0;

    double lookupMs(const QString& id, QStringList* found = nullptr, double* cpuMs = nullptr)
    {
        const double cpuBefore = kivo::bench::threadCpuMs();
        QElapsedTimer t;
        t.start();
        QStringList result = index.lookup(searched, {id});
        const double ms = t.nsecsElapsed() / 1e6;
        if (cpuMs)
            *cpuMs = kivo::bench::threadCpuMs() - cpuBefore;
        if (found)
            *found = std::move(result);
        return ms;
    }
};

void printLookups(const char* label, const char* tree, const std::vector<double>& ms)
{
    std::printf("%-34s %-10s p50 %7.3f ms  p99 %7.3f ms  max %8.3f ms  (%zu lookups)\n", label,
                tree, median(ms), percentile(ms, 0.99),
                ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()), ms.size());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = std::max(40, argc > 1 ? std::atoi(argv[1]) : 50000);
    const int folders = std::max(1, argc > 2 ? std::atoi(argv[2]) : 500);
    const int lookups = std::max(1, argc > 3 ? std::atoi(argv[3]) : 2000);
    const int rounds = std::max(1, argc > 4 ? std::atoi(argv[4]) : 5);
    const int ids = files / 40;

    QTemporaryDir siteDir;
    QTemporaryDir localDir;
    if (!siteDir.isValid() || !localDir.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    ShareSite site(siteDir.path());
    QByteArray output;
    const int started = runShareScript(QStringLiteral("start"), site.dir, &output);
    site.started = true; // whatever it got to, `stop` undoes
    if (started == kSkipped) {
        std::printf("SKIPPED: the share cannot start here: %s\n", output.trimmed().constData());
        return kSkipped;
    }
    if (started != 0) {
        std::fprintf(stderr, "the share did not start (%d):\n%s\n", started, output.constData());
        return 1;
    }
    const QString env = site.dir + QStringLiteral("/share.env");
    const QString server = shareVariable(env, QStringLiteral("KIVO_SHARE_SERVER"));
    const QString mount = shareVariable(env, QStringLiteral("KIVO_SHARE_A"));
    if (server.isEmpty() || mount.isEmpty()) {
        std::fprintf(stderr, "the share's environment file names no folders\n");
        return 1;
    }

    Tree local{"local disk",
               QFile::encodeName(localDir.path() + QStringLiteral("/photos")).toStdString(),
               localDir.path() + QStringLiteral("/photos")};
    Tree share{"share", QFile::encodeName(server + QStringLiteral("/photos")).toStdString(),
               mount + QStringLiteral("/photos")};
    Tree* trees[] = {&local, &share};
    std::printf("Writing %d files in %d folders on local disk and through the share's server "
                "side ...\n",
                files, folders);
    for (Tree* tree : trees) {
        if (mkdir(tree->written.c_str(), 0755) != 0 || !buildTree(tree->written, files, folders)) {
            std::fprintf(stderr, "cannot write the tree in %s\n", tree->written.c_str());
            return 1;
        }
    }
    std::printf("%d files in %d folders, each tree; load %s\n", files, folders,
                kivo::bench::loadAverage().c_str());

    const QString id = QString::number(100000 + ids / 2);
    for (Tree* tree : trees) {
        QElapsedTimer t;
        t.start();
        tree->index.prepare(tree->searched);
        tree->buildMs = t.nsecsElapsed() / 1e6;
        tree->findMs = findOnceMs(tree->searched, id, &tree->findFound);
    }
    // Every folder settled, as on a station that has been running a while.
    for (int pass = 0; pass < 2; ++pass) {
        QThread::sleep(3);
        for (Tree* tree : trees)
            tree->lookupMs(id);
    }

    unsigned seed = 12345;
    auto anyId = [&] {
        seed = seed * 1103515245u + 12345u;
        return QString::number(100000 + int((seed >> 8) % unsigned(ids)));
    };
    // Taking turns, so that a change in the machine's load falls on both alike.
    for (int i = 0; i < lookups; ++i) {
        const QString some = anyId();
        for (Tree* tree : trees) {
            double cpu = 0;
            tree->settled.push_back(tree->lookupMs(some, nullptr, &cpu));
            tree->settledCpu.push_back(cpu);
        }
    }

    // New photos: written into both at once, then looked for every 20 ms until found (within
    // 30 s), with lookups of other IDs between.
    for (int round = 0; round < rounds; ++round) {
        const QString newId = QString::number(100000 + ids + round);
        const std::string relative = dayFolderName(int((long long)(round + 1) * 7919 % folders)) +
                                     '/' + newId.toStdString() + "_01.jpg";
        for (Tree* tree : trees)
            touch(tree->written + relative);
        QElapsedTimer since;
        since.start();
        bool pending[2] = {true, true};
        while ((pending[0] || pending[1]) && since.elapsed() < 30000) {
            for (int k = 0; k < 2; ++k) {
                if (!pending[k])
                    continue;
                QStringList found;
                trees[k]->meanwhile.push_back(trees[k]->lookupMs(newId, &found));
                if (found.contains(trees[k]->searched + QFile::decodeName(relative.c_str()))) {
                    trees[k]->foundAfterMs.push_back(since.nsecsElapsed() / 1e6);
                    pending[k] = false;
                }
                trees[k]->meanwhile.push_back(trees[k]->lookupMs(anyId()));
            }
            QThread::msleep(20);
        }
        for (int k = 0; k < 2; ++k)
            trees[k]->missed += pending[k] ? 1 : 0;
    }

    std::printf("load %s\n", kivo::bench::loadAverage().c_str());
    for (Tree* tree : trees) {
        std::printf("%-34s %-10s %9.1f ms  (%lld names, %lld folders)\n", "index build",
                    tree->label, tree->buildMs, (long long)tree->index.statistics().names,
                    (long long)tree->index.statistics().folders);
    }
    for (Tree* tree : trees) {
        std::printf("%-34s %-10s %9.1f ms  (%lld found)\n", "find -iname 'ID*', once (anchor)",
                    tree->label, tree->findMs, (long long)tree->findFound);
    }
    for (Tree* tree : trees)
        printLookups("index lookups, settled", tree->label, tree->settled);
    // The lookups' own work, without the waits for a processor: the loopback share's server and
    // client run on this machine too.
    for (Tree* tree : trees)
        printLookups("  the same, on-CPU time", tree->label, tree->settledCpu);
    for (Tree* tree : trees)
        printLookups("index lookups, photos arriving", tree->label, tree->meanwhile);
    for (Tree* tree : trees) {
        const auto& ms = tree->foundAfterMs;
        std::printf("%-34s %-10s median %8.1f ms  max %8.1f ms  (%zu of %d found within 30 s)\n",
                    "new photo found after", tree->label, median(ms),
                    ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()), ms.size(), rounds);
    }
    std::printf("Stopping the share and removing the trees ...\n");
    return 0;
}
