// Photo search benchmark: builds a tree of 205,000 files in 60 day folders in a temporary
// folder, times `find -iname 'ID*'`, the folder scan, kivo-find as a child process and the
// file-name index (with its freshness check) in alternating rounds, reporting each one's median
// and spread, times a lookup that sees a new photo, measures the index's memory for 1,000,000
// names, and removes the tree.
//
//   bench_search [files=205000] [runs=11]

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
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

using kivo::bench::median;

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

long rssKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 205000;
    const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 11);
    const int days = 60;

    QTemporaryDir dir;
    const std::string root = QFile::encodeName(dir.path()).toStdString();
    std::printf("Building %d files in %d day folders under %s ...\n", files, days, root.c_str());
    for (int d = 0; d < days; ++d) {
        char day[32];
        std::snprintf(day, sizeof day, "/%02d-%02d-2026", 1 + d / 28, 1 + d % 28);
        const std::string folder = root + day;
        mkdir(folder.c_str(), 0755);
        for (int i = d; i < files; i += days) {
            char name[64];
            // 40 photos per customer ID, upper- and lower-case extensions.
            std::snprintf(name, sizeof name, "/%06d_%02d.%s", 100000 + i / 40, i % 40,
                          i % 3 ? "jpg" : "JPG");
            const int fd = open((folder + name).c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                close(fd);
        }
    }
    const QString folder = dir.path();
    const QString id = QStringLiteral("102345");

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
    sleep(3); // let every folder settle, as on a station that has been running a while
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
        {"method 2, folder scan    ", [&] { return kivo::itemsAtPath(folder, {id}, true); }},
        {"method 0, kivo-find child", [&] { return kivo::searchWithIndexTool({id}, folder); }},
        {"method 1, index (settled)", [&] { return index.lookup(folder, {id}); }},
    };
    for (int round = 0; round < runs; ++round) {
        for (Timings& m : methods) {
            t.restart();
            m.found = m.run().size();
            m.ms.push_back(t.nsecsElapsed() / 1e6);
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
    QStringList found;
    // A photo dropped in a moment ago: the lookup that sees it (lists that folder again).
    std::vector<double> fresh;
    for (int i = 0; i < runs; ++i) {
        const std::string added =
            root + "/02-05-2026/" + std::to_string(102345) + "_new" + std::to_string(i) + ".jpg";
        close(open(added.c_str(), O_CREAT | O_WRONLY, 0644));
        t.restart();
        found = index.lookup(folder, {id});
        fresh.push_back(t.nsecsElapsed() / 1e6);
        if (!found.contains(QFile::decodeName(added.c_str())))
            std::printf("  the new photo was NOT found\n");
    }
    std::printf("method 1, lookup after a new photo %8.3f ms  (%lld found, %lld folder listed)\n",
                median(fresh), (long long)found.size(),
                (long long)index.statistics().foldersListedByLastLookup);

    // Memory for 1,000,000 names (1,000 folders of 1,000 photos), without making the files.
    malloc_trim(0);
    const long before = rssKiB();
    {
        kivo::FileNameIndex big;
        std::vector<std::string> names(1000);
        for (int f = 0; f < 1000; ++f) {
            for (int i = 0; i < 1000; ++i) {
                char name[64];
                std::snprintf(name, sizeof name, "%06d_%02d.%s", 100000 + (f * 1000 + i) / 40,
                              i % 40, i % 3 ? "jpg" : "JPG");
                names[size_t(i)] = name;
            }
            big.insertFolderForTesting("/srv/images/day" + std::to_string(f), names);
        }
        names.clear();
        names.shrink_to_fit();
        malloc_trim(0);
        std::printf("method 1, memory for %lld names: %.1f MB\n", (long long)big.statistics().names,
                    (rssKiB() - before) / 1024.0);
    }
    std::printf("Removing the tree ...\n");
    return 0;
}
