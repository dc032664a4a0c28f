#include "DefaultsTool.h"

#include "ValueArguments.h"
#include "plist/OpenStepText.h"
#include "plist/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace velmora::defaults {

namespace {

// The system tool's status for a command line it cannot make sense of.
constexpr int kUsageError = 255;
constexpr int kFailure = 1;

const QString kGlobalName = QStringLiteral("NSGlobalDomain");
const QString kGlobalFileName = QStringLiteral(".GlobalPreferences");

const char kUsage[] =
    "Command line interface to a user's defaults (simulated Mac).\n"
    "Syntax:\n"
    "\n"
    "'defaults' [-currentHost] followed by one of the following:\n"
    "\n"
    "  read                                 shows all defaults\n"
    "  read <domain>                        shows defaults for given domain\n"
    "  read <domain> <key>                  shows defaults for given domain, key\n"
    "\n"
    "  read-type <domain> <key>             shows the type for the given domain, key\n"
    "\n"
    "  write <domain> <domain_rep>          writes domain (overwrites existing)\n"
    "  write <domain> <key> <value>         writes key for domain\n"
    "\n"
    "  delete <domain>                      deletes domain\n"
    "  delete <domain> <key>                deletes key in domain\n"
    "\n"
    "  import <domain> <path to plist>      writes the plist at path to domain\n"
    "  import <domain> -                    writes a plist from stdin to domain\n"
    "  export <domain> <path to plist>      saves domain as an XML plist to path\n"
    "  export <domain> -                    writes domain as an XML plist to stdout\n"
    "  domains                              lists all domains\n"
    "  help                                 print this text\n"
    "\n"
    "<domain> is ( <domain_name> | -globalDomain | -g | NSGlobalDomain | <path to plist> )\n"
    "\n"
    "<value> is one of:\n"
    "  <value_rep>\n"
    "  -string <string_value>\n"
    "  -data <hex_digits>\n"
    "  -int[eger] <integer_value>\n"
    "  -float  <floating-point_value>\n"
    "  -bool[ean] (true | false | yes | no)\n"
    "  -date <date_rep>\n"
    "  -array <value1> <value2> ...\n"
    "  -array-add <value1> <value2> ...\n"
    "  -dict <key1> <value1> <key2> <value2> ...\n"
    "  -dict-add <key1> <value1> ...\n"
    "\n"
    "Each value of -array and -dict may itself carry a type flag (-int 4).\n";

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int fail(const QString &message)
{
    print(stderr, message.endsWith(QLatin1Char('\n')) ? message : message + QLatin1Char('\n'));
    return kFailure;
}

int usageError()
{
    std::fputs(kUsage, stderr);
    return kUsageError;
}

bool isList(const QVariant &v)
{
    return v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList;
}

bool isMap(const QVariant &v)
{
    return v.typeId() == QMetaType::QVariantMap || v.typeId() == QMetaType::QVariantHash;
}

QString typeName(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool: return QStringLiteral("boolean");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return QStringLiteral("integer");
    case QMetaType::Double:
    case QMetaType::Float: return QStringLiteral("float");
    case QMetaType::QString: return QStringLiteral("string");
    case QMetaType::QDateTime: return QStringLiteral("date");
    case QMetaType::QByteArray: return QStringLiteral("data");
    default: break;
    }
    if (isList(v))
        return QStringLiteral("array");
    if (isMap(v))
        return QStringLiteral("dictionary");
    if (isDateVariant(v))
        return QStringLiteral("date");
    return QStringLiteral("uid");
}

QString domainMissing(const QString &name)
{
    return QStringLiteral("\nDomain %1 does not exist\n").arg(name);
}

QString pairMissing(const QString &name, const QString &key)
{
    return QStringLiteral("\nThe domain/default pair of (%1, %2) does not exist\n").arg(name, key);
}

QString notFound(const QString &name)
{
    return QStringLiteral("Domain (%1) not found.\nDefaults have not been changed.\n").arg(name);
}

Result<QVariantList> takeValues(const QStringList &arguments, qsizetype from)
{
    QVariantList values;
    for (qsizetype i = from; i < arguments.size();) {
        Result<QVariant> value = takeValue(arguments, i);
        if (!value)
            return Result<QVariantList>::failure(value.error());
        values.append(std::move(value).value());
    }
    return values;
}

