#pragma once

#include "Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace velmora {

/// Replaces whole files so that nobody ever sees a part of one: not a reader, not the next run
/// after a crash or a kill, not a full disk. The bytes go to a temporary file beside the target,
/// and only when every one of them was written, flushed and the file closed without error is the
/// temporary renamed over the target. Otherwise the temporary is removed and the target is left
/// exactly as it was.
///
/// Temporaries are hidden files named after the target and the writing process
/// (".NAME.tmp-PID-XXXXXX"); one left by a process that no longer runs is removed by the next write
/// of the same target.
class AtomicFile {
public:
    /// Writes `bytes` as the whole content of `path`. A replaced file keeps its permissions; a new
    /// one gets 0644 less the umask. A symbolic link is followed: the file it points to is replaced.
    /// The folder must exist. On failure the error names the file and the system's reason
    /// ("/x/y.plist: No space left on device").
    static Status write(const QString &path, const QByteArray &bytes);
    /// The same, with the content given as pieces written one after the other: a file of tens of
    /// megabytes need not be joined into one buffer first.
    static Status write(const QString &path, const QList<QByteArray> &pieces);

private:
    /// Whether `fileName` is the name of a temporary of a write of `targetFileName`; its writer's
    /// process id in `pid`.
    static bool isTemporaryOf(const QString &fileName, const QString &targetFileName, qint64 *pid = nullptr);

    /// Removes the temporaries of `path` whose writers no longer run.
    static void removeStaleTemporaries(const QString &path);
};

} // namespace velmora
