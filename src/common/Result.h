#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace velmora {

/// A value or the readable description of why there is none. Errors travel as values, never as
/// exceptions, so they can cross `co_await`. Default-constructed it is a failure with no text, which
/// lets coroutine helpers that need a default value hold one.
template <typename T> class Result {
public:
    Result() = default;
    Result(T value) : m_value(std::move(value)) {}

    static Result failure(QString message)
    {
        Result r;
        r.m_error = std::move(message);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T *operator->() const { return &*m_value; }
    const T &operator*() const { return *m_value; }

    const QString &error() const { return m_error; }

private:
    std::optional<T> m_value;
    QString m_error;
};

/// Success or a readable failure, for operations that produce nothing.
class Status {
public:
    Status() = default;
    static Status success() { return Status(); }
    static Status failure(QString message)
    {
        Status s;
        s.m_failed = true;
        s.m_error = std::move(message);
        return s;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

} // namespace velmora