Result<QVariantMap> takePairs(const QStringList &arguments, qsizetype from, const QString &flag)
{
    QVariantMap pairs;
    for (qsizetype i = from; i < arguments.size();) {
        const QString key = arguments[i++];
        if (i >= arguments.size())
            return Result<QVariantMap>::failure(
                QStringLiteral("Missing value for the key \"%1\" of %2 (keys and values come in pairs).")
                    .arg(key, flag));
        Result<QVariant> value = takeValue(arguments, i);
        if (!value)
            return Result<QVariantMap>::failure(value.error());
        pairs.insert(key, std::move(value).value());
    }
    return pairs;
}

} // namespace

int DefaultsTool::run(QStringList arguments)
{
    while (!arguments.isEmpty()) {
        if (arguments.first() == QLatin1String("-currentHost")) {
            m_currentHost = true;
            arguments.removeFirst();
        } else if (arguments.first() == QLatin1String("-host")) {
            return fail(QStringLiteral("defaults: -host is not supported on the simulated Mac"));
        } else {
            break;
        }
    }
    if (arguments.isEmpty())
        return usageError();

    const QString verb = arguments.takeFirst();
    if (verb == QLatin1String("help")) {
        std::fputs(kUsage, stderr);
        return 0;
    }
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("-app"))
        return fail(QStringLiteral("defaults: -app is not supported on the simulated Mac"));
    if (verb == QLatin1String("read"))
        return read(arguments);
    if (verb == QLatin1String("read-type"))
        return readType(arguments);
    if (verb == QLatin1String("write"))
        return write(arguments);
    if (verb == QLatin1String("delete"))
        return remove(arguments);
    if (verb == QLatin1String("domains"))
        return listDomains(arguments);
    if (verb == QLatin1String("export"))
        return exportDomain(arguments);
    if (verb == QLatin1String("import"))
        return importDomain(arguments);
    return usageError();
}

Result<DefaultsTool::Domain> DefaultsTool::resolve(const QString &argument) const
{
    using R = Result<Domain>;
    if (argument == QLatin1String("-g") || argument == QLatin1String("-globalDomain") ||
        argument == kGlobalName) {
        if (!m_currentHost)
            return Domain{argument, m_root.globalPreferencesFile()};
        const Result<QString> file = m_root.byHostDomainFile(kGlobalFileName);
        return file ? R(Domain{argument, *file}) : R::failure(file.error());
    }
    // A path names a plist file on the Mac; like the system tool, the ".plist" is optional.
    QString macPath;
    if (argument.startsWith(QLatin1Char('/')))
        macPath = argument;
    else if (argument.startsWith(QLatin1String("~/")))
        macPath = QStringLiteral("/Users/") + SimulatedRoot::userName() + argument.mid(1);
    if (!macPath.isEmpty()) {
        if (!macPath.endsWith(QLatin1String(".plist")))
            macPath += QStringLiteral(".plist");
        const Result<QString> file = m_root.hostPath(macPath);
        return file ? R(Domain{argument, *file}) : R::failure(file.error());
    }
    const Result<QString> file =
        m_currentHost ? m_root.byHostDomainFile(argument) : m_root.domainFile(argument);
    return file ? R(Domain{argument, *file}) : R::failure(file.error());
}

Result<QVariantMap> DefaultsTool::load(const Domain &domain) const
{
    Result<QVariantMap> values = PreferenceDomainFile(domain.file).load();
    if (!values)
        return Result<QVariantMap>::failure(
            QStringLiteral("Could not read domain %1: %2").arg(domain.name, values.error()));
    return values;
}

Result<QVariant> DefaultsTool::storedValue(const Domain &domain, const QString &key) const
{
    if (!PreferenceDomainFile(domain.file).exists())
        return Result<QVariant>::failure(pairMissing(domain.name, key));
    const Result<QVariantMap> values = load(domain);
    if (!values)
        return Result<QVariant>::failure(values.error());
    if (!values->contains(key))
        return Result<QVariant>::failure(pairMissing(domain.name, key));
    return values->value(key);
}

Status DefaultsTool::save(const Domain &domain, const QVariantMap &values) const
{
    const Status saved = PreferenceDomainFile(domain.file).save(values);
    if (!saved)
        return Status::failure(
            QStringLiteral("Could not write domain %1: %2").arg(domain.name, saved.error()));
    return saved;
}

