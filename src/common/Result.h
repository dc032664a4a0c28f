#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace velmora {

/// A value or an error (by default its readable description). Errors travel as values, never as
/// exceptions, so they can cross `co_await`. Default-constructed it is a failure holding a
/// default error, which lets coroutine helpers that need a default value hold one.
template <typename T, typename E = QString> class Result {
public:
    Result() = default;
    Result(T value) : m_value(std::move(value)) {}

    static Result failure(E error)
    {
        Result r;
        r.m_error = std::move(error);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }
    const T &operator*() const { return *m_value; }

    const E &error() const { return m_error; }

private:
    std::optional<T> m_value;
    E m_error{};
};

/// Success or an error, for operations that produce nothing. Default-constructed it is success.
template <typename E = QString> class BasicStatus {
public:
    BasicStatus() = default;
    static BasicStatus success() { return BasicStatus(); }
    static BasicStatus failure(E error)
    {
        BasicStatus s;
        s.m_failed = true;
        s.m_error = std::move(error);
        return s;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const E &error() const { return m_error; }

private:
    bool m_failed = false;
    E m_error{};
};

using Status = BasicStatus<QString>;

} // namespace velmora
