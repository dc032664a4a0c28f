#pragma once

#include "Command.h"
#include "catalogue/Tweak.h"
#include "engine/TweakEngine.h"

#include <memory>
#include <optional>

namespace velmora {

class Platform;

/// What the commands on one tweak or on the catalogue's values share: the engine, the tweak by its id,
/// values as the command line shows them, and the restarts a change leaves.
class TweakCommand : public Command {
public:
    using Command::Command;

protected:
    /// The engine and the one tweak a command works on.
    struct TweakTarget {
        std::unique_ptr<TweakEngine> engine;
        Tweak tweak;
    };

    /// `--restart` of the commands that change a value.
    static QCommandLineOption restartOption();

    /// What a value looks like on the command line: a picker's choice by its label and value, texts as
    /// they are, everything else as shown in reviews.
    static QString shown(const Tweak &tweak, const TweakValue &value);
    /// Makes the engine on this run's platform and finds the tweak; says why when either fails.
    static std::optional<TweakTarget> openTweak(CommandContext &context, const QString &id);
    /// After a change: restarts what is pending when asked to, otherwise says what is.
    static QCoro::Task<> reportRestarts(CommandContext &context, TweakEngine *engine, bool restart);
    /// Why the domain a tweak's preference lives in cannot be read, if it cannot.
    static std::optional<QString> domainProblem(Platform &platform, const Tweak &tweak);
};

} // namespace velmora
