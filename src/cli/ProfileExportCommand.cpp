#include "ProfileExportCommand.h"

#include "CommandContext.h"
#include "engine/TweakEngine.h"
#include "profiles/ProfileDocument.h"
#include "profiles/ProfileExporter.h"

namespace velmora {

namespace {

const QString kFormat = QStringLiteral("format");
const QString kOnce = QStringLiteral("once");
const QString kIdentifier = QStringLiteral("identifier");
const QString kCurrent = QStringLiteral("current");
const QString kOutput = QStringLiteral("output");

QString formatNames()
{
    QStringList names;
    for (ExportFormat format : allExportFormats())
        names << rawValue(format);
    return names.join(QLatin1Char('|'));
}

} // namespace

ProfileExportCommand::ProfileExportCommand()
    : Command(QStringLiteral("export"), QStringLiteral("write a profile in a form other tools apply"))
{
    addArgument(
        {QStringLiteral("FILE"), QStringLiteral("the profile to export (or --current)"), Count::optional});
    addOption(QCommandLineOption(kFormat, QStringLiteral("what to write (required)"), formatNames()));
    addOption(QCommandLineOption(kCurrent, QStringLiteral("export the current settings instead of a file")));
    addOption(QCommandLineOption({QStringLiteral("o"), kOutput},
                                 QStringLiteral("where to write the export (replaced whole; required)"),
                                 QStringLiteral("OUT")));
    addOption(QCommandLineOption(kOnce, QStringLiteral("mobileconfig: set the values once, not forced")));
    addOption(QCommandLineOption(kIdentifier,
                                 QStringLiteral("mobileconfig: the profile's reverse-DNS identifier (%1)")
                                     .arg(ExportOptions::defaultIdentifierPrefix()),
                                 QStringLiteral("PREFIX")));
    setDetails(QStringLiteral(
        "mobileconfig is a configuration profile for device management, script a sh script of\n"
        "defaults write lines, ansible a list of community.general.osx_defaults tasks, nix a\n"
        "nix-darwin module. What a format cannot carry is listed on standard error."));
}

QCoro::Task<int> ProfileExportCommand::run(CommandContext &context, CommandArguments arguments)
{
    const std::optional<QString> formatText = arguments.value(kFormat);
    const std::optional<QString> output = arguments.value(kOutput);
    const std::optional<QString> identifier = arguments.value(kIdentifier);
    const bool current = arguments.isSet(kCurrent);
    const QStringList files = arguments.positional();

    const std::optional<ExportFormat> format =
        formatText ? exportFormatFromRawValue(*formatText) : std::nullopt;
    QString problem;
    if (!formatText)
        problem = QStringLiteral("say what to write with --format %1").arg(formatNames());
    else if (!format)
        problem = QStringLiteral("\"%1\" is not an export format (%2)").arg(*formatText, formatNames());
    else if (!output)
        problem = QStringLiteral("say where to write the export with -o OUT");
    else if (current == !files.isEmpty())
        problem = QStringLiteral("name a profile FILE or give --current, not both");
    else if (*format != ExportFormat::mobileconfig && (identifier || arguments.isSet(kOnce)))
        problem = QStringLiteral("--once and --identifier are for --format mobileconfig");
    else if (identifier) {
        if (const Status checked = ExportOptions::checkIdentifierPrefix(*identifier); !checked)
            problem = checked.error();
    }
    if (!problem.isEmpty()) {
        reportUsageError(context, problem);
        co_return 2;
    }

    ExportOptions options;
    options.setOnce = arguments.isSet(kOnce);
    if (identifier)
        options.identifierPrefix = *identifier;

    Profile profile;
    if (current) {
        const std::unique_ptr<TweakEngine> engine = context.makeEngine();
        if (!engine)
            co_return 1;
        profile = co_await Profile::makeFromCurrentState(engine.get(), QStringLiteral(VELMORA_VERSION));
        // A damaged domain reads as empty: the export is still worth making, but not silently short.
        const QMap<QString, QString> unreadable = engine->unreadableDomains();
        for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
            context.err << "velmoractl: warning: the domain " << it.key()
                        << " could not be read, so the export holds none of its values (" << it.value()
                        << ")\n";
    } else {
        const Result<ProfileDocument> document = ProfileDocument::read(files.first());
        if (!document) {
            context.err << "velmoractl: " << files.first() << " is not a profile: " << document.error()
                        << '\n';
            co_return 1;
        }
        profile = document->profile();
    }

    const Result<QList<ExportPlan::Skip>> skipped =
        ProfileExporter::make(*format, options)->write(profile, TweakRegistry::shared(), *output);
    if (!skipped) {
        context.err << "velmoractl: " << skipped.error() << '\n';
        co_return 1;
    }
    for (const ExportPlan::Skip &skip : *skipped)
        context.err << "velmoractl: skipped " << skip.title << " (" << skip.tweakID << "): " << skip.reason
                    << '\n';
    context.out << "Exported \"" << ExportPlan::oneLine(profile.name) << "\" as " << rawValue(*format)
                << " to " << *output;
    if (!skipped->isEmpty())
        context.out << " (" << skipped->size() << " skipped, listed on standard error)";
    context.out << '\n';
    co_return 0;
}

} // namespace velmora