int DefaultsTool::update(const Domain &domain, const PreferenceDomainFile::Change &change) const
{
    using Step = PreferenceDomainFile::UpdateError::Step;
    const PreferenceDomainFile::UpdateStatus updated = PreferenceDomainFile(domain.file).update(change);
    if (updated)
        return 0;
    const PreferenceDomainFile::UpdateError &error = updated.error();
    switch (error.step) {
    case Step::read:
        return fail(QStringLiteral("Could not read domain %1: %2").arg(domain.name, error.message));
    case Step::change: return fail(error.message);
    case Step::lock:
    case Step::write: break;
    }
    return fail(QStringLiteral("Could not write domain %1: %2").arg(domain.name, error.message));
}

QMap<QString, QString> DefaultsTool::domainFiles(bool includeGlobal) const
{
    QMap<QString, QString> files;
    const QDir folder(m_root.preferencesFolder());
    const QFileInfoList entries =
        folder.entryInfoList({QStringLiteral("*.plist")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName().chopped(6);
        if (name == kGlobalFileName) {
            if (includeGlobal)
                files.insert(kGlobalName, entry.filePath());
        } else if (!name.isEmpty()) {
            files.insert(name, entry.filePath());
        }
    }
    return files;
}

int DefaultsTool::read(const QStringList &arguments)
{
    if (arguments.size() > 2)
        return usageError();
    if (arguments.isEmpty()) {
        QVariantMap all;
        const QMap<QString, QString> files = domainFiles(true);
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            const Result<QVariantMap> values = load(Domain{it.key(), it.value()});
            // One damaged file should not hide every other domain.
            if (!values)
                print(stderr, values.error() + QLatin1Char('\n'));
            else
                all.insert(it.key(), values.value());
        }
        print(stdout, OpenStepText::format(all) + QLatin1Char('\n'));
        return 0;
    }

    const Result<Domain> domain = resolve(arguments[0]);
    if (!domain)
        return fail(domain.error());
    if (arguments.size() == 1) {
        if (!PreferenceDomainFile(domain->file).exists())
            return fail(domainMissing(domain->name));
        const Result<QVariantMap> values = load(*domain);
        if (!values)
            return fail(values.error());
        print(stdout, OpenStepText::format(*values) + QLatin1Char('\n'));
        return 0;
    }

    const Result<QVariant> value = storedValue(*domain, arguments[1]);
    if (!value)
        return fail(value.error());
    print(stdout, OpenStepText::describe(*value) + QLatin1Char('\n'));
    return 0;
}

int DefaultsTool::readType(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return usageError();
    const Result<Domain> domain = resolve(arguments[0]);
    if (!domain)
        return fail(domain.error());
    const Result<QVariant> value = storedValue(*domain, arguments[1]);
    if (!value)
        return fail(value.error());
    print(stdout, QStringLiteral("Type is %1\n").arg(typeName(*value)));
    return 0;
}

int DefaultsTool::write(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return usageError();
    const Result<Domain> domain = resolve(arguments[0]);
    if (!domain)
        return fail(domain.error());
    if (arguments.size() == 2)
        return writeWholeDomain(*domain, arguments[1]);

    const QString &key = arguments[1];
    const QString &form = arguments[2];

    // Every value is read before the file is touched, so a malformed one changes nothing.
    enum class Change { set, appendToArray, addToDictionary } change = Change::set;
    QVariant value;
    if (form == QLatin1String("-array") || form == QLatin1String("-array-add")) {
        Result<QVariantList> items = takeValues(arguments, 3);
        if (!items)
            return fail(items.error());
        value = std::move(items).value();
        if (form == QLatin1String("-array-add"))
            change = Change::appendToArray;
    } else if (form == QLatin1String("-dict") || form == QLatin1String("-dict-add")) {
        Result<QVariantMap> pairs = takePairs(arguments, 3, form);
        if (!pairs)
            return fail(pairs.error());
        value = std::move(pairs).value();
        if (form == QLatin1String("-dict-add"))
            change = Change::addToDictionary;
    } else {
        qsizetype next = 2;
        Result<QVariant> single = takeValue(arguments, next);
        if (!single)
            return fail(single.error());
        // A stray word usually means a value the shell split at a space; storing only its first
        // part would be a silent surprise.
        if (next < arguments.size())
            return fail(
                QStringLiteral("Unexpected argument \"%1\" after the value (quote values with spaces).")
                    .arg(arguments[next]));
        value = std::move(single).value();
    }

    using Outcome = PreferenceDomainFile::Outcome;
    return update(*domain, [&](QVariantMap &map) -> Result<Outcome> {
        switch (change) {
        case Change::set: map.insert(key, value); break;
        case Change::appendToArray: {
            const QVariant existing = map.value(key);
            if (existing.isValid() && !isList(existing))
                return Result<Outcome>::failure(
                    QStringLiteral(
                        "Value for key %1 is not an array; cannot append.  Leaving defaults unchanged.")
                        .arg(key));
            map.insert(key, existing.toList() + value.toList());
            break;
        }
        case Change::addToDictionary: {
            const QVariant existing = map.value(key);
            if (existing.isValid() && !isMap(existing))
                return Result<Outcome>::failure(
                    QStringLiteral(
                        "Value for key %1 is not a dictionary; cannot add.  Leaving defaults unchanged.")
                        .arg(key));
            QVariantMap merged = existing.toMap();
            const QVariantMap added = value.toMap();
            for (auto it = added.cbegin(); it != added.cend(); ++it)
                merged.insert(it.key(), it.value());
            map.insert(key, merged);
            break;
        }
        }
        return Outcome::write;
    });
}

