// How long Velmora takes from its start to its first painted window, against a bare Qt Widgets
// window of the same size (bench_bare_window) started the same way; and, for information, until the
// first category's page is painted (the window's contents come in the frame after its first), and
// what one line of text costs the bare window (bench_bare_window --with-text).
//
//   bench_startup [PAIRS]      (default 15 pairs, after 2 warm-up pairs)
//
// The programs print the system's monotonic clock on their first painted frame (Velmora again on
// its first page); counted from the moment just before this program started them, that is the whole
// start: loading the libraries, the platform plugin, everything built before the frame, and the
// frame. Each pair runs the three in turn (which goes first rotates), offscreen and then on a
// virtual X display (Xvfb, started here on a free display number; skipped when it is not
// installed). The claim is the median of the pairs' ratios; the medians in milliseconds are for
// information, the machine being shared.

#include "support/BenchFigure.h"
#include "support/ChildRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <optional>

using namespace velmora;

namespace {

constexpr int kWarmUpPairs = 2;

/// Milliseconds from the start of a program to its first painted frame and, where it says so (Velmora
/// does), to its first page painted in full.
struct StartTimes {
    double firstFrame = 0;
    std::optional<double> firstPage;
};

/// The start times of `program`; nullopt when it failed or printed no probe line.
std::optional<StartTimes> startTimes(const QString &program, const QStringList &args,
                                     const QStringList &environment)
{
    const bench::ChildRun run = bench::runChild(program, args, environment);
    static const QRegularExpression frame(QStringLiteral("^first paint after .*monotonic (\\d+) ns$"),
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression page(QStringLiteral("^first page painted after .*monotonic (\\d+) ns$"),
                                         QRegularExpression::MultilineOption);
    const QString out = QString::fromLatin1(run.out);
    const QRegularExpressionMatch frameMatch = frame.match(out);
    if (run.exitCode != 0 || !frameMatch.hasMatch()) {
        std::fprintf(stderr, "%s: exit %d, output: %s\n", qPrintable(program), run.exitCode,
                     run.out.constData());
        return std::nullopt;
    }
    const auto since = [&](const QRegularExpressionMatch &match) {
        return (match.captured(1).toLongLong() - run.startedNs) / 1e6;
    };
    StartTimes times{since(frameMatch), std::nullopt};
    if (const QRegularExpressionMatch pageMatch = page.match(out); pageMatch.hasMatch())
        times.firstPage = since(pageMatch);
    return times;
}

struct Mode {
    QString name;            ///< "offscreen", "under Xvfb"
    QStringList environment; ///< how the children reach their display
};

/// Runs the pairs of one mode and prints its figures; false when a run failed.
bool measure(const Mode &mode, const QString &velmora, const QStringList &velmoraArgs, const QString &bare,
             int pairs)
{
    bench::BenchFigure ratio{
        QStringLiteral("start-up %1 / bare Qt window").arg(mode.name), QStringLiteral("×"), {}, 1.5};
    bench::BenchFigure ours{
        QStringLiteral("start-up %1, Velmora").arg(mode.name), QStringLiteral("ms"), {}, 0};
    bench::BenchFigure anchor{
        QStringLiteral("start-up %1, bare Qt window").arg(mode.name), QStringLiteral("ms"), {}, 0};
    // For information: until the first category's page is painted, every text of the window with
    // it; and what one line of text costs a bare window, the least any window with words pays.
    bench::BenchFigure pageRatio{
        QStringLiteral("first page %1 / bare Qt window").arg(mode.name), QStringLiteral("×"), {}, 0};
    bench::BenchFigure page{
        QStringLiteral("first page %1, Velmora").arg(mode.name), QStringLiteral("ms"), {}, 0};
    bench::BenchFigure textRatio{QStringLiteral("bare window with a line of text %1 / bare").arg(mode.name),
                                 QStringLiteral("×"),
                                 {},
                                 0};
    const QStringList withText{QStringLiteral("--with-text")};
    for (int pair = 0; pair < kWarmUpPairs + pairs; ++pair) {
        std::optional<StartTimes> v;
        std::optional<StartTimes> b;
        std::optional<StartTimes> t;
        // Whichever runs later finds the caches the earlier ones warmed: take turns.
        switch (pair % 3) {
        case 0:
            v = startTimes(velmora, velmoraArgs, mode.environment);
            b = startTimes(bare, {}, mode.environment);
            t = startTimes(bare, withText, mode.environment);
            break;
        case 1:
            b = startTimes(bare, {}, mode.environment);
            t = startTimes(bare, withText, mode.environment);
            v = startTimes(velmora, velmoraArgs, mode.environment);
            break;
        default:
            t = startTimes(bare, withText, mode.environment);
            v = startTimes(velmora, velmoraArgs, mode.environment);
            b = startTimes(bare, {}, mode.environment);
            break;
        }
        if (!v || !b || !t || !v->firstPage)
            return false;
        std::fprintf(
            stderr,
            "%s pair %d%s: Velmora %.1f ms (page %.1f ms), bare %.1f ms (with text %.1f ms), ratio %.2f\n",
            qPrintable(mode.name), pair + 1, pair < kWarmUpPairs ? " (warm-up)" : "", v->firstFrame,
            *v->firstPage, b->firstFrame, t->firstFrame, v->firstFrame / b->firstFrame);
        if (pair < kWarmUpPairs)
            continue;
        ours.samples.append(v->firstFrame);
        anchor.samples.append(b->firstFrame);
        ratio.samples.append(v->firstFrame / b->firstFrame);
        page.samples.append(*v->firstPage);
        pageRatio.samples.append(*v->firstPage / b->firstFrame);
        textRatio.samples.append(t->firstFrame / b->firstFrame);
    }
    ratio.print();
    ours.print();
    anchor.print();
    pageRatio.print();
    page.print();
    textRatio.print();
    return true;
}

/// A virtual X display for the children, on a display number no one uses; stopped when it goes.
class VirtualDisplay {
public:
    ~VirtualDisplay()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(5000))
                m_server.kill();
            m_server.waitForFinished(5000);
        }
    }

    /// Starts Xvfb and waits until it takes connections; the display's name (":91"), or nothing.
    std::optional<QString> start(const QString &xvfb)
    {
        for (int number = 91; number < 140; ++number) {
            // A lock file or a socket means the number is taken, or was by a server that crashed.
            if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
                QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                continue;
            const QString display = QStringLiteral(":%1").arg(number);
            m_server.setProgram(xvfb);
            m_server.setArguments({display, QStringLiteral("-screen"), QStringLiteral("0"),
                                   QStringLiteral("1440x900x24"), QStringLiteral("-nolisten"),
                                   QStringLiteral("tcp")});
            m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            m_server.setStandardOutputFile(QProcess::nullDevice());
            m_server.start();
            if (!m_server.waitForStarted(5000))
                return std::nullopt;
            if (waitUntilReady(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                return display;
            // Another server took the number between the look and the start: try the next one.
            m_server.kill();
            m_server.waitForFinished(5000);
        }
        return std::nullopt;
    }

private:
    bool waitUntilReady(const QString &socketPath)
    {
        for (int tries = 0; tries < 100; ++tries) {
            if (m_server.state() == QProcess::NotRunning)
                return false;
            QLocalSocket probe;
            probe.connectToServer(socketPath);
            if (probe.waitForConnected(100)) {
                probe.disconnectFromServer();
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    QProcess m_server;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int pairs = args.size() > 1 ? args[1].toInt() : 15;
    if (pairs < 1) {
        std::fputs("usage: bench_startup [PAIRS]\n", stderr);
        return 2;
    }
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString velmora = bin.filePath(QStringLiteral("velmora"));
    const QString velmoractl = bin.filePath(QStringLiteral("velmoractl"));
    const QString bare = bin.filePath(QStringLiteral("bench_bare_window"));
    for (const QString &program : {velmora, velmoractl, bare}) {
        if (!QFileInfo(program).isExecutable()) {
            std::fprintf(stderr, "%s is not built\n", qPrintable(program));
            return 1;
        }
    }

    // The children are told their display below; what this program was started with must not win
    // over that (the first of two same-named entries of an environment is the one read).
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");

    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Simulated Mac"));
    if (bench::runChild(velmoractl, {QStringLiteral("--simulated-root"), root, QStringLiteral("init")}, {},
                        true)
            .exitCode != 0) {
        std::fputs("cannot seed the simulated Mac\n", stderr);
        return 1;
    }
    const QStringList velmoraArgs{QStringLiteral("--simulated-root"), root,
                                  QStringLiteral("--quit-after-first-paint")};
    // Both read and write their settings under a home of their own, as a first start on a machine does.
    const QString home = dir.filePath(QStringLiteral("home"));
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    QDir().mkpath(home);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QStringList common{QStringLiteral("HOME=") + home,
                             QStringLiteral("XDG_CONFIG_HOME=") + home + QStringLiteral("/.config"),
                             QStringLiteral("XDG_CACHE_HOME=") + home + QStringLiteral("/.cache"),
                             QStringLiteral("XDG_RUNTIME_DIR=") + runtime};

    if (!measure(
            {QStringLiteral("offscreen"), common + QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen")}},
            velmora, velmoraArgs, bare, pairs))
        return 1;

    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        std::fputs("Xvfb is not installed: the figures under Xvfb are skipped\n", stderr);
        return 0;
    }
    VirtualDisplay display;
    const std::optional<QString> name = display.start(xvfb);
    if (!name) {
        std::fputs("Xvfb did not start: the figures under Xvfb are skipped\n", stderr);
        return 1;
    }
    return measure({QStringLiteral("under Xvfb"), common + QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb"),
                                                                       QStringLiteral("DISPLAY=") + *name}},
                   velmora, velmoraArgs, bare, pairs)
               ? 0
               : 1;
}
