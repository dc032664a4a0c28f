#include "DockShowCommand.h"

#include "CommandContext.h"
#include "dock/DockAppsTweakHandler.h"
#include "dock/DockDisplayMode.h"
#include "dock/DockPreferences.h"
#include "engine/TweakHandler.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"

namespace velmora {

namespace {

// Where a tile points: the path of a file URL, the whole text of any other.
QString shownURL(const QUrl &url)
{
    return url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded);
}

QString displayAsText(qint64 displayAs)
{
    const std::optional<DockDisplayMode> mode = dockDisplayMode(displayAs);
    if (!mode)
        return QString::number(displayAs);
    switch (*mode) {
    case DockDisplayMode::stack: return QStringLiteral("Stack");
    case DockDisplayMode::folder: return QStringLiteral("Folder");
    case DockDisplayMode::automatic: return QStringLiteral("Automatic");
    }
    return QString::number(displayAs);
}

QCoro::Task<int> show(CommandContext &context, Platform &platform, bool json)
{
    // The Dock's reader shows an unreadable preference as an empty Dock; say so instead.
    if (const std::optional<QString> problem =
            platform.preferences().readProblem(DockPreferences::domain())) {
        context.err << "velmoractl: the Dock's preference cannot be read: " << *problem << '\n';
        co_return 1;
    }
    if (json) {
        const std::shared_ptr<const TweakHandler> handler = makeDockAppsTweakHandler();
        const Result<TweakValue> value = co_await handler->currentValue(platform);
        if (!value) {
            context.err << "velmoractl: " << value.error() << '\n';
            co_return 1;
        }
        context.out << value->toString() << '\n';
        co_return 0;
    }
    const QList<DockAppEntry> apps = DockPreferences::readApps(platform);
    const QList<DockOtherEntry> others = DockPreferences::readOthers(platform);
    context.out << "Applications (" << apps.size() << ")\n";
    int n = 0;
    for (const DockAppEntry &app : apps) {
        context.out << QStringLiteral("%1. ").arg(++n, 4) << app.label;
        if (app.bundleIdentifier && !app.bundleIdentifier->isEmpty())
            context.out << "  (" << *app.bundleIdentifier << ')';
        context.out << "  " << shownURL(app.url) << '\n';
    }
    context.out << "Folders & Others (" << others.size() << ")\n";
    n = 0;
    for (const DockOtherEntry &other : others) {
        context.out << QStringLiteral("%1. ").arg(++n, 4) << other.label << "  [" << rawValue(other.itemType)
                    << ']';
        if (other.url)
            context.out << "  " << shownURL(*other.url);
        if (other.itemType == DockItemType::folder && other.displayAs)
            context.out << "  Display as: " << displayAsText(*other.displayAs);
        context.out << '\n';
    }
    co_return 0;
}

} // namespace

DockShowCommand::DockShowCommand()
    : Command(QStringLiteral("show"), QStringLiteral("the Dock's applications and other tiles"))
{
    addOption(
        QCommandLineOption(QStringLiteral("json"),
                           QStringLiteral("print the Dock's contents as the JSON that dock apply takes")));
}

QCoro::Task<int> DockShowCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool json = arguments.isSet(QStringLiteral("json"));
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    co_return co_await show(context, *platform, json);
}

} // namespace velmora
