#include "ExportPlan.h"

#include "dock/DockPreferences.h"
#include "dock/DockProfilePayload.h"
#include "plist/PropertyList.h"
#include "preferences/PreferencesBackend.h"
#include "wallpaper/WallpaperConfig.h"

#include <QCoreApplication>
#include <QSet>

namespace velmora {

namespace {

const QString kDockApps = QStringLiteral("dock.apps");
const QString kWallpaper = QStringLiteral("wallpaper.config");

QString tr(const char *text)
{
    return QCoreApplication::translate("ExportPlan", text);
}

QVariant plistValue(const TweakValue &value)
{
    switch (value.type()) {
    case TweakValueType::bool_: return QVariant(value.toBool());
    case TweakValueType::int_: return QVariant::fromValue(value.toInt());
    case TweakValueType::double_: return QVariant(value.toDouble());
    case TweakValueType::string: return QVariant(value.toString());
    }
    return QVariant();
}

// The first text in a value tree that holds a character no export can carry: an XML property list
// refuses it, a shell argument ends at U+0000, and YAML and Nix have no faithful escape for all of them.
std::optional<char16_t> uncarriableCharacter(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString: return PropertyList::characterXmlCannotCarry(value.toString());
    case QMetaType::QVariantList:
        for (const QVariant &item : value.toList()) {
            if (const std::optional<char16_t> found = uncarriableCharacter(item))
                return found;
        }
        return std::nullopt;
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (std::optional<char16_t> found = PropertyList::characterXmlCannotCarry(it.key()))
                return found;
            if (std::optional<char16_t> found = uncarriableCharacter(it.value()))
                return found;
        }
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

} // namespace

Result<QVariant> ExportPlan::storedValue(const Tweak &tweak, const TweakValue &value)
{
    if (!tweak.preferenceKey)
        return Result<QVariant>::failure(tr("it is not kept in a preference"));
    const TweakValueType type = tweak.preferenceKey->type;
    const std::optional<TweakValue> converted = PreferencesBackend::convert(plistValue(value), type);
    if (!converted)
        return Result<QVariant>::failure(
            tr("the profile's %1 value does not convert to %2, the setting's type")
                .arg(rawValue(value.type()), rawValue(type)));
    // A setting the system keeps as one entry of a dictionary (the first day of the week, per calendar)
    // is exported as that dictionary: a plain value there is ignored by the system.
    if (const std::optional<QString> &entry = tweak.preferenceKey->dictionaryEntry)
        return QVariant(QVariantMap{{*entry, plistValue(*converted)}});
    return plistValue(*converted);
}

QString ExportPlan::oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        // The shell and YAML end a comment at a line feed, Nix at a carriage return as well; the
        // Unicode separators end lines for editors that show the file.
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return line;
}

ExportPlan ExportPlan::make(const Profile &profile, const TweakRegistry &registry)
{
    ExportPlan plan;
    plan.profileName = profile.name;
    plan.createdAt = profile.createdAt;
    QSet<RestartTarget> restarts;

    auto add = [&](const Tweak &tweak, Setting setting) {
        if (const std::optional<char16_t> bad = uncarriableCharacter(setting.value)) {
            plan.skip(
                tweak.id, tweak.title,
                tr("its text holds the control character U+%1, which no export format can carry")
                    .arg(QString::number(uint(*bad), 16).toUpper().rightJustified(4, QLatin1Char('0'))));
            return;
        }
        plan.settings.append(std::move(setting));
        for (RestartTarget target : tweak.restart)
            restarts.insert(target);
    };

    for (const Tweak &tweak : registry.tweaks()) {
        const auto found = profile.values.constFind(tweak.id);
        if (found == profile.values.cend())
            continue;
        const TweakValue &value = *found;
        if (tweak.id == kDockApps) {
            const QByteArray json = value.toString().toUtf8();
            const Result<DockProfilePayload> payload = DockProfilePayload::fromJson(json);
            const Result<QList<DockAppEntry>> older = DockProfilePayload::appsFromJsonArray(json);
            if (!value.isString() || (!payload && !older)) {
                plan.skip(tweak.id, tweak.title, tr("the profile's Dock contents cannot be read"));
                continue;
            }
            // The tiles are written afresh: what the Mac they go to holds is not known here.
            const QList<DockAppEntry> apps = payload ? payload->apps : *older;
            add(tweak, {tweak.id, tweak.title, DockPreferences::domain(), DockPreferences::appsKey(),
                        DockPreferences::appTiles(apps, QVariant()), false});
            if (payload)
                add(tweak, {tweak.id, tweak.title, DockPreferences::domain(), DockPreferences::othersKey(),
                            DockPreferences::otherTiles(payload->others, QVariant()), false});
            continue;
        }
        if (tweak.id == kWallpaper) {
            const Result<WallpaperConfig> config = WallpaperConfig::fromJson(value.toString().toUtf8());
            if (!value.isString() || !config)
                plan.skip(tweak.id, tweak.title, tr("the profile's desktop picture cannot be read"));
            else if (config->hasImagePath())
                plan.picture = Picture{tweak.id, tweak.title, *config->imagePath};
            else if (config->embeddedImageData)
                plan.skip(tweak.id, tweak.title,
                          tr("the picture is carried in the profile without a path on the Mac"));
            else
                plan.skip(tweak.id, tweak.title, tr("the profile holds no picture"));
            continue;
        }
        const Result<QVariant> stored = storedValue(tweak, value);
        if (!stored) {
            plan.skip(tweak.id, tweak.title, stored.error());
            continue;
        }
        add(tweak,
            {tweak.id, tweak.title, tweak.preferenceKey->domain, tweak.preferenceKey->key, *stored, false});
    }
    for (auto it = profile.values.cbegin(); it != profile.values.cend(); ++it) {
        if (!registry.tweak(it.key()))
            plan.skip(it.key(), it.key(), tr("this version of Velmora does not know the setting"));
    }
    for (RestartTarget target : allRestartTargets()) {
        if (restarts.contains(target))
            plan.restarts.append(target);
    }
    return plan;
}

} // namespace velmora
