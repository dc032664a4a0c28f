#include "RestartCommand.h"

#include "CommandContext.h"
#include "catalogue/RestartTarget.h"
#include "platform/Platform.h"
#include "preferences/ShellRunner.h"

namespace velmora {

namespace {

const char kTargets[] = "Dock, Finder, SystemUIServer, ControlCenter, cfprefsd";

} // namespace

RestartCommand::RestartCommand()
    : Command(QStringLiteral("restart"), QStringLiteral("restart processes so they pick changes up"))
{
    addArgument({QStringLiteral("TARGET"), QLatin1String(kTargets), Count::oneOrMore});
}

QCoro::Task<int> RestartCommand::run(CommandContext &context, CommandArguments arguments)
{
    const QStringList args = arguments.positional();
    for (const QString &name : args) {
        if (!restartTargetFromRawValue(name)) {
            context.err << "velmoractl: \"" << name << "\" is not a process Velmora restarts (" << kTargets
                        << ")\n";
            co_return 2;
        }
    }
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    int status = 0;
    for (const QString &name : args) {
        const QStringList killallArguments(name);
        const ShellRunner::RunResult run =
            co_await ShellRunner().run(platform->killallToolPath(), killallArguments);
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
