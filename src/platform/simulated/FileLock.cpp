#include "FileLock.h"

#include <QDeadlineTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace velmora {

namespace {

// Waits for flock(2) on `fd` for at most `timeout`. The wait blocks, so the kernel wakes the waiter
// the moment the holder lets go; a writer that polled instead could lose every race to one that
// writes again at once. flock(2) itself cannot time out, so a helper thread does the waiting; when
// the time is up it is left to finish alone and lets the lock go as soon as it gets it.
// Returns 0 or the errno; ETIMEDOUT when the time ran out (the helper then owns `fd`).
int waitForLock(int fd, std::chrono::milliseconds timeout)
{
    struct Wait {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool abandoned = false;
        int error = 0;
    };
    const auto wait = std::make_shared<Wait>();
    try {
        std::thread([fd, wait] {
            int result;
            do
                result = ::flock(fd, LOCK_EX);
            while (result != 0 && errno == EINTR);
            const int error = result == 0 ? 0 : errno;
            const std::lock_guard<std::mutex> guard(wait->mutex);
            if (wait->abandoned) {
                ::close(fd);
                return;
            }
            wait->finished = true;
            wait->error = error;
            wait->done.notify_one();
        }).detach();
    } catch (const std::system_error &e) {
        return e.code().value() != 0 ? e.code().value() : EAGAIN;
    }
    std::unique_lock<std::mutex> guard(wait->mutex);
    if (!wait->done.wait_for(guard, timeout, [&] { return wait->finished; })) {
        wait->abandoned = true;
        return ETIMEDOUT;
    }
    return wait->error;
}

Result<FileLock> failure(const QString &lockPath, const QString &reason)
{
    return Result<FileLock>::failure(QStringLiteral("Could not lock %1: %2").arg(lockPath, reason));
}

QString reason(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

} // namespace

FileLock::FileLock(FileLock &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_lockPath(std::move(other.m_lockPath))
{
}

FileLock &FileLock::operator=(FileLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_lockPath = std::move(other.m_lockPath);
    }
    return *this;
}

FileLock::~FileLock()
{
    release();
}

QString FileLock::lockFilePath(const QString &path)
{
    return path + QStringLiteral(".lock");
}

Result<FileLock> FileLock::acquire(const QString &path, std::chrono::milliseconds timeout)
{
    const QString lockPath = lockFilePath(path);
    const QByteArray name = QFile::encodeName(lockPath);
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return failure(lockPath, reason(errno));
        // Mostly nobody holds it, and no thread is needed.
        int error = 0;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && (error = errno) == EINTR)
            error = 0;
        if (error == EWOULDBLOCK) {
            error = waitForLock(fd, std::chrono::milliseconds(std::max<qint64>(deadline.remainingTime(), 0)));
            if (error == ETIMEDOUT)
                return failure(lockPath, QStringLiteral("another writer has held it for more than %1 s")
                                             .arg(double(timeout.count()) / 1000.0));
        }
        if (error != 0) {
            ::close(fd);
            return failure(lockPath, reason(error));
        }
        // A holder removes the sidecar as it lets go; a lock on a removed sidecar guards nothing, as
        // the next writer makes a new one. The lock counts only on the sidecar that is there now.
        struct stat held = {};
        struct stat current = {};
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &current) == 0 &&
            held.st_dev == current.st_dev && held.st_ino == current.st_ino)
            return FileLock(fd, name);
        ::close(fd);
        if (deadline.hasExpired())
            return failure(lockPath, QStringLiteral("it keeps being replaced"));
    }
}

void FileLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so nobody can take the lock on this sidecar and count it valid.
    ::unlink(m_lockPath.constData());
    ::close(m_fd);
    m_fd = -1;
}

} // namespace velmora
