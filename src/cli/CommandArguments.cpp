#include "CommandArguments.h"

namespace velmora {

CommandArguments::CommandArguments(QStringList positional, QHash<QString, QStringList> options)
    : m_positional(std::move(positional)), m_options(std::move(options))
{
}

std::optional<QString> CommandArguments::value(const QString &option) const
{
    const auto it = m_options.constFind(option);
    if (it == m_options.cend() || it->isEmpty())
        return std::nullopt;
    return it->last();
}

} // namespace velmora
