#include "DockCommands.h"

#include "CommandContext.h"
#include "catalogue/TweakRegistry.h"
#include "dock/DockAppsTweakHandler.h"
#include "dock/DockPreferences.h"
#include "dock/DockProfilePayload.h"
#include "engine/TweakHandler.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdio>

namespace velmora {

namespace {

const char kUsage[] =
    "usage: velmoractl dock show [--json]\n"
    "       velmoractl dock apply FILE    (FILE as printed by \"dock show --json\", or - for "
    "standard input)\n";

// Where a tile points: the path of a file URL, the whole text of any other.
QString shownURL(const QUrl &url)
{
    return url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded);
}

QString displayAsText(qint64 displayAs)
{
    switch (displayAs) {
    case 0: return QStringLiteral("Stack");
    case 1: return QStringLiteral("Folder");
    case 2: return QStringLiteral("Automatic");
    default: return QString::number(displayAs);
    }
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

Result<QByteArray> readInput(const QString &file)
{
    QFile in;
    const bool opened = file == QLatin1String("-") ? in.open(stdin, QIODevice::ReadOnly)
                                                   : (in.setFileName(file), in.open(QIODevice::ReadOnly));
    if (!opened)
        return Result<QByteArray>::failure(
            QStringLiteral("Could not read %1: %2").arg(file, in.errorString()));
    return in.readAll();
}

QCoro::Task<int> apply(CommandContext &context, Platform &platform, QString file)
{
    const Result<QByteArray> bytes = readInput(file);
    if (!bytes) {
        context.err << "velmoractl: " << bytes.error() << '\n';
        co_return 1;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(*bytes);
    if (decoder.hasError()) {
        context.err << "velmoractl: " << file << " is not UTF-8 text\n";
        co_return 1;
    }
    // The handler quietly ignores what it cannot read (a profile may hold anything); here the user
    // named the file, so say what is wrong with it instead of reporting a change that did not happen.
    const Result<DockProfilePayload> payload = DockProfilePayload::fromJson(*bytes);
    const Result<QList<DockAppEntry>> apps = DockProfilePayload::appsFromJsonArray(*bytes);
    if (!payload && !apps) {
        context.err
            << "velmoractl: " << file
            << " holds neither the Dock's contents ({\"apps\": [...], \"others\": [...]}) nor an array of "
               "applications: "
            << payload.error() << '\n';
        co_return 1;
    }

    const TweakValue value = TweakValue::ofString(text);
    const std::shared_ptr<const TweakHandler> handler = makeDockAppsTweakHandler();
    const Status applied = co_await handler->apply(platform, value);
    if (!applied) {
        context.err << "velmoractl: " << applied.error() << '\n';
        co_return 1;
    }
    if (payload)
        context.out << "The Dock now holds " << payload->apps.size() << " applications and "
                    << payload->others.size() << " others; it was restarted.\n";
    else
        context.out << "The Dock now holds " << apps->size()
                    << " applications (its other part unchanged); it was restarted.\n";
    co_return 0;
}

} // namespace

QCoro::Task<int> runDockCommand(CommandContext &context, QStringList args)
{
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    if (verb == QLatin1String("show")) {
        const bool json = args.removeAll(QStringLiteral("--json")) > 0;
        if (!args.isEmpty()) {
            context.err << kUsage;
            co_return 2;
        }
        Platform *platform = context.platform();
        if (!platform)
            co_return 1;
        co_return co_await show(context, *platform, json);
    }
    if (verb == QLatin1String("apply")) {
        if (args.size() != 1) {
            context.err << kUsage;
            co_return 2;
        }
        Platform *platform = context.platform();
        if (!platform)
            co_return 1;
        co_return co_await apply(context, *platform, args.first());
    }
    context.err << kUsage;
    co_return 2;
}

} // namespace velmora
