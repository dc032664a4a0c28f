// The anchor of the start-up figures: what a Qt Widgets program costs with nothing of its own in
// it. One plain window the size of Velmora's main window, shown; on its first painted frame it
// prints the probe line `velmora --quit-after-first-paint` prints, and quits.
//
// Only Qt here, on purpose: whatever the project links or builds before its first frame is what the
// ratio is about.
//
//   bench_bare_window [--with-text]
//
// With --with-text the window holds one line of text: what any window pays to draw its first words
// (the fonts set up, matched, their glyphs drawn), for the figures given for information.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QWidget>

#include <cstdio>
#include <time.h>

namespace {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QObject *parent) : QObject(parent) { m_clock.start(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The window paints before its children. Posted, this runs once the whole frame is
            // painted and flushed, and before anything the frame's painting queued after it.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    std::printf("first paint after %lld ms, monotonic %lld ns\n",
                                static_cast<long long>(m_clock.elapsed()),
                                static_cast<long long>(monotonicNs()));
                    std::fflush(stdout);
                    QApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer m_clock;
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    auto *probe = new FirstPaintProbe(nullptr);
    QApplication app(argc, argv);
    probe->setParent(&app);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(1180, 720);
    if (QCoreApplication::arguments().contains(QStringLiteral("--with-text"))) {
        auto *label = new QLabel(QStringLiteral("Appearance, Dock, Finder, Keyboard"), &window);
        label->move(20, 20);
    }
    window.installEventFilter(probe);
    window.show();
    return app.exec();
}
