#include "ProfileSaveCommand.h"

#include "CommandContext.h"
#include "engine/TweakEngine.h"
#include "profiles/ProfileDocument.h"

namespace velmora {

ProfileSaveCommand::ProfileSaveCommand()
    : ProfileCommand(QStringLiteral("save"), QStringLiteral("save the current settings as a profile"),
                     QStringLiteral("where to write the profile (replaced whole)"))
{
}

QCoro::Task<int> ProfileSaveCommand::run(CommandContext &context, CommandArguments arguments)
{
    const QString file = arguments.positional().first();
    const std::unique_ptr<TweakEngine> made = context.makeEngine();
    if (!made)
        co_return 1;
    TweakEngine &engine = *made;

    const ProfileDocument document(
        co_await Profile::makeFromCurrentState(&engine, QStringLiteral(VELMORA_VERSION)));
    // A damaged domain reads as empty; the profile is still worth saving, but not silently short.
    const QMap<QString, QString> unreadable = engine.unreadableDomains();
    for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
        context.err << "velmoractl: warning: the domain " << it.key()
                    << " could not be read, so the profile holds none of its values (" << it.value() << ")\n";
    const Status written = document.write(file);
    if (!written) {
        context.err << "velmoractl: " << written.error() << '\n';
        co_return 1;
    }
    context.out << "Saved \"" << document.profile().name << "\" ("
                << plural(document.profile().values.size(), QStringLiteral("value")) << ") to " << file
                << '\n';
    co_return 0;
}

} // namespace velmora
