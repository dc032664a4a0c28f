#include "ProfileCommand.h"

#include "CommandContext.h"
#include "profiles/ProfileDocument.h"

#include <QTextStream>

#include <cstdio>

namespace velmora {

ProfileCommand::ProfileCommand(QString name, QString description, QString fileDescription)
    : Command(std::move(name), std::move(description))
{
    addArgument({QStringLiteral("FILE"), std::move(fileDescription)});
}

ProfileCommand::ProfileCommand(QString name, QString description)
    : Command(std::move(name), std::move(description))
{
}

bool ProfileCommand::confirm(QTextStream &out, const QString &question)
{
    out << question << " [y/N] ";
    out.flush();
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

QCoro::Task<std::optional<ProfileCommand::Review>> ProfileCommand::printReview(CommandContext &context,
                                                                               QString file)
{
    Review review;
    review.engine = context.makeEngine();
    if (!review.engine)
        co_return std::nullopt;
    const Result<ProfileDocument> document = ProfileDocument::read(file);
    if (!document) {
        context.err << "velmoractl: " << file << " is not a profile: " << document.error() << '\n';
        co_return std::nullopt;
    }
    review.profile = document->profile();
    review.items = co_await computeItems(review.profile, review.engine.get());
    printDiff(context.out, review.profile, review.items);
    co_return std::move(review);
}

int ProfileCommand::printApplied(CommandContext &context, const ProfileApplyReport &report)
{
    if (!report.ok()) {
        for (const ProfileApplyReport::Failure &failure : report.failures)
            context.err << "velmoractl: could not apply " << failure.title << " (" << failure.tweakID
                        << "): " << failure.reason.trimmed() << '\n';
        context.err << "velmoractl: " << report.failures.size() << " of "
                    << plural(report.attempted, QStringLiteral("value")) << " could not be applied; "
                    << "restarted what the others needed.\n";
        return 1;
    }
    context.out << "Applied " << plural(report.attempted, QStringLiteral("value"))
                << "; restarted what they needed.\n";
    return 0;
}

QString ProfileCommand::plural(qsizetype n, const QString &word)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(word, n == 1 ? QString() : QStringLiteral("s"));
}

void ProfileCommand::printDiff(QTextStream &out, const Profile &profile, const QList<ProfileDiffItem> &items)
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

} // namespace velmora
