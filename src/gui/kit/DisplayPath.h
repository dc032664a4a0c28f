#pragma once

#include <QString>

class QFontMetrics;

namespace velmora {

/// How every view shows a file's path: inside the home folder as "~/…", elsewhere as it is, and,
/// where it does not fit, shortened in the middle so that its start and its last name stay.
namespace DisplayPath {

/// `path` as the user reads it: "~" for the home folder itself, "~/…" for what lies inside it, and a
/// trailing "/" dropped. A path that already begins with "~" stays as it is.
QString abbreviated(const QString &path, const QString &home);

/// The abbreviated path, shortened in its middle to fit `width` pixels of `metrics`.
QString elided(const QString &path, const QString &home, const QFontMetrics &metrics, int width);

} // namespace DisplayPath

} // namespace velmora
