#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

Result<QByteArray> RegularFile::read(const QString &path, qint64 maxBytes)
{
    using R = Result<QByteArray>;
    const QByteArray encoded = QFile::encodeName(path);
    // Non-blocking, so opening a pipe that nobody writes returns at once instead of waiting for a
    // writer; the descriptor is then looked at, not read.
    Descriptor fd(::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return R::failure(QStringLiteral("Could not read %1: %2").arg(path, systemReason(errno)));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return R::failure(QStringLiteral("Could not read %1: %2").arg(path, systemReason(errno)));
    if (S_ISDIR(info.st_mode))
        return R::failure(QStringLiteral("%1 is a folder, not a file").arg(path));
    if (!S_ISREG(info.st_mode))
        return R::failure(
            QStringLiteral("%1 is not a regular file (a pipe, a device or a socket)").arg(path));
    if (info.st_size > maxBytes)
        return R::failure(QStringLiteral("%1 is too large (%2 bytes)").arg(path).arg(qint64(info.st_size)));

    // Read into a buffer of the size the file has now; a file that grows meanwhile is read on.
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() >= maxBytes) {
                char probe;
                if (::read(fd.get(), &probe, 1) > 0)
                    return R::failure(QStringLiteral("%1 is too large").arg(path));
                break;
            }
            bytes.resize(qMin<qint64>(maxBytes, qint64(bytes.size()) + 65536));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return R::failure(QStringLiteral("Could not read %1: %2").arg(path, systemReason(errno)));
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace velmora
