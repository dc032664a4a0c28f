// How long the window's thread goes without handling an event: a 1 ms timer on that thread notes
// the longest gap between its ticks while the user
//   - does nothing for a second (the floor: what the machine itself costs),
//   - saves a profile with a 20 MB desktop picture set (the wallpaper's value then carries about
//     27 MB of Base64), loads it into the review and applies it,
//   - loads a profile of all values, each moved from where it stands, into the review and applies it,
//   - opens the Dock Apps page with 2,000 applications installed,
//   - opens the Wallpaper page on the 20 MB picture, on an 8000×6000 photograph, and on a
//     30000×30000 picture (too large to decode whole).
// Every step runs in REPEATS sessions, each on a fresh simulated Mac with a fresh window; a step's
// figure is the median of its longest gaps, held to 50 ms, the most the window may ever wait.
//
//   bench_heartbeat [MEGABYTES] [REPEATS]      (defaults: 20, 3)
//
// Each step also prints the most processor time one event took on the window's thread: on a loaded
// machine a gap is partly the wait for a processor, which that column does not count.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise, with the stand-in tools of the build.
// With VELMORA_BENCH_SLOW_EVENTS=MS set, every event the window's thread took longer than MS to
// handle is printed with its receiver, to find where a stall comes from.

#include "dock/DockAppsViewModel.h"
#include "engine/TweakEngine.h"
#include "gui/app/MainWindow.h"
#include "gui/app/RootView.h"
#include "gui/app/VelmoraApp.h"
#include "gui/dock/DockAppsView.h"
#include "gui/dock/DockRowListView.h"
#include "gui/profiles/ProfileDiffView.h"
#include "gui/profiles/ProfileMenu.h"
#include "gui/wallpaper/PreviewWell.h"
#include "gui/wallpaper/WallpaperView.h"
#include "support/BenchFigure.h"
#include "support/BenchGenerators.h"
#include "support/FakePanels.h"
#include "support/TestRoot.h"
#include "wallpaper/DesktopPictures.h"
#include "wallpaper/WallpaperViewModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>

#include <time.h>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr qint64 kStallNs = 50'000'000;
constexpr qint64 kStepTimeoutMs = 180'000;
constexpr int kApplications = 2000;

/// Times every event the window's thread handles (outermost deliveries only): the most processor
/// time one event took since `restart`, which tells work on this thread from waiting for a processor
/// on a loaded machine; with VELMORA_BENCH_SLOW_EVENTS=MS, each event longer than that is printed.
class TimingApplication : public QApplication {
public:
    TimingApplication(int &argc, char **argv) : QApplication(argc, argv)
    {
        m_thresholdNs = qEnvironmentVariableIntValue("VELMORA_BENCH_SLOW_EVENTS") * qint64(1'000'000);
    }

    void restart() { m_longestCpuNs = 0; }
    qint64 longestCpuNs() const { return m_longestCpuNs; }

    bool notify(QObject *receiver, QEvent *event) override
    {
        // Workers deliver their own events through here too.
        if (m_depth > 0 || QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        ++m_depth;
        const int type = event->type();
        QElapsedTimer clock;
        clock.start();
        const qint64 cpuBefore = threadCpuNs();
        const bool handled = QApplication::notify(receiver, event);
        const qint64 took = clock.nsecsElapsed();
        const qint64 cpu = threadCpuNs() - cpuBefore;
        --m_depth;
        m_longestCpuNs = qMax(m_longestCpuNs, cpu);
        if (m_thresholdNs > 0 && took > m_thresholdNs)
            std::fprintf(stderr, "  slow event: %.1f ms (%.1f ms of processor), type %d, to %s \"%s\"\n",
                         took / 1e6, cpu / 1e6, type, receiver->metaObject()->className(),
                         qPrintable(receiver->objectName()));
        return handled;
    }

private:
    static qint64 threadCpuNs()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    }

    qint64 m_thresholdNs = 0;
    qint64 m_longestCpuNs = 0;
    int m_depth = 0;
};

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
    qint64 longestCpuNs = 0; ///< the most processor time one event took
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

void print(const Step &step)
{
    std::printf("%-44s %9.1f ms %8d %11.1f ms %10lld ms%s\n", qPrintable(step.name), step.longestNs / 1e6,
                step.stalls, step.longestCpuNs / 1e6, static_cast<long long>(step.tookMs),
                step.finished ? "" : "  (timed out)");
    std::fflush(stdout);
}

/// What every session shares: the pictures and the profile of all values, made once.
struct Inputs {
    QString noise;
    QString photo;
    QString huge;
    QString allValues;
};

