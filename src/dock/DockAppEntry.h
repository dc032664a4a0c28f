#pragma once

#include "common/Result.h"

#include <QJsonObject>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace velmora {

/// One tile of the Dock's application part.
struct DockAppEntry {
    /// The bundle's location as the Dock stores it (normally a file URL with a trailing slash).
    QUrl url;
    QString label;
    std::optional<QString> bundleIdentifier;

    /// The tile this entry was read from, when it was read from one. The Dock keeps keys we do not
    /// model (bookmarks, modification dates, …); writing the entry back starts from this tile so
    /// none of them is lost. Invisible to equality and to the JSON form.
    QVariantMap sourceTile;

    /// The entry's identity in lists: the URL's absolute text.
    QString id() const { return urlText(); }
    /// The URL's text as the Dock stores it (see tileURLText).
    QString urlText() const;

    /// {"url", "label", "bundleIdentifier" (left out when absent)}.
    QJsonObject toJson() const;
    /// A missing "url" or "label", a value of the wrong type or a "url" that is no valid URL is an
    /// error.
    static Result<DockAppEntry> fromJson(const QJsonValue &json);

    /// URLs compare by their text: QUrl's own == can tell apart two URLs with the same text (a "#"
    /// inside a fragment, kept raw when parsed and encoded once written back).
    friend bool operator==(const DockAppEntry &a, const DockAppEntry &b)
    {
        return a.urlText() == b.urlText() && a.label == b.label && a.bundleIdentifier == b.bundleIdentifier;
    }
    friend bool operator!=(const DockAppEntry &a, const DockAppEntry &b) { return !(a == b); }
};

size_t qHash(const DockAppEntry &entry, size_t seed = 0) noexcept;

} // namespace velmora
