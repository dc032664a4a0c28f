#pragma once

#include "CommandGroup.h"

namespace velmora {

/// The whole command line: the options that come before the command, then every command velmoractl
/// has, in the order its help lists them.
class Velmoractl : public CommandGroup {
public:
    Velmoractl();

    /// The program's own form, not its commands'.
    QStringList synopses() const override;
    QString helpText() const override;

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
    void reportUsageError(CommandContext &context, const QString &problem) const override;
    void reportUnknownCommand(CommandContext &context, const QString &name) const override;
};

} // namespace velmora
