// How long the scan of the application folders takes on a machine with many applications.
//
//   bench_scan [BUNDLES] [RUNS]     (defaults: 2000 bundles, 5 runs)
//
// Lays out BUNDLES application bundles across the five application folders of a temporary
// miniature Mac (Info.plists half XML, half binary, a few with display names, one in fifty without
// any, some decoys the scan must pass over), then times RUNS scans and prints each and the median.
// The first run reads a cold file-system cache only if the caches were dropped beforehand.

#include "dock/InstalledApps.h"
#include "support/BenchGenerators.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace velmora;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int bundles = args.size() > 1 ? args[1].toInt() : 2000;
    const int runs = args.size() > 2 ? args[2].toInt() : 5;
    if (bundles <= 0 || runs <= 0) {
        std::fputs("usage: bench_scan [BUNDLES] [RUNS]\n", stderr);
        return 2;
    }

    QTemporaryDir dir;
    const QStringList folders = bench::applicationFolders(dir.path());
    QElapsedTimer layout;
    layout.start();
    if (!bench::layOutApplications(dir.path(), bundles)) {
        std::fputs("cannot lay out the applications\n", stderr);
        return 1;
    }
    std::printf("laid out %d bundles in %lld ms\n", bundles, static_cast<long long>(layout.elapsed()));

    QList<double> times;
    qsizetype found = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        found = InstalledApps::scan(folders).size();
        times.append(timer.nsecsElapsed() / 1e6);
        std::printf("run %d: %.1f ms (%lld applications)\n", run + 1, times.last(),
                    static_cast<long long>(found));
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 ? times[times.size() / 2]
                                           : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("median of %d: %.1f ms for %lld applications\n", runs, median, static_cast<long long>(found));
    return found == bundles ? 0 : 1;
}