/// One fresh simulated Mac with 2,000 applications, and a window on it.
class Session {
public:
    explicit Session(const Inputs &inputs) : m_inputs(inputs) {}

    bool prepare()
    {
        if (!bench::layOutApplications(m_root.path(), kApplications)) {
            std::fputs("cannot lay out the applications\n", stderr);
            return false;
        }
        if (!applyWallpaper(m_root.platform(), m_inputs.noise, Scaling::fill, true)) {
            std::fputs("cannot set the desktop picture\n", stderr);
            return false;
        }
        auto fake = std::make_unique<FakePanels>();
        m_panels = fake.get();
        m_app = std::make_unique<VelmoraApp>(m_root.makePlatform(), std::move(fake));
        m_app->showMainWindow();
        m_window = m_app->mainWindow();
        m_window->resize(1200, 800);
        // The apply of a reviewed profile ends with the restarts its values recorded: the pending
        // set empties, then one killall per target runs.
        TweakEngine &engine = m_app->engine();
        QObject::connect(&engine, &TweakEngine::pendingRestartsChanged, &engine, [this, &engine] {
            if (!engine.pendingRestarts().isEmpty())
                m_targets = engine.pendingRestarts().size();
            else if (m_restartsAtEnd < 0)
                m_restartsAtEnd = m_root.restartLog().size() + m_targets;
        });
        // The first page reads its category; let that and the first paints pass.
        runUntil([] { return true; });
        return true;
    }

    QList<Step> run()
    {
        QList<Step> steps;
        QElapsedTimer idle;
        steps << measure(
            QStringLiteral("nothing happening (1 s)"), [&] { idle.start(); },
            [&] { return idle.elapsed() >= 1000; });

        const QString file = m_files.filePath(QStringLiteral("bench.plist"));
        steps << measure(
            QStringLiteral("20 MB picture profile: save"),
            [&] {
                m_panels->answers.enqueue(file);
                m_window->profileMenu()->saveAction()->trigger();
            },
            [&] { return QFileInfo::exists(file); });
        // One value changed since the save, so the review has something to apply; applying sets
        // every value of the profile, the picture among them.
        const Tweak tileSize = *m_app->engine().registry().tweak(QStringLiteral("dock.tilesize"));
        if (!QCoro::waitFor(m_app->engine().apply(TweakValue::ofInt(30), tileSize)))
            std::fputs("cannot change the Dock's icon size\n", stderr);
        steps << loadForReview(QStringLiteral("20 MB picture profile: load for review"), file);
        steps << applyReviewed(QStringLiteral("20 MB picture profile: apply"));

        steps << loadForReview(QStringLiteral("all-values profile: load for review"), m_inputs.allValues);
        steps << applyReviewed(QStringLiteral("all-values profile: apply"));

        steps << measure(
            QStringLiteral("Dock Apps page, 2,000 applications"), [&] { select(QStringLiteral("dockapps")); },
            [&] {
                auto *page = qobject_cast<DockAppsView *>(m_window->rootView()->currentPage());
                return page && !page->model().isLoading() &&
                       page->model().installedApps().size() >= kApplications;
            });

        steps << showWallpaper(QStringLiteral("Wallpaper page, 20 MB picture"), m_inputs.noise);
        steps << showWallpaper(QStringLiteral("Wallpaper page, 8000×6000 photo"), m_inputs.photo);
        steps << showWallpaper(QStringLiteral("Wallpaper page, 30000×30000 picture"), m_inputs.huge);
        return steps;
    }

private:
    Step measure(const QString &name, const std::function<void()> &start, const std::function<bool()> &done)
    {
        Step step;
        step.name = name;
        QElapsedTimer clock;
        auto *app = static_cast<TimingApplication *>(QCoreApplication::instance());
        m_heart.restart();
        app->restart();
        clock.start();
        start();
        step.finished = runUntil(done);
        step.tookMs = clock.elapsed();
        step.longestNs = m_heart.longestNs();
        step.longestCpuNs = app->longestCpuNs();
        step.stalls = m_heart.stalls();
        print(step);
        return step;
    }

    void select(const QString &categoryID) { m_window->rootView()->setSelectedCategoryID(categoryID); }

    Step loadForReview(const QString &name, const QString &file)
    {
        ProfileMenu *menu = m_window->profileMenu();
        return measure(
            name,
            [&] {
                m_panels->answers.enqueue(file);
                menu->loadAction()->trigger();
            },
            [&] {
                // The sheet shows with its first rows; the step lasts until the last one is built.
                return menu->reviewSheet() && menu->reviewSheet()->isVisible() &&
                       menu->reviewSheet()->isComplete();
            });
    }

