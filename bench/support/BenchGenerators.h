#pragma once

// What the benchmarks measure on: pictures of a given size and application folders of a given
// count, written by the project so anyone can lay out the same inputs (`bench_generate`).

#include <QSize>
#include <QString>
#include <QStringList>

namespace velmora::bench {

/// A PNG of random pixels of about `megabytes` (noise does not compress, so the file is about as
/// large as its pixels); returns `path`, or an empty string when it cannot be written.
QString writeNoisePicture(const QString &path, int megabytes);

/// A picture the size of a photograph: soft gradients and shapes, stored as JPEG as a camera would.
QString writeLargePhoto(const QString &path, QSize size);

/// A grayscale JPEG of `size`, for pictures far past what a preview should ever decode whole
/// (30000×30000): one byte a pixel while it is written, bands of gray that compress to a few
/// megabytes. Returns `path`, or an empty string when it cannot be written.
QString writeHugePicture(const QString &path, QSize size);

/// Moves every tweak of the simulated Mac at `root` away from where it stands (a toggle flipped, a
/// number a step along, the next option, a text and a folder of its own), through the engine as the
/// application writes, then saves a profile of all values to `file` as the application saves one.
/// Lays the root out first when it is not yet. Returns an empty string, or what went wrong.
QString writeProfileOfAllValues(const QString &root, const QString &file);

/// The five folders the scan reads, under `root`: /Applications, its Utilities, the system's two,
/// and the user's.
QStringList applicationFolders(const QString &root);

/// Lays out `bundles` application bundles across the application folders of `root`, most in
/// /Applications as on real machines: Info.plists half XML, half binary, one in seven with a display
/// name, one in fifty without any, and in each folder decoys the scan must pass over (a folder, a
/// bundle one level down, a document). Returns false when a file cannot be written.
bool layOutApplications(const QString &root, int bundles);

} // namespace velmora::bench
