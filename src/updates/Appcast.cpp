#include "Appcast.h"

#include "AppVersion.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QXmlStreamReader>

namespace velmora {

namespace {

// Only links a browser opens over a connection nobody can tamper with are kept: a feed is
// downloaded from the network, and an address like "file:///…", a custom scheme or plain http must
// never reach the workspace's opener (or become the file a user downloads).
QUrl secureLink(const QString &text, const QUrl &base)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid())
        return {};
    if (url.isRelative() && base.isValid())
        url = base.resolved(url);
    return Appcast::isSecureAddress(url) ? url : QUrl();
}

bool isSparkle(const QXmlStreamReader &xml, QLatin1String name)
{
    return xml.namespaceUri() == Appcast::sparkleNamespace() && xml.name() == name;
}

bool isPlain(const QXmlStreamReader &xml, QLatin1String name)
{
    return xml.namespaceUri().isEmpty() && xml.name() == name;
}

std::optional<QString> sparkleAttribute(const QXmlStreamAttributes &attributes, const QString &name)
{
    if (!attributes.hasAttribute(Appcast::sparkleNamespace(), name))
        return std::nullopt;
    return attributes.value(Appcast::sparkleNamespace(), name).toString();
}

// The framework reads "App_1.2.zip" as version 1.2 when a feed names none: what follows the last
// underscore of the address, without its extension.
std::optional<QString> versionInFileName(const QString &address)
{
    const qsizetype underscore = address.lastIndexOf(QLatin1Char('_'));
    if (underscore < 0)
        return std::nullopt;
    QString last = address.mid(underscore + 1);
    const qsizetype dot = last.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && dot > last.lastIndexOf(QLatin1Char('/')))
        last.truncate(dot);
    return last;
}

// A channel name with other characters than these is ignored by the framework, which then offers
// the item to everyone; so does this client.
bool isValidChannel(const QString &name)
{
    for (QChar c : name) {
        if (!c.isLetterOrNumber() && !c.isMark() && c != QLatin1Char('_') && c != QLatin1Char('.') &&
            c != QLatin1Char('-'))
            return false;
    }
    return true;
}

AppcastItem::NotesFormat notesFormat(const std::optional<QString> &format)
{
    const QString name = format.value_or(QString()).toLower();
    if (name == QLatin1String("plain-text"))
        return AppcastItem::NotesFormat::plainText;
    if (name == QLatin1String("markdown"))
        return AppcastItem::NotesFormat::markdown;
    // Unset or unknown formats are HTML, as the framework reads them.
    return AppcastItem::NotesFormat::html;
}

AppcastItem readItem(QXmlStreamReader &xml, const QUrl &feedURL)
{
    // Where one element appears more than once, the first counts; an element's text is trimmed,
    // an attribute is taken as written (the framework reads them so).
    std::optional<QString> versionAttribute, versionElement, shortAttribute, shortElement, enclosureURL,
        notesLink, description, descriptionFormat, channel, minimumSystem, maximumSystem, link, title;
    const auto element = [&xml](std::optional<QString> &field) {
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (!field)
            field = text.trimmed();
    };
    AppcastItem item;
    bool haveEnclosure = false;
    while (xml.readNextStartElement()) {
        if (isPlain(xml, QLatin1String("title"))) {
            element(title);
        } else if (isPlain(xml, QLatin1String("link"))) {
            element(link);
        } else if (isPlain(xml, QLatin1String("description"))) {
            const std::optional<QString> format =
                sparkleAttribute(xml.attributes(), QStringLiteral("format"));
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!description) {
                description = text;
                descriptionFormat = format;
            }
        } else if (isSparkle(xml, QLatin1String("releaseNotesLink"))) {
            element(notesLink);
        } else if (isSparkle(xml, QLatin1String("version"))) {
            element(versionElement);
        } else if (isSparkle(xml, QLatin1String("shortVersionString"))) {
            element(shortElement);
        } else if (isSparkle(xml, QLatin1String("channel"))) {
            element(channel);
        } else if (isSparkle(xml, QLatin1String("minimumSystemVersion"))) {
            element(minimumSystem);
        } else if (isSparkle(xml, QLatin1String("maximumSystemVersion"))) {
            element(maximumSystem);
        } else if (isPlain(xml, QLatin1String("enclosure")) && !haveEnclosure) {
            haveEnclosure = true;
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.hasAttribute(QLatin1String("url")))
                enclosureURL = attributes.value(QLatin1String("url")).toString();
            versionAttribute = sparkleAttribute(attributes, QStringLiteral("version"));
            shortAttribute = sparkleAttribute(attributes, QStringLiteral("shortVersionString"));
            item.operatingSystem = sparkleAttribute(attributes, QStringLiteral("os")).value_or(QString());
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }

    // The enclosure's attribute wins wherever the element stands, then the element, then the file name.
    item.version = versionAttribute ? *versionAttribute
                   : versionElement ? *versionElement
                                    : versionInFileName(enclosureURL.value_or(QString())).value_or(QString());
    item.shortVersionString = shortAttribute.value_or(shortElement.value_or(QString()));
    item.title = title.value_or(QString());
    item.link = secureLink(link.value_or(QString()), feedURL);
    // Older feeds wrote addresses with spaces in them, which the framework still forgives.
    item.downloadURL =
        secureLink(enclosureURL.value_or(QString()).replace(QLatin1Char(' '), QLatin1String("%20")), feedURL);
    if (notesLink) {
        item.releaseNotesURL = secureLink(*notesLink, feedURL);
    } else if (description && (description->startsWith(QLatin1String("http://")) ||
                               description->startsWith(QLatin1String("https://")))) {
        // A description that is only an address stands for a release-notes link.
        item.releaseNotesURL = secureLink(*description, QUrl());
    } else if (description) {
        item.releaseNotes = *description;
        item.releaseNotesFormat = notesFormat(descriptionFormat);
    }
    if (channel && isValidChannel(*channel))
        item.channel = *channel;
    item.minimumSystemVersion = minimumSystem.value_or(QString());
    item.maximumSystemVersion = maximumSystem.value_or(QString());
    return item;
}

} // namespace

