// Captures the wallpaper tweak's value of a large picture, as saving a profile does, and reports how
// long it took. Run it under /usr/bin/time -v for the peak memory.
//
//   bench_wallpaper_capture ROOT [MEGABYTES] [RUNS]
//
// Lays out ROOT when needed, writes a picture of about MEGABYTES (default 20) there unless one is
// already in place, sets it on every display, then reads the value RUNS times (default 1).

#include "platform/simulated/SimulatedPlatform.h"
#include "support/BenchGenerators.h"
#include "wallpaper/DesktopPictures.h"
#include "wallpaper/WallpaperTweakHandler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

using namespace velmora;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_wallpaper_capture ROOT [MEGABYTES] [RUNS]\n");
        return 2;
    }
    const QString rootPath = args[1];
    const int megabytes = args.size() > 2 ? args[2].toInt() : 20;
    const int runs = args.size() > 3 ? args[3].toInt() : 1;
    SimulatedRoot root(rootPath);
    if (!root.isInitialized() && !root.initialize()) {
        std::fprintf(stderr, "cannot lay out %s\n", qPrintable(rootPath));
        return 1;
    }
    SimulatedPlatform platform(rootPath);

    const QString picture = root.home() + QStringLiteral("/Pictures/large-%1MB.png").arg(megabytes);
    if (!QFileInfo::exists(picture) && bench::writeNoisePicture(picture, megabytes).isEmpty()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(picture));
        return 1;
    }
    const WallpaperStatus set = applyWallpaper(platform, picture, Scaling::fill, true);
    if (!set) {
        std::fprintf(stderr, "%s\n", qPrintable(set.error().description()));
        return 1;
    }

    WallpaperTweakHandler handler;
    qint64 fastest = -1;
    qsizetype length = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        // Waited for here, as a test waits: the read itself runs on a worker thread.
        const Result<TweakValue> value = QCoro::waitFor(handler.currentValue(platform));
        const qint64 elapsed = timer.nsecsElapsed();
        length = value ? value->toUtf8().size() : -1; // ASCII: as many characters as bytes
        if (fastest < 0 || elapsed < fastest)
            fastest = elapsed;
        std::printf("run %d: %.1f ms\n", i + 1, elapsed / 1e6);
    }
    std::printf("picture: %s (%lld bytes)\nvalue: %lld characters\nfastest: %.1f ms\n", qPrintable(picture),
                qlonglong(QFileInfo(picture).size()), qlonglong(length), fastest / 1e6);
    return 0;
}
