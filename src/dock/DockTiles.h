#pragma once

// The Dock's tiles: how a tile dictionary of "persistent-apps" or "persistent-others" becomes an
// entry, and an entry a tile.

#include "DockAppEntry.h"
#include "DockOtherEntry.h"

#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace velmora {

/// A URL text that follows RFC 3986 (no spaces, no characters URLs do not allow); non-ASCII
/// letters are accepted and encoded. Empty text is no URL.
std::optional<QUrl> urlFromText(const QString &text);

/// The text a tile stores for a URL: fully encoded, except that a "#" inside the fragment stays as it
/// was written ("file:///a#b#c"). Qt's own text would write it "%23", which reads back as a
/// different URL, so a tile read and written again would no longer be the same tile.
QString tileURLText(const QUrl &url);

/// The URL of a tile's "file-data" → "_CFURLString": the text as it is, else the text
/// percent-decoded (kept as it was when the decoding fails) and parsed again.
std::optional<QUrl> tileURL(const QVariantMap &tileData);

/// The URL's last path component, decoded ("file:///Applications/App%20Store.app/" → "App Store.app").
QString lastPathComponent(const QUrl &url);
/// The last path component without its extension ("App Store").
QString labelFromURL(const QUrl &url);

/// The entry of an application tile, or nothing when the tile has no usable "tile-data",
/// "file-data" or URL. The "tile-type" is not looked at.
std::optional<DockAppEntry> parseAppTile(const QVariantMap &tile);
/// The entry of a tile of the others part, or nothing when a tile other than a spacer has no
/// "tile-data" dictionary. Each entry gets a new identity.
std::optional<DockOtherEntry> parseOtherTile(const QVariantMap &tile);

/// The tile the Dock reads for an entry, with a fresh "GUID". When the entry came from a tile,
/// every key of that tile stays, at both levels, except the ones the Dock's format fixes: those
/// are written anew, and a fixed key whose condition fails is left out.
QVariantMap makeAppTile(const DockAppEntry &entry);
QVariantMap makeOtherTile(const DockOtherEntry &entry);

/// A fresh tile "GUID": uniformly drawn from 1,000,000,000 to 9,999,999,999.
qint64 newTileGUID();

} // namespace velmora
