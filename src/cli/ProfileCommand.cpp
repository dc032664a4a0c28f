#include "ProfileCommand.h"

#include "CommandContext.h"
#include "profiles/ProfileDocument.h"

#include <QTextStream>

namespace velmora {

ProfileCommand::ProfileCommand(QString name, QString description, QString fileDescription)
    : Command(std::move(name), std::move(description))
{
    addArgument({QStringLiteral("FILE"), std::move(fileDescription)});
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
