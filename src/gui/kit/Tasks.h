#pragma once

#include <QCoro/QCoroTask>
#include <QObject>

namespace velmora {

/// Starts a task from a widget and forgets it: the task runs to its end even if nobody waits, and
/// whatever it returns is dropped. Views use this for every change they hand to the engine.
template <typename T> void startTask(QCoro::Task<T> &&task, QObject *context)
{
    if constexpr (std::is_void_v<T>)
        QCoro::connect(std::move(task), context, [] {});
    else
        QCoro::connect(std::move(task), context, [](auto &&) {});
}

} // namespace velmora
