#include "DockApplyCommand.h"

#include "CommandContext.h"
#include "dock/DockAppsTweakHandler.h"
#include "dock/DockProfilePayload.h"
#include "engine/TweakHandler.h"
#include "platform/Platform.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdio>

namespace velmora {

namespace {

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

DockApplyCommand::DockApplyCommand()
    : Command(QStringLiteral("apply"), QStringLiteral("set the Dock's contents from a saved payload"))
{
    addArgument(
        {QStringLiteral("FILE"), QStringLiteral("what \"dock show --json\" prints; - reads standard input")});
    setDetails(QStringLiteral("An array of applications alone replaces the applications and keeps the other\n"
                              "tiles. The Dock is restarted after the change."));
}

QCoro::Task<int> DockApplyCommand::run(CommandContext &context, CommandArguments arguments)
{
    const QString file = arguments.positional().first();
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    co_return co_await apply(context, *platform, file);
}

} // namespace velmora
