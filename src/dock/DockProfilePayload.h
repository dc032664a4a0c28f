#pragma once

#include "DockAppEntry.h"
#include "DockOtherEntry.h"
#include "common/Result.h"

#include <QByteArray>
#include <QList>

namespace velmora {

/// The Dock's contents as the "dock.apps" tweak holds them: one compact JSON object with the
/// application part under "apps" and the others part under "others".
struct DockProfilePayload {
    QList<DockAppEntry> apps;
    QList<DockOtherEntry> others;

    QByteArray toJson() const;
    /// Both keys must be there and hold readable entries; other keys are ignored.
    static Result<DockProfilePayload> fromJson(const QByteArray &json);
    /// The older form profiles may still hold: a JSON array of application entries alone.
    static Result<QList<DockAppEntry>> appsFromJsonArray(const QByteArray &json);

    /// Whether two payloads hold the same tiles, leaving the others' identities out of it: two reads
    /// of an unchanged Dock are the same state.
    bool sameTilesAs(const DockProfilePayload &other) const;

    friend bool operator==(const DockProfilePayload &a, const DockProfilePayload &b)
    {
        return a.apps == b.apps && a.others == b.others;
    }
};

} // namespace velmora
