#include "EngineCommands.h"

#include "CommandContext.h"
#include "ValueParser.h"
#include "common/JsonText.h"
#include "engine/TweakEngine.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"

#include <memory>

namespace velmora {

namespace {

// What a value looks like on the command line: a picker's choice by its label and value, texts as
// they are, everything else as shown in reviews.
QString shown(const Tweak &tweak, const TweakValue &value)
{
    const QString plain = value.isString() ? value.toString() : value.displayText();
    for (const TweakOption &option : tweak.kind.options()) {
        if (option.value == value)
            return QStringLiteral("%1 (%2)").arg(option.label, plain);
    }
    return plain;
}

/// The engine and the one tweak a command works on.
struct TweakTarget {
    std::unique_ptr<TweakEngine> engine;
    Tweak tweak;
};

// Makes the engine on this run's platform and finds the tweak; says why when either fails.
std::optional<TweakTarget> openTweak(CommandContext &context, const QString &id)
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

QString pendingText(const TweakEngine &engine)
{
    QStringList names;
    for (RestartTarget target : engine.pendingRestartsInOrder())
        names << rawValue(target);
    return names.isEmpty() ? QStringLiteral("No restarts pending.")
                           : QStringLiteral("Restart needed: ") + names.join(QStringLiteral(", "));
}

// After a change: restarts what is pending when asked to, otherwise says what is.
QCoro::Task<> reportRestarts(CommandContext &context, TweakEngine *engine, bool restart)
{
    if (restart && !engine->pendingRestarts().isEmpty()) {
        const QString restarted = pendingText(*engine).section(QStringLiteral(": "), 1);
        co_await engine->restartPending();
        context.out << "Restarted: " << restarted << '\n';
    } else {
        context.out << pendingText(*engine) << '\n';
    }
}

// Why the domain a tweak's preference lives in cannot be read, if it cannot. A single read shows an
// unreadable domain as "nothing stored"; on the command line that would pass a damaged file off as
// the system's defaults.
std::optional<QString> domainProblem(Platform &platform, const Tweak &tweak)
{
    if (!tweak.preferenceKey)
        return std::nullopt;
    return platform.preferences().readProblem(PreferencesBackend::applicationID(tweak.preferenceKey->domain));
}

// Removes a flag from the arguments; says whether it was there.
bool takeFlag(QStringList &args, const QString &flag)
{
    return args.removeAll(flag) > 0;
}

} // namespace

QCoro::Task<int> runListCommand(CommandContext &context, QStringList args)
{
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    if (args.size() > 1) {
        context.err << "usage: velmoractl list [CATEGORY]\n";
        co_return 2;
    }
    const std::unique_ptr<TweakEngine> made = context.makeEngine();
    if (!made)
        co_return 1;
    TweakEngine &engine = *made;
    QList<TweakCategory> categories = engine.registry().categories();
    if (!args.isEmpty()) {
        const std::optional<TweakCategory> category = engine.registry().category(args.first());
        if (!category) {
            context.err << "velmoractl: no category has the id \"" << args.first() << "\"\n";
            co_return 1;
        }
        categories = {*category};
    }
    QMap<QString, QString> unreadable;
    for (const TweakCategory &category : categories) {
        co_await engine.refreshCategory(category.id);
        context.out << category.title << " (" << category.id << ")\n";
        for (const Tweak &tweak : engine.registry().tweaksInCategory(category.id)) {
            if (const std::optional<QString> problem = domainProblem(*platform, tweak))
                unreadable.insert(tweak.preferenceKey->domain, *problem);
            const bool stored = engine.currentValues().contains(tweak.id);
            context.out << "  " << tweak.id.leftJustified(44) << ' ' << tweak.title << ": "
                        << shown(tweak, engine.valueOrDefault(tweak)) << (stored ? "" : "  (default)")
                        << '\n';
        }
    }
    for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
        context.err << "velmoractl: " << it.key()
                    << " could not be read, so its settings show their defaults: " << it.value() << '\n';
    co_return unreadable.isEmpty() ? 0 : 1;
}

QCoro::Task<int> runGetCommand(CommandContext &context, QStringList args)
{
    const bool json = takeFlag(args, QStringLiteral("--json"));
    if (args.size() != 1) {
        context.err << "usage: velmoractl get ID [--json]\n";
        co_return 2;
    }
    const std::optional<TweakTarget> target = openTweak(context, args.first());
    if (!target)
        co_return 1;
    if (const std::optional<QString> problem = domainProblem(target->engine->platform(), target->tweak)) {
        context.err << "velmoractl: " << target->tweak.id << " cannot be read: " << *problem << '\n';
        co_return 1;
    }
    co_await target->engine->refreshCategory(target->tweak.categoryID);
    const TweakValue value = target->engine->valueOrDefault(target->tweak);
    if (json)
        context.out << jsonText(value.encoded(), false) << '\n';
    else
        context.out << (value.isString() ? value.toString() : value.displayText()) << '\n';
    co_return 0;
}

QCoro::Task<int> runSetCommand(CommandContext &context, QStringList args)
{
    const bool restart = takeFlag(args, QStringLiteral("--restart"));
    if (args.size() != 2) {
        context.err << "usage: velmoractl set ID VALUE [--restart]\n";
        co_return 2;
    }
    std::optional<TweakTarget> target = openTweak(context, args[0]);
    if (!target)
        co_return 1;
    TweakEngine &engine = *target->engine;
    const Tweak *tweak = &target->tweak;
    const Result<TweakValue> value = parseValueForTweak(*tweak, args[1]);
    if (!value) {
        context.err << "velmoractl: " << value.error() << '\n';
        co_return 1;
    }
    const bool applied = co_await engine.apply(*value, *tweak);
    if (!applied) {
        context.err << "velmoractl: " << engine.lastError().value_or(QString()) << '\n';
        co_return 1;
    }
    context.out << tweak->id << " = " << shown(*tweak, *value) << '\n';
    co_await reportRestarts(context, &engine, restart);
    co_return 0;
}

QCoro::Task<int> runResetCommand(CommandContext &context, QStringList args)
{
    const bool restart = takeFlag(args, QStringLiteral("--restart"));
    if (args.size() != 1) {
        context.err << "usage: velmoractl reset ID [--restart]\n";
        co_return 2;
    }
    std::optional<TweakTarget> target = openTweak(context, args[0]);
    if (!target)
        co_return 1;
    TweakEngine &engine = *target->engine;
    const Tweak *tweak = &target->tweak;
    co_await engine.reset(*tweak);
    if (engine.lastError()) {
        context.err << "velmoractl: " << *engine.lastError() << '\n';
        co_return 1;
    }
    context.out << tweak->id << " = " << shown(*tweak, engine.valueOrDefault(*tweak)) << '\n';
    co_await reportRestarts(context, &engine, restart);
    co_return 0;
}

QCoro::Task<int> runRestartCommand(CommandContext &context, QStringList args)
{
    if (args.isEmpty()) {
        context.err << "usage: velmoractl restart TARGET...  (Dock, Finder, SystemUIServer, ControlCenter, "
                       "cfprefsd)\n";
        co_return 2;
    }
    for (const QString &name : args) {
        if (!restartTargetFromRawValue(name)) {
            context.err
                << "velmoractl: \"" << name
                << "\" is not a process Velmora restarts (Dock, Finder, SystemUIServer, ControlCenter, "
                   "cfprefsd)\n";
            co_return 2;
        }
    }
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    int status = 0;
    for (const QString &name : args) {
        const QStringList arguments(name);
        const ShellRunner::RunResult run = co_await ShellRunner().run(platform->killallToolPath(), arguments);
        if (!run) {
            context.err << "velmoractl: " << run.error().description() << '\n';
            status = 1;
        } else if (run->exitCode != 0) {
            context.err << "velmoractl: killall " << name << ": " << run->standardError;
            status = 1;
        } else {
            context.out << "Restarted " << name << '\n';
        }
    }
    co_return status;
}

} // namespace velmora
