#include "TweakKind.h"

namespace velmora {

TweakKind TweakKind::integer(std::optional<qint64> min, std::optional<qint64> max, qint64 step)
{
    TweakKind k;
    k.m_type = Type::integer;
    k.m_integer = {min, max, step};
    return k;
}

TweakKind TweakKind::decimal(std::optional<double> min, std::optional<double> max, double step)
{
    TweakKind k;
    k.m_type = Type::decimal;
    k.m_decimal = {min, max, step};
    return k;
}

TweakKind TweakKind::picker(QList<TweakOption> options)
{
    TweakKind k;
    k.m_type = Type::picker;
    k.m_options = std::move(options);
    return k;
}

TweakKind TweakKind::toggle()
{
    return TweakKind();
}

TweakKind TweakKind::text()
{
    TweakKind k;
    k.m_type = Type::text;
    return k;
}

TweakKind TweakKind::path()
{
    TweakKind k;
    k.m_type = Type::path;
    return k;
}

QString rawValue(TweakKind::Type type)
{
    switch (type) {
    case TweakKind::Type::integer: return QStringLiteral("integer");
    case TweakKind::Type::decimal: return QStringLiteral("decimal");
    case TweakKind::Type::picker: return QStringLiteral("picker");
    case TweakKind::Type::toggle: return QStringLiteral("toggle");
    case TweakKind::Type::text: return QStringLiteral("text");
    case TweakKind::Type::path: return QStringLiteral("path");
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace velmora
