#pragma once

#include "AppcastItem.h"
#include "common/Result.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <optional>

namespace velmora {

/// An update feed in the RSS appcast format: `<rss><channel>` with one `<item>` per release, each
/// carrying its version on the `<enclosure>` (or in `sparkle:version` elements) and optionally a
/// release-notes link.
class Appcast {
public:
    /// The XML namespace of the appcast's own elements and attributes.
    static QString sparkleNamespace()
    {
        return QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");
    }
    /// The name this system goes by in an enclosure's `sparkle:os` ("linux" here, "macos" on a Mac).
    static QString operatingSystemName();

    /// The releases of a feed, in feed order. Items without a version are left out; a document that
    /// is not well-formed XML or not an RSS channel is an error with a readable reason. Relative
    /// links are resolved against `feedURL`; links that are not http or https are dropped.
    static Result<QList<AppcastItem>> parse(const QByteArray &data, const QUrl &feedURL = QUrl());

    /// The newest release meant for everyone on this system: default channel, no other system's
    /// enclosure. Nothing when the feed has none.
    static std::optional<AppcastItem> newestItem(const QList<AppcastItem> &items);
};

} // namespace velmora
