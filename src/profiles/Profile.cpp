#include "Profile.h"

#include "catalogue/TweakRegistry.h"
#include "engine/TweakEngine.h"
#include "plist/PropertyList.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>

namespace velmora {

namespace {

QString kindName(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool: return QCoreApplication::translate("Profile", "a boolean");
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int: return QCoreApplication::translate("Profile", "an integer");
    case QMetaType::Double: return QCoreApplication::translate("Profile", "a real");
    case QMetaType::QString: return QCoreApplication::translate("Profile", "a string");
    case QMetaType::QDateTime: return QCoreApplication::translate("Profile", "a date");
    case QMetaType::QByteArray: return QCoreApplication::translate("Profile", "data");
    case QMetaType::QVariantList: return QCoreApplication::translate("Profile", "an array");
    case QMetaType::QVariantMap: return QCoreApplication::translate("Profile", "a dictionary");
    default:
        return isDateVariant(v) ? QCoreApplication::translate("Profile", "a date")
                                : QCoreApplication::translate("Profile", "something else");
    }
}

// The platform's encoder writes dates to the second.
QDateTime toTheSecond(const QDateTime &moment)
{
    const QDateTime utc = moment.toUTC();
    return QDateTime::fromSecsSinceEpoch(utc.toSecsSinceEpoch(), Qt::UTC);
}

} // namespace

QCoro::Task<Profile> Profile::makeFromCurrentState(TweakEngine *engine, QString appVersion)
{
    QPointer<TweakEngine> guard(engine);
    co_await engine->refreshAll();
    Profile p;
    p.id = QUuid::createUuid();
    p.name = QCoreApplication::translate("Profile", "Profile %1")
                 .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    p.createdAt = toTheSecond(QDateTime::currentDateTimeUtc());
    p.schemaVersion = 1;
    p.appVersion = appVersion.isEmpty() ? QStringLiteral("0.0.0") : appVersion;
    if (!guard)
        co_return p;
    for (auto it = engine->currentValues().cbegin(); it != engine->currentValues().cend(); ++it)
        p.values.insert(it.key(), it.value());
    co_return p;
}

QVariantMap Profile::toPropertyList() const
{
    QVariantMap values;
    for (auto it = this->values.cbegin(); it != this->values.cend(); ++it)
        values.insert(it.key(), it.value().encoded());
    QVariantMap plist{
        {QStringLiteral("id"), id.toString(QUuid::WithoutBraces).toUpper()},
        {QStringLiteral("name"), name},
        {QStringLiteral("createdAt"), toTheSecond(createdAt)},
        {QStringLiteral("schemaVersion"), schemaVersion},
        {QStringLiteral("appVersion"), appVersion},
        {QStringLiteral("values"), values},
    };
    if (notes)
        plist.insert(QStringLiteral("notes"), *notes);
    return plist;
}

