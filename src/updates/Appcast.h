#pragma once

#include "AppcastItem.h"
#include "common/Result.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <optional>

namespace velmora {

/// An update feed in the RSS appcast format: `<rss><channel>` with one `<item>` per release. It is
/// read by the rules of the update framework that reads the same feeds on a Mac, so both offer the
/// same release.
class Appcast {
public:
    /// The XML namespace of the appcast's own elements and attributes.
    static QString sparkleNamespace()
    {
        return QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");
    }
    /// The name this system goes by in an enclosure's `sparkle:os`. Every platform the app runs on
    /// is a Mac, the simulated one included.
    static QString operatingSystemName() { return QStringLiteral("macos"); }

    /// Whether a feed or a link from it may be used: https, or http to this machine (127.0.0.0/8,
    /// ::1, localhost), where nobody on the network can change what it says.
    static bool isSecureAddress(const QUrl &url);

    /// The releases of a feed, in feed order. Items without a version are left out; a document that
    /// is not well-formed XML or not an RSS channel is an error with a readable reason. Relative
    /// links are resolved against `feedURL`; links that are not secure addresses are dropped.
    static Result<QList<AppcastItem>> parse(const QByteArray &data, const QUrl &feedURL = QUrl());

    /// Whether a release is meant for everyone on this Mac: the default channel, an enclosure for
    /// macOS (or for no system in particular), and `systemVersion` within its minimum and maximum
    /// system versions. An empty `systemVersion` (unknown) passes every limit.
    static bool isForThisMac(const AppcastItem &item, const QString &systemVersion);

    /// The newest release meant for this Mac (the first of equal ones); nothing when there is none.
    static std::optional<AppcastItem> newestItem(const QList<AppcastItem> &items,
                                                 const QString &systemVersion = QString());
};

} // namespace velmora
