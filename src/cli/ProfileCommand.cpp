#include "ProfileCommand.h"

#include <QTextStream>

namespace velmora {

ProfileCommand::ProfileCommand(QString name, QString description, QString fileDescription)
    : Command(std::move(name), std::move(description))
{
    addArgument({QStringLiteral("FILE"), std::move(fileDescription)});
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
