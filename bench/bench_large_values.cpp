// What a large value costs in memory: the wallpaper tweak carries its whole picture in Base64, so
// printing it, saving a profile holding it and loading that profile again each handle tens of
// megabytes. Measured as child processes, the kernel's peak resident set of each (wait4, through
// /usr/bin/time so that it is the child's own).
//
//   bench_large_values [MEGABYTES] [PAIRS]      (defaults: a 20 MB picture, 9 pairs)
//
// Each command runs in pairs on one temporary simulated Mac: once with a small picture set (the
// baseline: the same process, libraries and catalogue) and once with the large one, in turns, the
// first of a pair alternating. A pair's figure is (peak − baseline peak) / picture file size; the
// figure of a command is the median over the pairs. The absolute peaks are printed for information.

#include "platform/simulated/SimulatedPlatform.h"
#include "support/BenchFigure.h"
#include "support/BenchGenerators.h"
#include "support/ChildRun.h"
#include "wallpaper/DesktopPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

using namespace velmora;

namespace {

struct Command {
    QString name;
    // The arguments after "--simulated-root ROOT"; "%1" is replaced by the profile of the picture set.
    QStringList args;
};

bool setPicture(SimulatedPlatform &platform, const QString &picture)
{
    const WallpaperStatus set = applyWallpaper(platform, picture, Scaling::fill, true);
    if (!set)
        std::fprintf(stderr, "cannot set %s: %s\n", qPrintable(picture),
                     qPrintable(set.error().description()));
    return bool(set);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int megabytes = args.size() > 1 ? args[1].toInt() : 20;
    const int pairs = args.size() > 2 ? args[2].toInt() : 9;
    if (megabytes <= 0 || pairs <= 0) {
        std::fputs("usage: bench_large_values [MEGABYTES] [PAIRS]\n", stderr);
        return 2;
    }
    const QString velmoractl =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmoractl"));
    if (!QFileInfo(velmoractl).isExecutable()) {
        std::fprintf(stderr, "%s is not built\n", qPrintable(velmoractl));
        return 1;
    }

    QTemporaryDir dir;
    const QString rootPath = dir.filePath(QStringLiteral("root"));
    SimulatedRoot root(rootPath);
    if (!root.initialize()) {
        std::fprintf(stderr, "cannot lay out %s\n", qPrintable(rootPath));
        return 1;
    }
    SimulatedPlatform platform(rootPath);
    const QString large = root.home() + QStringLiteral("/Pictures/large-%1MB.png").arg(megabytes);
    if (bench::writeNoisePicture(large, megabytes).isEmpty()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(large));
        return 1;
    }
    // The baseline's picture: small, but a real picture the displays accept.
    const QString small = root.home() + QStringLiteral("/Pictures/small.png");
    QImage tiny(64, 48, QImage::Format_RGB32);
    tiny.fill(Qt::darkCyan);
    if (!tiny.save(small)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(small));
        return 1;
    }
    const double pictureMegabytes = QFileInfo(large).size() / (1024.0 * 1024.0);
    std::printf("picture: %lld bytes (%.2f MB); baseline picture %lld bytes\n",
                qlonglong(QFileInfo(large).size()), pictureMegabytes, qlonglong(QFileInfo(small).size()));

    const QString largeProfile = dir.filePath(QStringLiteral("large.velmoraprofile"));
    const QString smallProfile = dir.filePath(QStringLiteral("small.velmoraprofile"));
    const QList<Command> commands{
        {QStringLiteral("get wallpaper.config"), {QStringLiteral("get"), QStringLiteral("wallpaper.config")}},
        {QStringLiteral("profile save"),
         {QStringLiteral("profile"), QStringLiteral("save"), QStringLiteral("%1")}},
        {QStringLiteral("profile diff"),
         {QStringLiteral("profile"), QStringLiteral("diff"), QStringLiteral("%1")}},
    };

    // One run of a command with `picture` set; its peak in MB, or a negative number on failure.
    auto runOnce = [&](const Command &command, bool withLarge) -> double {
        if (!setPicture(platform, withLarge ? large : small))
            return -1;
        QStringList childArgs{QStringLiteral("--simulated-root"), rootPath};
        for (const QString &arg : command.args)
            childArgs.append(arg == QLatin1String("%1") ? (withLarge ? largeProfile : smallProfile) : arg);
        const bench::ChildRun run = bench::runChildOwnPeak(velmoractl, childArgs, {}, true);
        if (run.exitCode != 0) {
            std::fprintf(stderr, "%s (%s picture) exited with %d\n", qPrintable(command.name),
                         withLarge ? "large" : "small", run.exitCode);
            return -1;
        }
        return run.peakMegabytes;
    };

    int status = 0;
    for (const Command &command : commands) {
        bench::BenchFigure ratio{
            QStringLiteral("large value: %1 / picture size").arg(command.name), QStringLiteral("×"), {}, 2.0};
        bench::BenchFigure peak{
            QStringLiteral("large value: %1 peak, %2 MB picture").arg(command.name).arg(megabytes),
            QStringLiteral("MB"),
            {},
            0};
        bench::BenchFigure basePeak{
            QStringLiteral("large value: %1 peak, baseline").arg(command.name), QStringLiteral("MB"), {}, 0};
        // A warm-up pair, not counted: the profiles the later commands read are written here, and
        // the files and libraries come into the page cache.
        if (runOnce(command, false) < 0 || runOnce(command, true) < 0) {
            status = 1;
            continue;
        }
        for (int pair = 0; pair < pairs; ++pair) {
            const bool largeFirst = pair % 2 == 1;
            const double first = runOnce(command, largeFirst);
            const double second = runOnce(command, !largeFirst);
            if (first < 0 || second < 0) {
                status = 1;
                break;
            }
            const double withLarge = largeFirst ? first : second;
            const double baseline = largeFirst ? second : first;
            peak.samples.append(withLarge);
            basePeak.samples.append(baseline);
            ratio.samples.append((withLarge - baseline) / pictureMegabytes);
            std::printf("%s, pair %d: %.1f MB, baseline %.1f MB: %.2f×\n", qPrintable(command.name), pair + 1,
                        withLarge, baseline, ratio.samples.last());
            std::fflush(stdout);
        }
        ratio.print();
        peak.print();
        basePeak.print();
    }
    return status;
}
