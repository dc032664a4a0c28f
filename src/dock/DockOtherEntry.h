#pragma once

#include "DockItemType.h"
#include "common/Result.h"

#include <QJsonObject>
#include <QUrl>
#include <QUuid>
#include <QVariantMap>

#include <optional>

namespace velmora {

/// One tile of the Dock's others part: a folder, a link, a spacer.
struct DockOtherEntry {
    /// Identity while the entry is held in memory; made afresh whenever an entry is created or
    /// read, never stored in the Dock.
    QUuid entryID;
    /// Absent for spacers and for tiles without a readable URL.
    std::optional<QUrl> url;
    QString label;
    DockItemType itemType = DockItemType::folder;
    /// The Dock's "displayas" and "arrangement", carried through unchanged.
    std::optional<qint64> displayAs;
    std::optional<qint64> arrangement;

    /// The tile this entry was read from, if any (see DockAppEntry::sourceTile). Invisible to
    /// equality and to the JSON form.
    QVariantMap sourceTile;

    /// An entry with a new identity.
    static DockOtherEntry make(std::optional<QUrl> url, QString label, DockItemType type,
                               std::optional<qint64> displayAs = std::nullopt,
                               std::optional<qint64> arrangement = std::nullopt);
    static DockOtherEntry spacer(bool small);

    /// The URL's text as the Dock stores it (see tileURLText); empty without a URL.
    QString urlText() const;
    /// The identity as JSON writes it: 36 characters, upper case, hyphenated.
    QString entryIDText() const;
    bool isSpacer() const
    {
        return itemType == DockItemType::spacer || itemType == DockItemType::smallSpacer;
    }

    /// {"entryID", "url" (left out when absent), "label", "itemType", "displayAs", "arrangement"
    /// (each left out when absent)}.
    QJsonObject toJson() const;
    /// "entryID", "url" (when present), "label" and "itemType" must be there with the right types; an
    /// unknown item type, an entryID that is no UUID or a url that is no valid URL is an error.
    static Result<DockOtherEntry> fromJson(const QJsonValue &json);

    /// Equal in everything but the identity: the same tile, read twice.
    bool sameTileAs(const DockOtherEntry &other) const;

    friend bool operator==(const DockOtherEntry &a, const DockOtherEntry &b)
    {
        return a.entryID == b.entryID && a.sameTileAs(b);
    }
    friend bool operator!=(const DockOtherEntry &a, const DockOtherEntry &b) { return !(a == b); }
};

size_t qHash(const DockOtherEntry &entry, size_t seed = 0) noexcept;

} // namespace velmora
