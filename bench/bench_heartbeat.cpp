// How long the window's thread goes without handling an event: a 1 ms timer on that thread notes
// the longest gap between its ticks while the user
//   (a) saves a profile, loads it into the review and applies it, with a 20 MB desktop picture set
//       (the wallpaper's value then carries about 27 MB of Base64), and
//   (b) opens the Wallpaper page on a large picture (8000×6000).
// Each step prints its longest stall and how many stalls were longer than 50 ms, the most the
// window may ever wait.
//
//   bench_heartbeat [MEGABYTES]      (default 20: the size of the picture of (a))
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise, on a fresh simulated Mac in a temporary
// folder with the stand-in tools of the build.

#include "engine/TweakEngine.h"
#include "gui/app/MainWindow.h"
#include "gui/app/RootView.h"
#include "gui/app/VelmoraApp.h"
#include "gui/profiles/ProfileDiffView.h"
#include "gui/profiles/ProfileMenu.h"
#include "gui/wallpaper/PreviewWell.h"
#include "gui/wallpaper/WallpaperView.h"
#include "support/BenchGenerators.h"
#include "support/FakePanels.h"
#include "support/TestRoot.h"
#include "wallpaper/DesktopPictures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr qint64 kStallNs = 50'000'000;
constexpr qint64 kStepTimeoutMs = 180'000;

/// The 1 ms timer and what it saw since the last `restart`.
class Heartbeat : public QObject {
public:
    Heartbeat()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { beat(); });
        m_timer.start();
        m_clock.start();
    }

    void restart()
    {
        m_last = m_clock.nsecsElapsed();
        m_longest = 0;
        m_stalls = 0;
    }
    qint64 longestNs() const { return m_longest; }
    int stalls() const { return m_stalls; }

private:
    void beat()
    {
        const qint64 now = m_clock.nsecsElapsed();
        const qint64 gap = now - m_last;
        m_last = now;
        m_longest = qMax(m_longest, gap);
        if (gap > kStallNs)
            ++m_stalls;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_stalls = 0;
};

struct Step {
    QString name;
    qint64 longestNs = 0;
    int stalls = 0;
    qint64 tookMs = 0;
    bool finished = false;
};

/// Runs the event loop until `done` holds (or the step times out), then a little longer so what
/// the step left to paint is painted within the measurement.
bool runUntil(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kStepTimeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return true;
}

Step measure(Heartbeat &heart, const QString &name, const std::function<void()> &start,
             const std::function<bool()> &done)
{
    Step step;
    step.name = name;
    QElapsedTimer clock;
    heart.restart();
    clock.start();
    start();
    step.finished = runUntil(done);
    step.tookMs = clock.elapsed();
    step.longestNs = heart.longestNs();
    step.stalls = heart.stalls();
    return step;
}

