#pragma once

#include <QString>
#include <QUrl>

namespace velmora {

/// One release in an update feed: an RSS `<item>` with its `<enclosure>`. Links are absolute https
/// addresses (or http ones to this machine), or empty when the feed gave none that could be opened
/// safely.
struct AppcastItem {
    /// How the notes written into the feed are marked up (`<description sparkle:format=…>`).
    enum class NotesFormat { html, plainText, markdown };

    QString title;
    /// The machine version compared with the running one: the enclosure's `sparkle:version`, else
    /// the item's `<sparkle:version>`, else what follows the last "_" of the download's file name.
    QString version;
    /// The version shown to people ("sparkle:shortVersionString"); may be empty.
    QString shortVersionString;
    /// The enclosure's address: the download itself.
    QUrl downloadURL;
    /// The item's `<link>`: a page about the release.
    QUrl link;
    QUrl releaseNotesURL;
    /// The release notes written into the feed (`<description>`), when it has no link to them.
    QString releaseNotes;
    NotesFormat releaseNotesFormat = NotesFormat::html;
    /// A channel other than the default one ("beta"); empty for the default channel.
    QString channel;
    /// The system the enclosure is for ("macos", "windows"); empty when the feed does not say.
    QString operatingSystem;
    /// The oldest and newest macOS the release runs on ("13.0"); empty when there is no limit.
    QString minimumSystemVersion;
    QString maximumSystemVersion;

    /// What a person reads: the short version string, else the version.
    QString displayVersion() const { return shortVersionString.isEmpty() ? version : shortVersionString; }
    /// Where "Download" leads: the enclosure, else the release's page.
    QUrl downloadPage() const { return downloadURL.isEmpty() ? link : downloadURL; }
};

} // namespace velmora
