#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>

#include <chrono>

namespace velmora {

/// An exclusive lock on one file of the simulated Mac, between processes and between threads,
/// held from `acquire` until the object goes. The real preferences service lets one writer at a
/// time change a domain; every read-change-write of a file here holds its lock across the read,
/// the change and the rename, so no writer's change is lost to another's.
///
/// The lock is `flock(2)` on a sidecar "NAME.lock" beside the file (never "*.plist", so no tool
/// takes it for a domain). The kernel drops it when its holder dies, so a killed writer leaves no
/// stale lock; the sidecar itself is removed when the lock is released.
class FileLock {
public:
    /// How long `acquire` waits by default. Writes take milliseconds; a wait this long means a
    /// holder that is stuck, and an error says so instead of hanging.
    static constexpr std::chrono::milliseconds defaultTimeout{10000};

    FileLock() = default;
    FileLock(FileLock &&other) noexcept;
    FileLock &operator=(FileLock &&other) noexcept;
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    ~FileLock();

    /// The sidecar that carries the lock of `path`.
    static QString lockFilePath(const QString &path);
    /// Waits for the lock of `path`. The folder must exist; the file itself need not.
    static Result<FileLock> acquire(const QString &path, std::chrono::milliseconds timeout = defaultTimeout);

private:
    FileLock(int fd, QByteArray lockPath) : m_fd(fd), m_lockPath(std::move(lockPath)) {}
    void release();

    int m_fd = -1;
    QByteArray m_lockPath;
};

} // namespace velmora