int DefaultsTool::writeWholeDomain(const Domain &domain, const QString &text)
{
    const QVariant value = untypedValue(text);
    if (!isMap(value))
        return fail(QStringLiteral("Rep argument is not a dictionary\nDefaults have not been changed.\n"));
    // The old contents do not matter here, so a damaged file can be replaced this way.
    const Status saved = save(domain, value.toMap());
    return saved ? 0 : fail(saved.error());
}

int DefaultsTool::remove(const QStringList &arguments)
{
    if (arguments.isEmpty() || arguments.size() > 2)
        return usageError();
    const Result<Domain> domain = resolve(arguments[0]);
    if (!domain)
        return fail(domain.error());
    if (!PreferenceDomainFile(domain->file).exists())
        return fail(notFound(domain->name));

    if (arguments.size() == 1) {
        const Result<bool> removed = PreferenceDomainFile(domain->file).remove();
        if (!removed)
            return fail(QStringLiteral("Could not delete domain %1: %2").arg(domain->name, removed.error()));
        return *removed ? 0 : fail(notFound(domain->name));
    }

    using Outcome = PreferenceDomainFile::Outcome;
    const QString &key = arguments[1];
    const QString name = domain->name;
    return update(*domain, [&key, &name](QVariantMap &values) -> Result<Outcome> {
        if (!values.contains(key))
            return Result<Outcome>::failure(notFound(name));
        values.remove(key);
        return Outcome::write;
    });
}

int DefaultsTool::listDomains(const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return usageError();
    print(stdout, domainFiles(false).keys().join(QStringLiteral(", ")) + QLatin1Char('\n'));
    return 0;
}

int DefaultsTool::exportDomain(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return usageError();
    const Result<Domain> domain = resolve(arguments[0]);
    if (!domain)
        return fail(domain.error());
    if (!PreferenceDomainFile(domain->file).exists())
        return fail(domainMissing(domain->name));
    const Result<QVariantMap> values = load(*domain);
    if (!values)
        return fail(values.error());

    // Export and import files are the caller's own, so their paths are paths of this machine, not
    // of the simulated Mac.
    const QString &target = arguments[1];
    if (target == QLatin1String("-")) {
        const Result<QByteArray> xml = PropertyList::serialize(*values, PropertyList::Format::xml);
        if (!xml)
            return fail(xml.error());
        std::fwrite(xml->constData(), 1, size_t(xml->size()), stdout);
        return 0;
    }
    const Status written = PropertyList::writeFile(target, *values, PropertyList::Format::xml);
    return written ? 0 : fail(written.error());
}

int DefaultsTool::importDomain(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return usageError();
    const Result<Domain> domain = resolve(arguments[0]);
    if (!domain)
        return fail(domain.error());

    const QString &source = arguments[1];
    QByteArray bytes;
    if (source == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return fail(QStringLiteral("Could not read standard input: %1").arg(in.errorString()));
        bytes = in.readAll();
    } else {
        QFile in(source);
        if (QFileInfo(source).isDir() || !in.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("Could not read %1: %2")
                            .arg(source, QFileInfo(source).isDir() ? QStringLiteral("it is a folder")
                                                                   : in.errorString()));
        bytes = in.readAll();
    }
    const Result<QVariant> parsed = PropertyList::parse(bytes);
    if (!parsed)
        return fail(QStringLiteral("Could not import %1: %2").arg(source, parsed.error()));
    if (!isMap(*parsed))
        return fail(QStringLiteral("Could not import %1: its root is not a dictionary").arg(source));
    const Status saved = save(*domain, parsed->toMap());
    return saved ? 0 : fail(saved.error());
}

} // namespace velmora::defaults