void print(const Step &step)
{
    std::printf("%-34s %9.1f ms %8d %10lld ms%s\n", qPrintable(step.name), step.longestNs / 1e6, step.stalls,
                static_cast<long long>(step.tookMs), step.finished ? "" : "  (timed out)");
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int megabytes = args.size() > 1 ? args[1].toInt() : 20;
    if (megabytes <= 0) {
        std::fputs("usage: bench_heartbeat [MEGABYTES]\n", stderr);
        return 2;
    }

    TestRoot root;
    const QString noise =
        bench::writeNoisePicture(root.root().home() + QStringLiteral("/Pictures/noise.png"), megabytes);
    const QString photo =
        bench::writeLargePhoto(root.root().home() + QStringLiteral("/Pictures/photo.jpg"), QSize(8000, 6000));
    if (noise.isEmpty() || photo.isEmpty()) {
        std::fputs("cannot write the pictures\n", stderr);
        return 1;
    }
    if (!applyWallpaper(root.platform(), noise, Scaling::fill, true)) {
        std::fputs("cannot set the desktop picture\n", stderr);
        return 1;
    }
    std::printf("pictures: %s (%.1f MB), %s (8000×6000, %.1f MB)\n", qPrintable(QFileInfo(noise).fileName()),
                QFileInfo(noise).size() / 1048576.0, qPrintable(QFileInfo(photo).fileName()),
                QFileInfo(photo).size() / 1048576.0);

    auto fake = std::make_unique<FakePanels>();
    FakePanels *panels = fake.get();
    VelmoraApp app(root.makePlatform(), std::move(fake));
    app.showMainWindow();
    MainWindow *window = app.mainWindow();
    window->resize(1200, 800);
    ProfileMenu *menu = window->profileMenu();
    TweakEngine &engine = app.engine();
    Heartbeat heart;
    // The first page reads its category; let that and the first paints pass.
    runUntil([] { return true; });

    QList<Step> steps;
    // The floor: what the timer sees while nothing happens (other programs on the machine, the
    // scheduler). The steps below are to be read against it.
    QElapsedTimer idle;
    steps << measure(
        heart, QStringLiteral("nothing happening (1 s)"), [&] { idle.start(); },
        [&] { return idle.elapsed() >= 1000; });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.plist"));

    steps << measure(
        heart, QStringLiteral("(a) save the profile"),
        [&] {
            panels->answers.enqueue(file);
            menu->saveAction()->trigger();
        },
        [&] { return QFileInfo::exists(file); });

    // One value changed since the save, so the review has something to apply; applying sets every
    // value of the profile, the picture among them.
    const Tweak tileSize = *engine.registry().tweak(QStringLiteral("dock.tilesize"));
    if (!QCoro::waitFor(engine.apply(TweakValue::ofInt(30), tileSize))) {
        std::fputs("cannot change the Dock's icon size\n", stderr);
        return 1;
    }

    steps << measure(
        heart, QStringLiteral("(a) load it into the review"),
        [&] {
            panels->answers.enqueue(file);
            menu->loadAction()->trigger();
        },
        [&] { return menu->reviewSheet() && menu->reviewSheet()->isVisible(); });

    // The apply ends with the restarts its values recorded: the pending set empties, then one
    // killall per target runs.
    qsizetype targets = 0;
    qsizetype restartsAtEnd = -1;
    QObject::connect(&engine, &TweakEngine::pendingRestartsChanged, &engine, [&] {
        if (!engine.pendingRestarts().isEmpty()) {
            targets = engine.pendingRestarts().size();
        } else if (restartsAtEnd < 0) {
            restartsAtEnd = root.restartLog().size() + targets;
        }
    });
    steps << measure(
        heart, QStringLiteral("(a) apply the reviewed profile"),
        [&] {
            if (ProfileDiffView *sheet = menu->reviewSheet())
                sheet->applyButton()->click();
        },
        [&] {
            return !menu->reviewSheet() && restartsAtEnd >= 0 && root.restartLog().size() >= restartsAtEnd;
        });

    if (!applyWallpaper(root.platform(),
                        qEnvironmentVariableIsSet("SMALL")
                            ? root.root().path() + QStringLiteral("/Library/Desktop Pictures/Bloom.png")
                            : photo,
                        Scaling::fill, true)) {
        std::fputs("cannot set the large picture\n", stderr);
        return 1;
    }
    steps << measure(
        heart, QStringLiteral("(b) show the Wallpaper page"),
        [&] { window->rootView()->setSelectedCategoryID(QStringLiteral("wallpaper")); },
        [&] {
            auto *page = qobject_cast<WallpaperView *>(window->rootView()->currentPage());
            return page && page->previewWell()->image().has_value();
        });

    std::printf("\n%-34s %12s %8s %13s\n", "step", "longest gap", "> 50 ms", "took");
    qint64 longest = 0;
    int stalls = 0;
    bool finished = true;
    for (const Step &step : std::as_const(steps)) {
        print(step);
        longest = qMax(longest, step.longestNs);
        stalls += step.stalls;
        finished = finished && step.finished;
    }
    std::printf("%-34s %9.1f ms %8d\n", "all", longest / 1e6, stalls);
    std::printf("\nthe window's thread %s stalls longer than 50 ms\n", stalls == 0 ? "never" : "still");
    return finished ? 0 : 1;
}
