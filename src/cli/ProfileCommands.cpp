#include "ProfileCommands.h"

#include "CommandContext.h"
#include "engine/TweakEngine.h"
#include "profiles/ProfileApplier.h"
#include "profiles/ProfileDiffItem.h"
#include "profiles/ProfileDocument.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace velmora {

namespace {

const char kUsage[] = "usage: velmoractl profile save FILE\n"
                      "       velmoractl profile diff FILE\n"
                      "       velmoractl profile apply FILE [--yes]\n";

QString plural(qsizetype n, const QString &word)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(word, n == 1 ? QString() : QStringLiteral("s"));
}

// The review as text: one line per change, then how many settings already match.
void printDiff(QTextStream &out, const Profile &profile, const QList<ProfileDiffItem> &items)
{
    qsizetype changes = 0;
    out << "Profile: " << profile.name << '\n';
    for (const ProfileDiffItem &item : items) {
        if (!item.isChanged())
            continue;
        ++changes;
        out << item.title << ": " << displayText(item.currentValue) << " → " << item.newValue.displayText()
            << '\n';
    }
    if (changes == 0)
        out << "No Changes: this profile matches your current settings.\n";
    out << plural(items.size() - changes, QStringLiteral("unchanged setting")) << '\n';
}

bool confirm(QTextStream &out, qsizetype changes)
{
    out << "Apply " << plural(changes, QStringLiteral("change")) << "? [y/N] ";
    out.flush();
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

} // namespace

QCoro::Task<int> runProfileCommand(CommandContext &context, QStringList args)
{
    const bool yes = args.removeAll(QStringLiteral("--yes")) > 0;
    if (args.size() != 2 || !QStringList{"save", "diff", "apply"}.contains(args[0]) ||
        (yes && args[0] != QLatin1String("apply"))) {
        context.err << kUsage;
        co_return 2;
    }
    const QString verb = args[0];
    const QString file = args[1];
    const std::unique_ptr<TweakEngine> made = context.makeEngine();
    if (!made)
        co_return 1;
    TweakEngine &engine = *made;

    if (verb == QLatin1String("save")) {
        const ProfileDocument document(
            co_await Profile::makeFromCurrentState(&engine, QStringLiteral(VELMORA_VERSION)));
        // A damaged domain reads as empty; the profile is still worth saving, but not silently short.
        const QMap<QString, QString> unreadable = engine.unreadableDomains();
        for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
            context.err << "velmoractl: warning: the domain " << it.key()
                        << " could not be read, so the profile holds none of its values (" << it.value()
                        << ")\n";
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

    const Result<ProfileDocument> document = ProfileDocument::read(file);
    if (!document) {
        context.err << "velmoractl: " << file << " is not a profile: " << document.error() << '\n';
        co_return 1;
    }
    const Profile &profile = document->profile();
    const QList<ProfileDiffItem> items = co_await computeItems(profile, &engine);
    printDiff(context.out, profile, items);
    if (verb == QLatin1String("diff"))
        co_return 0;

    const qsizetype changes =
        std::count_if(items.cbegin(), items.cend(), [](const auto &i) { return i.isChanged(); });
    if (!yes && !confirm(context.out, changes)) {
        context.out << "Nothing applied.\n";
        co_return 0;
    }
    const ProfileApplyReport report = co_await applyProfile(&engine, profile);
    if (!report.ok()) {
        for (const ProfileApplyReport::Failure &failure : report.failures)
            context.err << "velmoractl: could not apply " << failure.title << " (" << failure.tweakID
                        << "): " << failure.reason.trimmed() << '\n';
        context.err << "velmoractl: " << report.failures.size() << " of "
                    << plural(report.attempted, QStringLiteral("value")) << " could not be applied; "
                    << "restarted what the others needed.\n";
        co_return 1;
    }
    context.out << "Applied " << plural(report.attempted, QStringLiteral("value"))
                << "; restarted what they needed.\n";
    co_return 0;
}

} // namespace velmora
