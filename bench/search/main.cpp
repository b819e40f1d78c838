// Photo search benchmark: builds a tree of FILES empty photo files spread over FOLDERS folders
// in a temporary folder, times `find -iname 'ID*'`, the folder scan, kivo-find as a child
// process and the file-name index in alternating rounds, reporting each one's median and
// spread; then the index's lookups of IDs across the tree (median and 99th percentile) once
// the folders have settled, and again in the 2 s after each of RUNS new photos (the first lookup
// after each one must find it); measures the index's memory for 1,000,000 names, and removes
// the tree.
//
//   bench_search [files=205000] [runs=11] [folders=60]
//
// A season of day and camera folders: bench_search 200000 11 2000

#include "search/FileNameIndex.h"
#include "search/FolderScan.h"
#include "search/PhotoSearchSteps.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

using kivo::bench::dayFolderName;
using kivo::bench::median;
using kivo::bench::percentile;

namespace {

// Times of one method over the rounds, reported as median and spread.
struct Timings
{
    Timings(const char* label, std::function<QStringList()> run) : label(label), run(std::move(run))
    {}
    const char* label;
    std::function<QStringList()> run;
    std::vector<double> ms;
    qsizetype found = 0;
};

// 40 photos per customer ID, upper- and lower-case extensions.
std::string photoName(int i)
{
    char name[64];
    std::snprintf(name, sizeof name, "%06d_%02d.%s", 100000 + i / 40, i % 40,
                  i % 3 ? "jpg" : "JPG");
    return name;
}

void touch(const std::string& path)
{
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd >= 0)
        close(fd);
}

// Lookup times: wall clock, and this thread's processor time (the lookup's own work, without
// the waits for a processor that a busy machine adds).
struct Lookups
{
    std::vector<double> wall;
    std::vector<double> cpu;
    template <typename Run> auto time(Run run)
    {
        const double cpuBefore = kivo::bench::threadCpuMs();
        QElapsedTimer t;
        t.start();
        auto result = run();
        wall.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(kivo::bench::threadCpuMs() - cpuBefore);
        return result;
    }
};

