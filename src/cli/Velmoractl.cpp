#include "Velmoractl.h"

#include "AccessCommand.h"
#include "CatalogueCommand.h"
#include "CommandContext.h"
#include "DockApplyCommand.h"
#include "DockShowCommand.h"
#include "GetCommand.h"
#include "HelpCommand.h"
#include "InitCommand.h"
#include "ListCommand.h"
#include "ProfileApplyCommand.h"
#include "ProfileDiffCommand.h"
#include "ProfileExportCommand.h"
#include "ProfileImportScriptCommand.h"
#include "ProfileSaveCommand.h"
#include "ProfileUndoCommand.h"
#include "ResetCommand.h"
#include "RestartCommand.h"
#include "SetCommand.h"
#include "WallpaperSetCommand.h"
#include "WallpaperShowCommand.h"

namespace velmora {

namespace {

const QString kSimulatedRoot = QStringLiteral("simulated-root");

const char kNotes[] = "\"--\" ends a command's options: what follows it is an argument even when it starts\n"
                      "with \"--\" (velmoractl set ID -- --text). Errors exit 1, usage errors 2.\n"
                      "\n"
                      "The simulated Mac lives in DIR, else in $VELMORA_SIMULATED_ROOT, else in the\n"
                      "per-user default folder, which is created on first use; any other folder is\n"
                      "created with init.\n";

} // namespace

Velmoractl::Velmoractl()
    : CommandGroup(QStringLiteral("velmoractl"), QStringLiteral("the command-line companion of Velmora"))
{
    addOption(QCommandLineOption(kSimulatedRoot, QStringLiteral("the folder of the simulated Mac"),
                                 QStringLiteral("DIR")));

    add(std::make_unique<CatalogueCommand>());
    add(std::make_unique<ListCommand>());
    add(std::make_unique<GetCommand>());
    add(std::make_unique<SetCommand>());
    add(std::make_unique<ResetCommand>());
    add(std::make_unique<RestartCommand>());

    auto profile = std::make_unique<CommandGroup>(
        QStringLiteral("profile"), QStringLiteral("save, review, apply and export profiles of settings"));
    profile->add(std::make_unique<ProfileSaveCommand>());
    profile->add(std::make_unique<ProfileDiffCommand>());
    profile->add(std::make_unique<ProfileApplyCommand>());
    profile->add(std::make_unique<ProfileExportCommand>());
    profile->add(std::make_unique<ProfileImportScriptCommand>());
    profile->add(std::make_unique<ProfileUndoCommand>());
    add(std::move(profile));

    auto dock = std::make_unique<CommandGroup>(QStringLiteral("dock"),
                                               QStringLiteral("show and set the Dock's tiles"));
    dock->add(std::make_unique<DockShowCommand>());
    dock->add(std::make_unique<DockApplyCommand>());
    add(std::move(dock));

    auto wallpaper = std::make_unique<CommandGroup>(
        QStringLiteral("wallpaper"), QStringLiteral("show and set each display's desktop picture"));
    wallpaper->add(std::make_unique<WallpaperShowCommand>());
    wallpaper->add(std::make_unique<WallpaperSetCommand>());
    add(std::move(wallpaper));

    add(std::make_unique<AccessCommand>());
    add(std::make_unique<InitCommand>());
    add(std::make_unique<HelpCommand>(*this));
}

QStringList Velmoractl::synopses() const
{
    return Command::synopses();
}

QString Velmoractl::helpText() const
{
    return usageLines() + QStringLiteral("\ncommands:\n") + commandsTable() + QStringLiteral("\noptions:\n") +
           optionsTable() + QLatin1Char('\n') + QLatin1String(kNotes);
}

QCoro::Task<int> Velmoractl::run(CommandContext &context, CommandArguments arguments)
{
    context.simulatedRoot = arguments.value(kSimulatedRoot).value_or(QString());
    co_return co_await CommandGroup::run(context, std::move(arguments));
}

void Velmoractl::reportUsageError(CommandContext &context, const QString &problem) const
{
    if (!problem.isEmpty())
        context.err << "velmoractl: " << problem << '\n';
    context.err << helpText();
}

void Velmoractl::reportUnknownCommand(CommandContext &context, const QString &name) const
{
    context.err << "velmoractl: no command \"" << name << "\"; see velmoractl help\n";
}

} // namespace velmora
