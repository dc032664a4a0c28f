#include "Appcast.h"

#include "AppVersion.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace velmora {

namespace {

// Only links a browser opens are kept: a feed is downloaded from the network, and an address like
// "file:///…" or a custom scheme must never reach the workspace's opener.
QUrl webLink(const QString &text, const QUrl &base)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid())
        return {};
    if (url.isRelative() && base.isValid())
        url = base.resolved(url);
    const QString scheme = url.scheme().toLower();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty())
        return {};
    return url;
}

bool isSparkle(const QXmlStreamReader &xml, QLatin1String name)
{
    return xml.namespaceUri() == Appcast::sparkleNamespace() && xml.name() == name;
}

bool isPlain(const QXmlStreamReader &xml, QLatin1String name)
{
    return xml.namespaceUri().isEmpty() && xml.name() == name;
}

QString sparkleAttribute(const QXmlStreamAttributes &attributes, const QString &name)
{
    return attributes.value(Appcast::sparkleNamespace(), name).toString().trimmed();
}

AppcastItem readItem(QXmlStreamReader &xml, const QUrl &feedURL)
{
    AppcastItem item;
    bool haveEnclosure = false;
    while (xml.readNextStartElement()) {
        if (isPlain(xml, QLatin1String("title"))) {
            item.title = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (isPlain(xml, QLatin1String("link"))) {
            item.link = webLink(xml.readElementText(QXmlStreamReader::IncludeChildElements), feedURL);
        } else if (isSparkle(xml, QLatin1String("releaseNotesLink"))) {
            item.releaseNotesURL =
                webLink(xml.readElementText(QXmlStreamReader::IncludeChildElements), feedURL);
        } else if (isSparkle(xml, QLatin1String("version"))) {
            item.version = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (isSparkle(xml, QLatin1String("shortVersionString"))) {
            item.shortVersionString = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (isSparkle(xml, QLatin1String("channel"))) {
            item.channel = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (isPlain(xml, QLatin1String("enclosure")) && !haveEnclosure) {
            // The enclosure's attributes win over the item's elements, as in older feeds where they
            // are the only place the version is written.
            haveEnclosure = true;
            const QXmlStreamAttributes attributes = xml.attributes();
            item.downloadURL = webLink(attributes.value(QLatin1String("url")).toString(), feedURL);
            if (const QString v = sparkleAttribute(attributes, QStringLiteral("version")); !v.isEmpty())
                item.version = v;
            if (const QString s = sparkleAttribute(attributes, QStringLiteral("shortVersionString"));
                !s.isEmpty())
                item.shortVersionString = s;
            item.operatingSystem = sparkleAttribute(attributes, QStringLiteral("os")).toLower();
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    return item;
}

} // namespace

QString Appcast::operatingSystemName()
{
#if defined(Q_OS_MACOS)
    return QStringLiteral("macos");
#elif defined(Q_OS_WIN)
    return QStringLiteral("windows");
#else
    return QStringLiteral("linux");
#endif
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

std::optional<AppcastItem> Appcast::newestItem(const QList<AppcastItem> &items)
{
    std::optional<AppcastItem> newest;
    for (const AppcastItem &item : items) {
        if (!item.channel.isEmpty())
            continue;
        if (!item.operatingSystem.isEmpty() && item.operatingSystem != operatingSystemName())
            continue;
        if (!newest || AppVersion::compare(AppVersion(item.version), AppVersion(newest->version)) > 0)
            newest = item;
    }
    return newest;
}

} // namespace velmora
