#include "ProfileImportScriptCommand.h"

#include "CommandContext.h"
#include "catalogue/TweakRegistry.h"
#include "profiles/ProfileDocument.h"
#include "profiles/ScriptImport.h"

#include <QTextStream>

namespace velmora {

ProfileImportScriptCommand::ProfileImportScriptCommand()
    : ProfileCommand(QStringLiteral("import-script"),
                     QStringLiteral("turn a script's defaults write lines into a profile"))
{
    addArgument({QStringLiteral("SCRIPT"), QStringLiteral("the shell script to read (it is never run)")});
    addOption(QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")},
                                 QStringLiteral("where to write the profile (replaced whole)"),
                                 QStringLiteral("PROFILE")));
    setDetails(QStringLiteral(
        "Each line that sets a setting of the catalogue becomes its value; every other defaults line is\n"
        "listed on standard error with its line number and why. Exits 1 when nothing could be imported."));
}

QStringList ProfileImportScriptCommand::synopses() const
{
    return {path() + QStringLiteral(" SCRIPT -o PROFILE")};
}

QCoro::Task<int> ProfileImportScriptCommand::run(CommandContext &context, CommandArguments arguments)
{
    const std::optional<QString> output = arguments.value(QStringLiteral("output"));
    if (!output) {
        reportUsageError(context, QStringLiteral("no profile to write: give it with -o PROFILE"));
        co_return 2;
    }
    const QString script = arguments.positional().first();
    const Result<ScriptImport> import =
        ScriptImport::readFile(script, TweakRegistry::shared(), QStringLiteral(VELMORA_VERSION));
    if (!import) {
        context.err << "velmoractl: " << import.error() << '\n';
        co_return 1;
    }
    for (const ScriptImport::Line &line : import->skipped())
        context.err << script << ':' << line.number << ": not imported: " << line.text << "\n    "
                    << line.reason << '\n';
    if (import->mapped().isEmpty()) {
        context.err << "velmoractl: nothing in " << script
                    << " sets a setting Velmora knows; no profile written.\n";
        co_return 1;
    }
    const Status written = ProfileDocument(import->profile()).write(*output);
    if (!written) {
        context.err << "velmoractl: " << written.error() << '\n';
        co_return 1;
    }
    context.out << "Imported " << plural(import->profile().values.size(), QStringLiteral("setting"))
                << " from " << plural(import->mapped().size(), QStringLiteral("line")) << " to " << *output;
    if (!import->skipped().isEmpty())
        context.out << "; " << plural(import->skipped().size(), QStringLiteral("line"))
                    << " left out (listed on standard error)";
    context.out << ".\nReview it with: velmoractl profile diff " << *output << '\n';
    co_return 0;
}

} // namespace velmora
