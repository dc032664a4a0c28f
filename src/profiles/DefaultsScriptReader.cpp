#include "DefaultsScriptReader.h"

#include "ShellCommandReader.h"

#include <QCoreApplication>
#include <QSet>

namespace velmora {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DefaultsScriptReader", text);
}

// Words that may stand before a command on its line without being the command.
bool isPrefixWord(const QString &word)
{
    static const QSet<QString> words{
        QStringLiteral("if"),  QStringLiteral("then"),  QStringLiteral("else"),    QStringLiteral("elif"),
        QStringLiteral("do"),  QStringLiteral("while"), QStringLiteral("until"),   QStringLiteral("!"),
        QStringLiteral("{"),   QStringLiteral("time"),  QStringLiteral("command"), QStringLiteral("exec"),
        QStringLiteral("env"), QStringLiteral("nohup")};
    return words.contains(word);
}

bool isAssignment(const QString &word)
{
    const qsizetype equals = word.indexOf(u'=');
    if (equals <= 0)
        return false;
    for (qsizetype i = 0; i < equals; ++i) {
        const QChar c = word[i];
        if (!(c.isLetterOrNumber() || c == u'_') || (i == 0 && c.isDigit()))
            return false;
    }
    return true;
}

// The index of the command's own name: past keywords, variable assignments and `sudo` with its options.
qsizetype commandIndex(const QList<ShellCommand::Word> &words)
{
    qsizetype i = 0;
    while (i < words.size()) {
        const QString &word = words[i].text;
        if (isPrefixWord(word) || isAssignment(word)) {
            ++i;
        } else if (word == QLatin1String("sudo")) {
            ++i;
            // sudo's options, the ones that take a value with theirs.
            static const QSet<QString> withValue{
                QStringLiteral("-u"), QStringLiteral("-g"), QStringLiteral("-h"),
                QStringLiteral("-p"), QStringLiteral("-U"), QStringLiteral("-C"),
                QStringLiteral("-D"), QStringLiteral("-r"), QStringLiteral("-t")};
            while (i < words.size() && words[i].text.startsWith(u'-')) {
                const bool takesValue = withValue.contains(words[i].text);
                ++i;
                if (words[i - 1].text == QLatin1String("--"))
                    break;
                if (takesValue)
                    ++i;
            }
        } else {
            break;
        }
    }
    return i;
}

bool isDefaultsTool(const ShellCommand::Word &word)
{
    return !word.expands &&
           (word.text == QLatin1String("defaults") || word.text.endsWith(QLatin1String("/defaults")));
}

} // namespace

QString DefaultsScriptReader::valueForm(const QString &word)
{
    static const QSet<QString> forms{QStringLiteral("-string"), QStringLiteral("-int"),
                                     QStringLiteral("-float"),  QStringLiteral("-bool"),
                                     QStringLiteral("-date"),   QStringLiteral("-data"),
                                     QStringLiteral("-array"),  QStringLiteral("-array-add"),
                                     QStringLiteral("-dict"),   QStringLiteral("-dict-add")};
    if (word == QLatin1String("-integer"))
        return QStringLiteral("-int");
    if (word == QLatin1String("-boolean"))
        return QStringLiteral("-bool");
    return forms.contains(word) ? word : QString();
}

namespace {

DefaultsWrite readWrite(const ShellCommand &command, qsizetype toolIndex)
{
    const QList<ShellCommand::Word> &words = command.words;
    DefaultsWrite write;
    write.line = command.line;
    write.text = command.text;
    qsizetype i = toolIndex + 1;
    bool currentHost = false;
    while (i < words.size() &&
           (words[i].text == QLatin1String("-currentHost") || words[i].text == QLatin1String("-host"))) {
        currentHost = true;
        i += words[i].text == QLatin1String("-host") ? 2 : 1;
    }
    ++i; // the verb, "write"
    const auto fail = [&write](const QString &problem) {
        write.problem = problem;
        return write;
    };
    if (!command.problem.isEmpty())
        return fail(tr("The line could not be read to its end: %1.").arg(command.problem));
    if (currentHost)
        return fail(tr("-currentHost settings belong to this one Mac's hardware, so they are not imported."));
    for (qsizetype w = i; w < words.size(); ++w) {
        if (words[w].expands)
            return fail(
                tr("“%1” needs the shell to expand it, and the script is read, not run.").arg(words[w].text));
    }
    if (i >= words.size())
        return fail(tr("The line names no domain."));
    write.domain = words[i++].text;
    write.globalDomain = DefaultsScriptReader::isGlobalDomain(write.domain);
    if (!write.globalDomain &&
        (write.domain.contains(u'/') || write.domain.endsWith(QLatin1String(".plist"), Qt::CaseInsensitive)))
        return fail(tr("The domain is given as a file, which is not one of the user's preference domains."));
    if (i >= words.size())
        return fail(tr("The line names no key."));
    if (i + 1 == words.size())
        return fail(tr("A whole domain written at once is not imported."));
    write.key = words[i++].text;
    write.form = DefaultsScriptReader::valueForm(words[i].text);
    if (!write.form.isEmpty())
        ++i;
    for (; i < words.size(); ++i)
        write.values.append(words[i].text);
    const bool collection =
        write.form.startsWith(QLatin1String("-array")) || write.form.startsWith(QLatin1String("-dict"));
    if (!collection && write.values.isEmpty())
        return fail(tr("The line gives no value after %1.").arg(write.form));
    if (!collection && write.values.size() > 1)
        return fail(tr("The line gives more than one value (“%1” follows the value).").arg(write.values[1]));
    return write;
}

} // namespace

bool DefaultsScriptReader::isGlobalDomain(const QString &domain)
{
    for (const char *name : {"-g", "-globalDomain", "NSGlobalDomain", "Apple Global Domain"}) {
        if (domain.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QList<DefaultsWrite> DefaultsScriptReader::read(const QString &script)
{
    QList<DefaultsWrite> writes;
    for (const ShellCommand &command : ShellCommandReader::read(script)) {
        const qsizetype tool = commandIndex(command.words);
        if (tool >= command.words.size() || !isDefaultsTool(command.words[tool]))
            continue;
        // The verb, past -currentHost or -host NAME.
        qsizetype v = tool + 1;
        while (v < command.words.size() && (command.words[v].text == QLatin1String("-currentHost") ||
                                            command.words[v].text == QLatin1String("-host")))
            v += command.words[v].text == QLatin1String("-host") ? 2 : 1;
        const QString verb = v < command.words.size() ? command.words[v].text : QString();
        if (verb == QLatin1String("write")) {
            writes.append(readWrite(command, tool));
        } else if (verb == QLatin1String("delete") || verb == QLatin1String("rename") ||
                   verb == QLatin1String("import")) {
            DefaultsWrite other;
            other.line = command.line;
            other.text = command.text;
            other.problem =
                tr("Only “defaults write” lines are imported; a profile holds values, not “defaults %1”.")
                    .arg(verb);
            writes.append(other);
        }
    }
    return writes;
}

} // namespace velmora
