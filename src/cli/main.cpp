// velmoractl: the command-line companion of Velmora.

#include "CatalogueCommand.h"
#include "CommandContext.h"
#include "AccessCommands.h"
#include "DockCommands.h"
#include "EngineCommands.h"
#include "ProfileCommands.h"
#include "WallpaperCommands.h"
#include "RootCommand.h"

#include <QCoro/QCoroTask>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

namespace velmora {
namespace {

const char kUsage[] =
    "usage: velmoractl [--simulated-root DIR] <command> [arguments]\n"
    "\n"
    "commands:\n"
    "  catalogue [--json]          print every category and tweak of the catalogue\n"
    "  list [CATEGORY]             each tweak's id, title and current value\n"
    "                              (\"(default)\" where nothing is stored)\n"
    "  get ID [--json]             a tweak's current value; --json prints its coded form\n"
    "  set ID VALUE [--restart]    apply a value: on/off for switches, a number within\n"
    "                              the bounds, an option's label or value, or the text;\n"
    "                              prints the restarts now pending, --restart does them\n"
    "  reset ID [--restart]        remove the stored value, back to the system's own\n"
    "  restart TARGET...           restart processes: Dock, Finder, SystemUIServer,\n"
    "                              ControlCenter, cfprefsd\n"
    "  profile save FILE           save the current settings as a profile\n"
    "  profile diff FILE           what applying a profile would change\n"
    "  profile apply FILE [--yes]  apply a profile, then restart once\n"
    "  dock show [--json]          the Dock's applications and other tiles\n"
    "  dock apply FILE             set the Dock's contents from a saved payload\n"
    "  wallpaper show [--json]     each display and its desktop picture\n"
    "  wallpaper set IMAGE [--display N] [--scaling fill|fit|stretch|center]\n"
    "                [--no-clipping]   set the desktop picture\n"
    "  access                      whether Full Disk Access is granted (exit 0) or not (1)\n"
    "  init                        lay out and seed the simulated Mac (never overwrites)\n"
    "  help                        print this text\n"
    "\n"
    "Errors exit 1, usage errors 2.\n"
    "\n"
    "The simulated Mac lives in DIR, else in $VELMORA_SIMULATED_ROOT, else in the\n"
    "per-user default folder, which is created on first use; any other folder is\n"
    "created with init.\n";

QCoro::Task<int> dispatch(CommandContext &context, QString verb, QStringList args)
{
    if (verb == QLatin1String("catalogue"))
        co_return runCatalogueCommand(args, context.out, context.err);
    if (verb == QLatin1String("list"))
        co_return co_await runListCommand(context, args);
    if (verb == QLatin1String("get"))
        co_return co_await runGetCommand(context, args);
    if (verb == QLatin1String("set"))
        co_return co_await runSetCommand(context, args);
    if (verb == QLatin1String("reset"))
        co_return co_await runResetCommand(context, args);
    if (verb == QLatin1String("restart"))
        co_return co_await runRestartCommand(context, args);
    if (verb == QLatin1String("profile"))
        co_return co_await runProfileCommand(context, args);
    if (verb == QLatin1String("dock"))
        co_return co_await runDockCommand(context, args);
    if (verb == QLatin1String("wallpaper"))
        co_return co_await runWallpaperCommand(context, args);
    if (verb == QLatin1String("access"))
        co_return co_await runAccessCommand(context, args);
    if (verb == QLatin1String("init"))
        co_return runInitCommand(context, args);
    if (verb == QLatin1String("help") || verb == QLatin1String("--help") || verb == QLatin1String("-h")) {
        context.out << kUsage;
        co_return 0;
    }
    context.err << kUsage;
    co_return 2;
}

} // namespace
} // namespace velmora

int main(int argc, char *argv[])
{
    using namespace velmora;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmoractl"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandContext context(out, err);

    QStringList args = QCoreApplication::arguments().mid(1);
    // Global options come before the command.
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--simulated-root"))) {
        const QString option = args.takeFirst();
        if (option.startsWith(QLatin1String("--simulated-root="))) {
            context.simulatedRoot = option.section(QLatin1Char('='), 1);
        } else if (!args.isEmpty()) {
            context.simulatedRoot = args.takeFirst();
        } else {
            err << "velmoractl: --simulated-root needs a folder\n";
            return 2;
        }
    }
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();

    int exitCode = 0;
    QTimer::singleShot(0, &app, [&] {
        QCoro::connect(dispatch(context, verb, args), &app, [&](int code) {
            exitCode = code;
            out.flush();
            err.flush();
            QCoreApplication::exit(code);
        });
    });
    app.exec();
    return exitCode;
}