bool Appcast::isSecureAddress(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme != QLatin1String("http"))
        return false;
    const QString host = url.host().toLower();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

Result<QList<AppcastItem>> Appcast::parse(const QByteArray &data, const QUrl &feedURL)
{
    using Items = Result<QList<AppcastItem>>;
    if (data.trimmed().isEmpty())
        return Items::failure(QCoreApplication::translate("Appcast", "the document is empty"));
    QXmlStreamReader xml(data);
    QList<AppcastItem> items;
    bool sawChannel = false;

    if (!xml.readNextStartElement()) {
        if (xml.hasError())
            return Items::failure(QCoreApplication::translate("Appcast", "line %1: %2")
                                      .arg(xml.lineNumber())
                                      .arg(xml.errorString()));
        return Items::failure(QCoreApplication::translate("Appcast", "the document is empty"));
    }
    if (!isPlain(xml, QLatin1String("rss")))
        return Items::failure(
            QCoreApplication::translate("Appcast", "it is not an RSS feed (its root element is <%1>)")
                .arg(xml.qualifiedName()));

    while (xml.readNextStartElement()) {
        if (!isPlain(xml, QLatin1String("channel"))) {
            xml.skipCurrentElement();
            continue;
        }
        sawChannel = true;
        while (xml.readNextStartElement()) {
            if (!isPlain(xml, QLatin1String("item"))) {
                xml.skipCurrentElement();
                continue;
            }
            AppcastItem item = readItem(xml, feedURL);
            if (AppVersion(item.version).isValid())
                items << item;
        }
    }
    // Read to the end: a feed cut off half-way (or with junk after </rss>) is not a feed.
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError())
        return Items::failure(QCoreApplication::translate("Appcast", "line %1: %2")
                                  .arg(xml.lineNumber())
                                  .arg(xml.errorString()));
    if (!sawChannel)
        return Items::failure(QCoreApplication::translate("Appcast", "the feed has no <channel>"));
    return items;
}

bool Appcast::isForThisMac(const AppcastItem &item, const QString &systemVersion)
{
    if (!item.channel.isEmpty())
        return false;
    if (!item.operatingSystem.isEmpty() && item.operatingSystem != operatingSystemName())
        return false;
    if (systemVersion.isEmpty())
        return true;
    // The limits are inclusive: a release for "13.0" and later runs on 13.0 itself.
    const AppVersion system(systemVersion);
    if (!item.minimumSystemVersion.isEmpty() &&
        AppVersion::compare(AppVersion(item.minimumSystemVersion), system) > 0)
        return false;
    return item.maximumSystemVersion.isEmpty() ||
           AppVersion::compare(AppVersion(item.maximumSystemVersion), system) >= 0;
}

std::optional<AppcastItem> Appcast::newestItem(const QList<AppcastItem> &items, const QString &systemVersion)
{
    std::optional<AppcastItem> newest;
    for (const AppcastItem &item : items) {
        if (!isForThisMac(item, systemVersion))
            continue;
        // Of equal versions the first in the feed wins, as with the framework.
        if (!newest || AppVersion::compare(AppVersion(newest->version), AppVersion(item.version)) < 0)
            newest = item;
    }
    return newest;
}

} // namespace velmora