Result<Profile> Profile::fromPropertyList(const QVariant &plist)
{
    using R = Result<Profile>;
    if (plist.typeId() != QMetaType::QVariantMap)
        return R::failure(QCoreApplication::translate(
                              "Profile", "The file is not a profile: its top level is %1, not a dictionary.")
                              .arg(kindName(plist)));
    const QVariantMap root = plist.toMap();
    auto require = [&](const char *key, QMetaType::Type type, const char *kind) -> std::optional<QString> {
        if (!root.contains(QLatin1String(key)))
            return QCoreApplication::translate("Profile",
                                               "The file is not a profile: the key \"%1\" is missing.")
                .arg(QLatin1String(key));
        const QVariant v = root.value(QLatin1String(key));
        // A date written by another program may carry more than milliseconds (a PlistDate).
        const bool matches = type == QMetaType::QDateTime ? isDateVariant(v) : v.typeId() == int(type);
        if (!matches)
            return QCoreApplication::translate("Profile",
                                               "The file is not a profile: \"%1\" holds %2 instead of %3.")
                .arg(QLatin1String(key), kindName(v), QCoreApplication::translate("Profile", kind));
        return std::nullopt;
    };
    const struct {
        const char *key;
        QMetaType::Type type;
        const char *kind;
    } required[] = {
        {"id", QMetaType::QString, QT_TRANSLATE_NOOP("Profile", "a string")},
        {"name", QMetaType::QString, QT_TRANSLATE_NOOP("Profile", "a string")},
        {"createdAt", QMetaType::QDateTime, QT_TRANSLATE_NOOP("Profile", "a date")},
        {"schemaVersion", QMetaType::LongLong, QT_TRANSLATE_NOOP("Profile", "an integer")},
        {"appVersion", QMetaType::QString, QT_TRANSLATE_NOOP("Profile", "a string")},
        {"values", QMetaType::QVariantMap, QT_TRANSLATE_NOOP("Profile", "a dictionary")},
    };
    for (const auto &r : required) {
        if (std::optional<QString> problem = require(r.key, r.type, r.kind))
            return R::failure(*problem);
    }

    Profile p;
    // Only the canonical 8-4-4-4-12 form is a UUID text; no braces, no other spellings.
    // Anchored at the very end: "$" would also accept the text followed by a newline.
    static const QRegularExpression uuidShape(QRegularExpression::anchoredPattern(
        QStringLiteral("[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}")));
    const QString idText = root.value(QStringLiteral("id")).toString();
    if (!uuidShape.match(idText).hasMatch())
        return R::failure(
            QCoreApplication::translate("Profile", "The file is not a profile: \"%1\" is not a UUID.")
                .arg(idText));
    p.id = QUuid::fromString(idText);
    p.name = root.value(QStringLiteral("name")).toString();
    if (root.contains(QStringLiteral("notes"))) {
        const QVariant notes = root.value(QStringLiteral("notes"));
        if (notes.typeId() != QMetaType::QString)
            return R::failure(
                QCoreApplication::translate(
                    "Profile", "The file is not a profile: \"notes\" holds %1 instead of a string.")
                    .arg(kindName(notes)));
        p.notes = notes.toString();
    }
    p.createdAt = toTheSecond(root.value(QStringLiteral("createdAt")).toDateTime());
    p.schemaVersion = root.value(QStringLiteral("schemaVersion")).toLongLong();
    p.appVersion = root.value(QStringLiteral("appVersion")).toString();
    const QVariantMap values = root.value(QStringLiteral("values")).toMap();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const Result<TweakValue> value = TweakValue::decode(it.value());
        if (!value)
            return R::failure(
                QCoreApplication::translate(
                    "Profile", "The file is not a profile: the value of \"%1\" cannot be read (%2)")
                    .arg(it.key(), value.error()));
        p.values.insert(it.key(), *value);
    }
    return p;
}

Result<QByteArray> Profile::encode() const
{
    const Result<QList<QByteArray>> pieces = encodePieces();
    if (!pieces)
        return Result<QByteArray>::failure(pieces.error());
    return pieces->join();
}

Result<QList<QByteArray>> Profile::encodePieces() const
{
    // A profile is XML that other programs read too: a text it cannot carry is named by the tweak it
    // belongs to rather than written broken or left out.
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!it.value().isString())
            continue;
        // Printable ASCII (a picture's Base64) is carried whatever it holds; no need to widen it.
        if (it.value().holdsUtf8() && isPrintableAscii(it.value().toUtf8()))
            continue;
        if (const std::optional<char16_t> c = PropertyList::characterXmlCannotCarry(it.value().toString())) {
            const std::optional<Tweak> tweak = TweakRegistry::shared().tweak(it.key());
            return Result<QList<QByteArray>>::failure(
                QCoreApplication::translate(
                    "Profile", "The value of “%1” holds the character U+%2, which a profile cannot carry.")
                    .arg(tweak ? tweak->title : it.key(),
                         QString::number(uint(*c), 16).toUpper().rightJustified(4, QLatin1Char('0'))));
        }
    }
    return PropertyList::serializeXmlPieces(toPropertyList());
}

Result<Profile> Profile::decode(QByteArray bytes)
{
    const Result<QVariant> plist = PropertyList::parseKeepingLongTexts(std::move(bytes));
    if (!plist)
        return Result<Profile>::failure(
            QCoreApplication::translate("Profile", "The file is not a property list (%1).")
                .arg(plist.error()));
    return fromPropertyList(*plist);
}

bool operator==(const Profile &a, const Profile &b)
{
    return a.id == b.id && a.name == b.name && a.notes == b.notes && a.createdAt == b.createdAt &&
           a.schemaVersion == b.schemaVersion && a.appVersion == b.appVersion && a.values == b.values;
}

} // namespace velmora
