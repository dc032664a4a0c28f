#pragma once

#include <QString>
#include <QUrl>

namespace velmora {

/// One release in an update feed: an RSS `<item>` with its `<enclosure>`. Links are absolute http or
/// https addresses, or empty when the feed gave none that could be opened safely.
struct AppcastItem {
    QString title;
    /// The machine version compared with the running one ("sparkle:version").
    QString version;
    /// The version shown to people ("sparkle:shortVersionString"); may be empty.
    QString shortVersionString;
    /// The enclosure's address: the download itself.
    QUrl downloadURL;
    /// The item's `<link>`: a page about the release.
    QUrl link;
    QUrl releaseNotesURL;
    /// A channel other than the default one ("beta"); empty for the default channel.
    QString channel;
    /// The system the enclosure is for ("macos", "linux"); empty when the feed does not say.
    QString operatingSystem;

    /// What a person reads: the short version string, else the version.
    QString displayVersion() const { return shortVersionString.isEmpty() ? version : shortVersionString; }
    /// Where "Download" leads: the enclosure, else the release's page.
    QUrl downloadPage() const { return downloadURL.isEmpty() ? link : downloadURL; }
};

} // namespace velmora