void printLookups(const char* label, const Lookups& ms)
{
    std::printf("%s p50 %7.3f ms  p99 %7.3f ms  max %7.3f ms  (%zu lookups; on-CPU p50 %.3f ms, "
                "p99 %.3f ms)\n",
                label, median(ms.wall), percentile(ms.wall, 0.99),
                ms.wall.empty() ? 0.0 : *std::max_element(ms.wall.begin(), ms.wall.end()),
                ms.wall.size(), median(ms.cpu), percentile(ms.cpu, 0.99));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = std::max(1, argc > 1 ? std::atoi(argv[1]) : 205000);
    const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 11);
    const int folders = std::max(1, argc > 3 ? std::atoi(argv[3]) : 60);
    const int ids = (files + 39) / 40;

    QTemporaryDir dir;
    const std::string root = QFile::encodeName(dir.path()).toStdString();
    std::printf("Building %d files in %d folders under %s ...\n", files, folders, root.c_str());
    for (int f = 0; f < folders; ++f) {
        const std::string folder = root + dayFolderName(f);
        mkdir(folder.c_str(), 0755);
        for (int i = f; i < files; i += folders)
            touch(folder + '/' + photoName(i));
    }
    const QString folder = dir.path();
    const QString id = QString::number(100000 + ids / 2);
    std::printf("%d files in %d folders; load %s\n", files, folders,
                kivo::bench::loadAverage().c_str());

    // Warm the cache.
    {
        QProcess warm;
        warm.start(QStringLiteral("find"), {folder, QStringLiteral("-iname"), id + "*"});
        warm.waitForFinished(-1);
    }

    kivo::FileNameIndex index;
    QElapsedTimer t;
    t.start();
    index.prepare(folder);
    std::printf("method 1, index build        %8.1f ms  (%lld names, %lld folders)\n",
                t.nsecsElapsed() / 1e6, (long long)index.statistics().names,
                (long long)index.statistics().folders);
    // Every folder settled, as on a station that has been running a while: the folders just
    // written are looked at again once their time stamps are old enough.
    sleep(3);
    index.lookup(folder, {id});
    sleep(3);
    index.lookup(folder, {id});

    // The methods take turns round by round, so that a change in the machine's load or cache
    // falls on all of them alike rather than on whichever ran in that stretch.
    std::vector<Timings> methods{
        {"find -iname 'ID*'        ",
         [&] {
             QProcess p;
             p.start(QStringLiteral("find"), {folder, QStringLiteral("-iname"), id + "*"});
             p.waitForFinished(-1);
             return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
         }},
        {"method 2, folder scan    ", [&] { return kivo::photosInFolder(folder, {id}, true); }},
        {"method 0, kivo-find child", [&] { return kivo::searchWithIndexTool({id}, folder); }},
        {"method 1, index (settled)", [&] { return index.lookup(folder, {id}); }},
    };
    // Besides, in each round, lookups of IDs across the tree, for the spread of the index.
    Lookups settled;
    unsigned seed = 12345;
    auto anyId = [&] {
        seed = seed * 1103515245u + 12345u;
        return QString::number(100000 + int((seed >> 8) % unsigned(ids)));
    };
    for (int round = 0; round < runs; ++round) {
        for (Timings& m : methods) {
            t.restart();
            m.found = m.run().size();
            m.ms.push_back(t.nsecsElapsed() / 1e6);
        }
        for (int i = 0; i < 100; ++i) {
            const QString some = anyId();
            settled.time([&] { return index.lookup(folder, {some}); });
        }
    }
    const double findMs = median(methods.front().ms);
    std::printf("%d rounds, the methods taking turns; median [min - max]\n", runs);
    for (const Timings& m : methods) {
        std::printf("%s %9.3f ms [%.3f - %.3f]  (%lld found)  %.3fx find\n", m.label, median(m.ms),
                    *std::min_element(m.ms.begin(), m.ms.end()),
                    *std::max_element(m.ms.begin(), m.ms.end()), (long long)m.found,
                    median(m.ms) / findMs);
    }
    std::printf("  (kivo-find: %s)\n", qPrintable(kivo::kivoFindToolPath()));
    printLookups("method 1, index lookups, settled          ", settled);

    // A photo dropped in a moment ago, in a folder anywhere in the tree: the first lookup after
    // it must find it; the lookups in the 2 s after it are timed (IDs across the tree, one every
    // 5 ms, as several stations' customers and the preparation of photos would ask).
    Lookups first;
    Lookups fresh;
    int missed = 0;
    for (int i = 0; i < runs; ++i) {
        const int f = int((long long)(i + 1) * 7919 % folders);
        const QString newId = QString::number(100000 + ids + i);
        const std::string added = root + dayFolderName(f) + '/' + newId.toStdString() + "_01.jpg";
        touch(added);
        QElapsedTimer since;
        since.start();
        const QStringList found = first.time([&] { return index.lookup(folder, {newId}); });
        if (!found.contains(QFile::decodeName(added.c_str())))
            ++missed;
        while (since.elapsed() < 2000) {
            usleep(5000);
            const QString some = anyId();
            fresh.time([&] { return index.lookup(folder, {some}); });
        }
    }
    printLookups("method 1, first lookup after a new photo  ", first);
    printLookups("method 1, lookups within 2 s of a new one ", fresh);
    std::printf("method 1, new photos the first lookup after them missed: %d of %d\n", missed,
                runs);

    // Memory for 1,000,000 names (1,000 folders of 1,000 photos), without making the files.
    malloc_trim(0);
    const long before = kivo::bench::statusKiB("VmRSS:");
    {
        kivo::FileNameIndex big;
        std::vector<std::string> names(1000);
        for (int f = 0; f < 1000; ++f) {
            for (int i = 0; i < 1000; ++i)
                names[size_t(i)] = photoName(f * 1000 + i);
            big.insertFolderForTesting("/srv/images/day" + std::to_string(f), names);
        }
        names.clear();
        names.shrink_to_fit();
        malloc_trim(0);
        std::printf("method 1, memory for %lld names: %.1f MB\n", (long long)big.statistics().names,
                    (kivo::bench::statusKiB("VmRSS:") - before) / 1024.0);
    }
    std::printf("Removing the tree ...\n");
    return 0;
}
