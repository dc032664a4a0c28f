// How long the scan of the application folders takes on a machine with many applications, against
// the same job done in plain Python (bench/scan_anchor.py, plistlib).
//
//   bench_scan [BUNDLES] [PAIRS]     (defaults: 2000 bundles, 11 pairs)
//
// Lays out BUNDLES application bundles across the five application folders of a temporary
// miniature Mac (Info.plists half XML, half binary, a few with display names, one in fifty without
// any, some decoys the scan must pass over), warms the file-system cache with one run of each, then
// times PAIRS pairs: our scan in this process and the Python scan in its own, each timed around the
// scan alone. The pairs alternate which runs first, so a change of load on the shared machine
// falls on both. The claim is the median of the per-pair ratios; the medians of the times are for
// information.

#include "dock/InstalledApps.h"
#include "support/BenchFigure.h"
#include "support/BenchGenerators.h"
#include "support/ChildRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

using namespace velmora;

namespace {

struct Anchor {
    qsizetype found = -1;
    double ms = 0;
};

/// The Python scan's own report, "ANCHOR <count> <ms>", or nothing when it failed.
std::optional<Anchor> runAnchor(const QString &python, const QStringList &folders)
{
    const bench::ChildRun run =
        bench::runChild(python, QStringList{QString::fromUtf8(VELMORA_SCAN_ANCHOR)} + folders);
    const QList<QByteArray> words = run.out.trimmed().split(' ');
    if (run.exitCode != 0 || words.size() != 3 || words[0] != "ANCHOR")
        return std::nullopt;
    return Anchor{words[1].toLongLong(), words[2].toDouble()};
}

double ourScan(const QStringList &folders, qsizetype *found)
{
    QElapsedTimer timer;
    timer.start();
    *found = InstalledApps::scan(folders).size();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int bundles = args.size() > 1 ? args[1].toInt() : 2000;
    const int pairs = args.size() > 2 ? args[2].toInt() : 11;
    if (bundles <= 0 || pairs <= 0) {
        std::fputs("usage: bench_scan [BUNDLES] [PAIRS]\n", stderr);
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

    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        std::puts("python3 is not installed: the ratio to the Python scan is skipped");

    bench::BenchFigure ratio{
        QStringLiteral("scan of %1 bundles / Python plistlib").arg(bundles), QStringLiteral("×"), {}, 0.35};
    bench::BenchFigure ours{
        QStringLiteral("scan of %1 bundles (ours)").arg(bundles), QStringLiteral("ms"), {}, 0};
    bench::BenchFigure anchor{
        QStringLiteral("scan of %1 bundles (Python)").arg(bundles), QStringLiteral("ms"), {}, 0};

    // One unmeasured run of each: the first reads the folders into the cache, and loads plistlib's
    // parts the first time it meets each format.
    qsizetype found = 0;
    ourScan(folders, &found);
    if (!python.isEmpty() && !runAnchor(python, folders)) {
        std::fputs("the Python scan failed\n", stderr);
        return 1;
    }

    bool agree = found == bundles;
    for (int pair = 0; pair < pairs; ++pair) {
        double mine = 0;
        std::optional<Anchor> theirs;
        const bool anchorFirst = pair % 2 == 1;
        if (anchorFirst && !python.isEmpty())
            theirs = runAnchor(python, folders);
        mine = ourScan(folders, &found);
        if (!anchorFirst && !python.isEmpty())
            theirs = runAnchor(python, folders);
        ours.samples.append(mine);
        agree = agree && found == bundles;
        if (python.isEmpty()) {
            std::printf("run %d: %.1f ms (%lld applications)\n", pair + 1, mine,
                        static_cast<long long>(found));
            continue;
        }
        if (!theirs) {
            std::fputs("the Python scan failed\n", stderr);
            return 1;
        }
        agree = agree && theirs->found == found;
        anchor.samples.append(theirs->ms);
        ratio.samples.append(mine / theirs->ms);
        std::printf("pair %d: ours %.1f ms, Python %.1f ms: %.3f× (%lld applications)\n", pair + 1, mine,
                    theirs->ms, mine / theirs->ms, static_cast<long long>(found));
    }

    if (!python.isEmpty())
        ratio.print();
    ours.print();
    if (!python.isEmpty())
        anchor.print();
    if (!agree)
        std::fprintf(stderr, "the scans did not find the %d applications laid out\n", bundles);
    return agree ? 0 : 1;
}
