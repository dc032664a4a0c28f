// velmora: the desktop application.

#include "MainWindow.h"
#include "VelmoraApp.h"
#include "gui/kit/Style.h"
#include "gui/tweaks/CategoryDetailView.h"
#include "platform/factory/PlatformFactory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QMessageBox>

#include <cstdio>
#include <time.h>

namespace {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

/// Reports when the main window's first frame is painted, then when the first category's page is,
/// and quits; used to measure start-up. Each line carries the time since the top of `main` and the
/// system's monotonic clock, so a program that started this one can count from the moment it did
/// (bench/bench_startup.cpp).
class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(const QElapsedTimer &clock, QWidget *window, QObject *parent)
        : QObject(parent), m_clock(clock), m_window(window)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return QObject::eventFilter(watched, event);
        // A widget paints before its children. Posted, a report runs once the whole frame is
        // painted and flushed, and before anything the frame's painting queued after it.
        if (watched == m_window && !m_windowSeen) {
            m_windowSeen = true;
            QMetaObject::invokeMethod(
                this, [this] { report("first paint"); }, Qt::QueuedConnection);
        } else if (!m_pageSeen && qobject_cast<velmora::CategoryDetailView *>(watched) &&
                   static_cast<QWidget *>(watched)->window() == m_window) {
            m_pageSeen = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    report("first page painted");
                    QApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report(const char *what) const
    {
        std::printf("%s after %lld ms, monotonic %lld ns\n", what, static_cast<long long>(m_clock.elapsed()),
                    static_cast<long long>(monotonicNs()));
        std::fflush(stdout);
    }

    const QElapsedTimer &m_clock;
    QWidget *m_window;
    bool m_windowSeen = false;
    bool m_pageSeen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("corrandelwick.dev"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Hidden macOS settings, gathered in one place."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption rootOption(
        QStringLiteral("simulated-root"),
        QCoreApplication::translate("main", "The folder of the simulated Mac."),
        QCoreApplication::translate("main", "DIR"));
    const QCommandLineOption darkOption(QStringLiteral("dark"),
                                        QCoreApplication::translate("main", "Use the dark appearance."));
    const QCommandLineOption lightOption(QStringLiteral("light"),
                                         QCoreApplication::translate("main", "Use the light appearance."));
    const QCommandLineOption probeOption(
        QStringLiteral("quit-after-first-paint"),
        QCoreApplication::translate("main", "Print the start-up times and quit (for measurements)."));
    parser.addOptions({rootOption, darkOption, lightOption, probeOption});

    // Help and version are answered before the window's application object exists: making one
    // needs a display, and asking a program what it does must work anywhere, over ssh or in a
    // script. A core application (which needs none) names the program in the usage line; printing
    // ends the process. A command line this pass cannot read (Qt's own options) is left to the full
    // pass below.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (parser.parse(arguments) && (parser.isSet(helpOption) || parser.isSet(versionOption))) {
        QCoreApplication core(argc, argv);
        parser.process(core);
    }

    QApplication app(argc, argv);
    parser.process(app);

    // Follow the desktop's appearance unless asked for one; Fusion draws both the same everywhere.
    const bool dark = parser.isSet(darkOption) || (!parser.isSet(lightOption) && velmora::Style::isDark());
    velmora::Style::apply(dark);

    auto platform = velmora::createPlatform({parser.value(rootOption)});
    if (!platform) {
        // Said on the terminal too: a window started from one is often started to see this.
        std::fprintf(stderr, "velmora: %s\n", qUtf8Printable(platform.error()));
        // A measuring run has nobody to close the dialog: it would wait for ever.
        if (!parser.isSet(probeOption))
            QMessageBox::critical(nullptr, QStringLiteral("Velmora"), platform.error());
        return 1;
    }
    velmora::VelmoraApp velmora(std::move(platform).value());
    if (parser.isSet(probeOption))
        app.installEventFilter(new FirstPaintProbe(clock, velmora.mainWindow(), &app));
    velmora.showMainWindow();
    return app.exec();
}
