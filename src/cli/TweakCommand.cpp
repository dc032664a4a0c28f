#include "TweakCommand.h"

#include "CommandContext.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"

namespace velmora {

namespace {

QString pendingText(const TweakEngine &engine)
{
    QStringList names;
    for (RestartTarget target : engine.pendingRestartsInOrder())
        names << rawValue(target);
    return names.isEmpty() ? QStringLiteral("No restarts pending.")
                           : QStringLiteral("Restart needed: ") + names.join(QStringLiteral(", "));
}

} // namespace

QCommandLineOption TweakCommand::restartOption()
{
    return QCommandLineOption(QStringLiteral("restart"),
                              QStringLiteral("restart what the change needs now, instead of naming it"));
}

QString TweakCommand::shown(const Tweak &tweak, const TweakValue &value)
{
    const QString plain = value.isString() ? value.toString() : value.displayText();
    for (const TweakOption &option : tweak.kind.options()) {
        if (option.value == value)
            return QStringLiteral("%1 (%2)").arg(option.label, plain);
    }
    return plain;
}

std::optional<TweakCommand::TweakTarget> TweakCommand::openTweak(CommandContext &context, const QString &id)
{
    std::unique_ptr<TweakEngine> engine = context.makeEngine();
    if (!engine)
        return std::nullopt;
    std::optional<Tweak> tweak = engine->registry().tweak(id);
    if (!tweak) {
        context.err << "velmoractl: no tweak has the id \"" << id << "\" (see velmoractl list)\n";
        return std::nullopt;
    }
    return TweakTarget{std::move(engine), *tweak};
}

QCoro::Task<> TweakCommand::reportRestarts(CommandContext &context, TweakEngine *engine, bool restart)
{
    if (restart && !engine->pendingRestarts().isEmpty()) {
        const QString restarted = pendingText(*engine).section(QStringLiteral(": "), 1);
        co_await engine->restartPending();
        context.out << "Restarted: " << restarted << '\n';
    } else {
        context.out << pendingText(*engine) << '\n';
    }
}

// A single read shows an unreadable domain as "nothing stored"; on the command line that would pass a
// damaged file off as the system's defaults.
std::optional<QString> TweakCommand::domainProblem(Platform &platform, const Tweak &tweak)
{
    if (!tweak.preferenceKey)
        return std::nullopt;
    return platform.preferences().readProblem(PreferencesBackend::applicationID(tweak.preferenceKey->domain));
}

} // namespace velmora
