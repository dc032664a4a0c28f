#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

/// An application found in one of the application folders.
struct InstalledApp {
    /// The bundle's file URL exactly as the folder listing gave it (a folder's with a trailing slash).
    QUrl url;
    /// The name shown, sorted and searched by.
    QString name;
    std::optional<QString> bundleIdentifier;

    QString path() const { return url.toLocalFile(); }

    friend bool operator==(const InstalledApp &a, const InstalledApp &b)
    {
        return a.url == b.url && a.name == b.name && a.bundleIdentifier == b.bundleIdentifier;
    }
    friend bool operator!=(const InstalledApp &a, const InstalledApp &b) { return !(a == b); }
};

} // namespace velmora
