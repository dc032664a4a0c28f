#include "MobileconfigExporter.h"

#include "plist/PropertyList.h"

#include <QCoreApplication>
#include <QDir>
#include <QUuid>

namespace velmora {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MobileconfigExporter", text);
}

QString newPayloadUUID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

// The keys every payload carries.
QVariantMap payload(const QString &type, const QString &identifier, const QString &displayName)
{
    return {{QStringLiteral("PayloadType"), type},
            {QStringLiteral("PayloadIdentifier"), identifier},
            {QStringLiteral("PayloadUUID"), newPayloadUUID()},
            {QStringLiteral("PayloadVersion"), QVariant::fromValue(qint64(1))},
            {QStringLiteral("PayloadDisplayName"), displayName}};
}

// Managed preferences name the global domain by its file's name.
QString managedDomain(const QString &domain)
{
    return domain == QLatin1String("NSGlobalDomain") ? QStringLiteral(".GlobalPreferences") : domain;
}

} // namespace

Result<QByteArray> MobileconfigExporter::renderPlan(const ExportPlan &plan,
                                                    QList<ExportPlan::Skip> &skipped) const
{
    const Status prefix = ExportOptions::checkIdentifierPrefix(m_options.identifierPrefix);
    if (!prefix)
        return Result<QByteArray>::failure(prefix.error());
    const QString management = m_options.setOnce ? QStringLiteral("Set-Once") : QStringLiteral("Forced");

    QVariantMap settingsByDomain;
    for (const ExportPlan::Setting &setting : plan.settings) {
        if (setting.currentHost) {
            skipped.append({setting.tweakID, setting.title,
                            tr("it is kept per machine (-currentHost), which managed preferences cannot "
                               "set")});
            continue;
        }
        const QString domain = managedDomain(setting.domain);
        QVariantMap settings = settingsByDomain.value(domain).toMap();
        settings.insert(setting.key, setting.value);
        settingsByDomain.insert(domain, settings);
    }

    QVariantList payloads;
    if (!settingsByDomain.isEmpty()) {
        QVariantMap domains;
        for (auto it = settingsByDomain.cbegin(); it != settingsByDomain.cend(); ++it) {
            const QVariantMap managed{{QStringLiteral("mcx_preference_settings"), it.value()}};
            domains.insert(it.key(), QVariantMap{{management, QVariantList{managed}}});
        }
        QVariantMap preferences =
            payload(QStringLiteral("com.apple.ManagedClient.preferences"),
                    m_options.identifierPrefix + QStringLiteral(".preferences"), tr("Preferences"));
        preferences.insert(QStringLiteral("PayloadContent"), domains);
        payloads.append(preferences);
    }
    if (plan.picture) {
        // The picture is looked up on the Mac the profile is installed on: only a whole path names it.
        if (!QDir::isAbsolutePath(plan.picture->path)) {
            skipped.append(
                {plan.picture->tweakID, plan.picture->title,
                 tr("the picture's path \"%1\" is not a full path on the Mac").arg(plan.picture->path)});
        } else {
            QVariantMap desktop =
                payload(QStringLiteral("com.apple.desktop"),
                        m_options.identifierPrefix + QStringLiteral(".desktop"), tr("Desktop Picture"));
            desktop.insert(QStringLiteral("override-picture-path"), plan.picture->path);
            payloads.append(desktop);
        }
    }

    QVariantMap profile =
        payload(QStringLiteral("Configuration"), m_options.identifierPrefix,
                plan.profileName.isEmpty() ? tr("Velmora settings") : ExportPlan::oneLine(plan.profileName));
    profile.insert(QStringLiteral("PayloadDescription"),
                   m_options.setOnce ? tr("Settings exported from Velmora, set once when the profile is "
                                          "installed; they may be changed afterwards.")
                                     : tr("Settings exported from Velmora, kept as they are while the "
                                          "profile is installed."));
    profile.insert(QStringLiteral("PayloadContent"), payloads);
    return PropertyList::serialize(profile, PropertyList::Format::xml);
}

} // namespace velmora
