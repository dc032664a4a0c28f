#pragma once

#include <QElapsedTimer>
#include <QTimer>

namespace velmora::test {

/// Ticks every 10 ms on the thread that makes it, noting the longest time between two ticks: a
/// test awaiting work with one of these running sees whether the work let the event loop run.
class Ticker {
public:
    Ticker()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            ++ticks;
            longest = qMax(longest, m_clock.restart());
        });
        m_clock.start();
        m_timer.start(10);
    }
    int ticks = 0;
    qint64 longest = 0;

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
};

} // namespace velmora::test
