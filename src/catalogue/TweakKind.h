#pragma once

#include "TweakOption.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace velmora {

/// How a tweak is shown and edited. `integer` and `decimal` carry optional bounds and a step,
/// `picker` its options in display order; `toggle`, `text` and `path` carry nothing.
/// Never stored, never compared.
class TweakKind {
public:
    enum class Type { integer, decimal, picker, toggle, text, path };

    struct Integer {
        std::optional<qint64> min;
        std::optional<qint64> max;
        qint64 step = 1;
    };
    struct Decimal {
        std::optional<double> min;
        std::optional<double> max;
        double step = 0.1;
    };

    static TweakKind integer(std::optional<qint64> min, std::optional<qint64> max, qint64 step);
    static TweakKind decimal(std::optional<double> min, std::optional<double> max, double step);
    static TweakKind picker(QList<TweakOption> options);
    static TweakKind toggle();
    static TweakKind text();
    static TweakKind path();

    Type type() const { return m_type; }
    /// Only meaningful for the matching type; other types give an empty payload.
    const Integer &integerBounds() const { return m_integer; }
    const Decimal &decimalBounds() const { return m_decimal; }
    const QList<TweakOption> &options() const { return m_options; }

private:
    Type m_type = Type::toggle;
    Integer m_integer;
    Decimal m_decimal;
    QList<TweakOption> m_options;
};

QString rawValue(TweakKind::Type type);

} // namespace velmora
