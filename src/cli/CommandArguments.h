#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace velmora {

/// What a command was given once its command line is parsed: the positional arguments in order and
/// each option that was set, by its long name.
class CommandArguments {
public:
    CommandArguments() = default;
    CommandArguments(QStringList positional, QHash<QString, QStringList> options);

    const QStringList &positional() const { return m_positional; }
    bool isSet(const QString &option) const { return m_options.contains(option); }
    /// The option's value; the last one when it was given more than once.
    std::optional<QString> value(const QString &option) const;

private:
    QStringList m_positional;
    QHash<QString, QStringList> m_options;
};

} // namespace velmora