    Step applyReviewed(const QString &name)
    {
        ProfileMenu *menu = m_window->profileMenu();
        m_targets = 0;
        m_restartsAtEnd = -1;
        return measure(
            name,
            [&] {
                if (ProfileDiffView *sheet = menu->reviewSheet())
                    sheet->applyButton()->click();
            },
            [&] {
                return !menu->reviewSheet() && m_restartsAtEnd >= 0 &&
                       m_root.restartLog().size() >= m_restartsAtEnd;
            });
    }

    /// The page is built afresh on each visit: an ordinary category first, out of the measurement.
    Step showWallpaper(const QString &name, const QString &picture)
    {
        select(m_app->engine().registry().categories().first().id);
        if (!applyWallpaper(m_root.platform(), picture, Scaling::fill, true))
            std::fprintf(stderr, "cannot set %s\n", qPrintable(picture));
        runUntil([] { return true; });
        return measure(
            name, [&] { select(QStringLiteral("wallpaper")); },
            [&] {
                auto *page = qobject_cast<WallpaperView *>(m_window->rootView()->currentPage());
                return page && !page->model()->screens().isEmpty() &&
                       page->model()->pendingPreviews().isEmpty() && page->previewWell()->isVisible();
            });
    }

    const Inputs &m_inputs;
    TestRoot m_root;
    QTemporaryDir m_files;
    FakePanels *m_panels = nullptr;
    std::unique_ptr<VelmoraApp> m_app;
    MainWindow *m_window = nullptr;
    Heartbeat m_heart;
    qsizetype m_targets = 0;
    qsizetype m_restartsAtEnd = -1;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication qapp(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int megabytes = args.size() > 1 ? args[1].toInt() : 20;
    const int repeats = args.size() > 2 ? args[2].toInt() : 3;
    if (megabytes <= 0 || repeats <= 0) {
        std::fputs("usage: bench_heartbeat [MEGABYTES] [REPEATS]\n", stderr);
        return 2;
    }

    QTemporaryDir shared;
    Inputs inputs;
    inputs.noise = bench::writeNoisePicture(shared.filePath(QStringLiteral("noise.png")), megabytes);
    inputs.photo = bench::writeLargePhoto(shared.filePath(QStringLiteral("photo.jpg")), QSize(8000, 6000));
    inputs.huge = bench::writeHugePicture(shared.filePath(QStringLiteral("huge.jpg")), QSize(30000, 30000));
    if (inputs.noise.isEmpty() || inputs.photo.isEmpty() || inputs.huge.isEmpty()) {
        std::fputs("cannot write the pictures\n", stderr);
        return 1;
    }
    inputs.allValues = shared.filePath(QStringLiteral("all values.plist"));
    const QString problem =
        bench::writeProfileOfAllValues(shared.filePath(QStringLiteral("profile root")), inputs.allValues);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "cannot write the profile of all values: %s\n", qPrintable(problem));
        return 1;
    }
    std::printf("pictures: %.1f MB PNG, 8000×6000 JPEG (%.1f MB), 30000×30000 JPEG (%.1f MB)\n",
                QFileInfo(inputs.noise).size() / 1048576.0, QFileInfo(inputs.photo).size() / 1048576.0,
                QFileInfo(inputs.huge).size() / 1048576.0);

    // Step name → its longest gaps, in the order the steps first ran.
    QStringList order;
    std::map<QString, bench::BenchFigure> figures;
    bool finished = true;
    for (int repeat = 0; repeat < repeats; ++repeat) {
        std::printf("\nsession %d of %d\n%-44s %12s %8s %14s %13s\n", repeat + 1, repeats, "step",
                    "longest gap", "> 50 ms", "longest event", "took");
        Session session(inputs);
        if (!session.prepare())
            return 1;
        for (const Step &step : session.run()) {
            finished = finished && step.finished;
            if (!figures.count(step.name)) {
                order << step.name;
                const bool floor = step.name.startsWith(QLatin1String("nothing"));
                figures[step.name] = bench::BenchFigure{QStringLiteral("UI stall: %1").arg(step.name),
                                                        QStringLiteral("ms"),
                                                        {},
                                                        floor ? 0.0 : 50.0};
            }
            figures[step.name].samples.append(step.longestNs / 1e6);
        }
    }
    std::puts("");
    for (const QString &name : std::as_const(order))
        figures[name].print();
    return finished ? 0 : 1;
}
