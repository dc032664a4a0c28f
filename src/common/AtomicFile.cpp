#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace velmora {

namespace {

// A file name holds at most 255 bytes; the temporary's own part (".", ".tmp-", the pid, "-XXXXXX")
// needs at most 23 of them, so a longer target name is shortened in its temporaries.
constexpr qsizetype kMaxTargetNameBytes = 255 - 23;
constexpr int kRandomLength = 6;
const QLatin1String kRandomAlphabet("abcdefghijklmnopqrstuvwxyz0123456789");

QString temporaryPrefix(const QString &targetFileName)
{
    QString name = targetFileName;
    while (name.toUtf8().size() > kMaxTargetNameBytes)
        name.chop(name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1);
    return QLatin1Char('.') + name + QStringLiteral(".tmp-");
}

QString reason(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

Status failure(const QString &path, int error)
{
    return Status::failure(QStringLiteral("%1: %2").arg(path, reason(error)));
}

// The file a write lands in: a symbolic link is followed, as an editor saving through it would.
QString resolvedTarget(const QString &path)
{
    QFileInfo info(path);
    int depth = 128;
    while (--depth > 0 && info.isSymLink())
        info.setFile(info.symLinkTarget());
    return depth > 0 ? info.filePath() : path;
}

// Writes everything or reports why not: write(2) may stop early (a signal, a nearly full disk).
int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(std::min<qsizetype>(left, qsizetype(1) << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return ENOSPC; // no progress and no error: nothing more will fit
        data += written;
        left -= written;
    }
    return 0;
}

} // namespace

bool AtomicFile::isTemporaryOf(const QString &fileName, const QString &targetFileName, qint64 *pid)
{
    const QString prefix = temporaryPrefix(targetFileName);
    if (!fileName.startsWith(prefix))
        return false;
    // What follows is "PID-XXXXXX" and nothing else.
    const QString rest = fileName.mid(prefix.size());
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash <= 0 || rest.size() - dash - 1 != kRandomLength)
        return false;
    const QString digits = rest.left(dash);
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const qint64 number = digits.size() <= 10 ? digits.toLongLong() : 0;
    if (number <= 0 || number > INT_MAX)
        return false;
    for (QChar c : rest.mid(dash + 1)) {
        if (!kRandomAlphabet.contains(c))
            return false;
    }
    if (pid)
        *pid = number;
    return true;
}

void AtomicFile::removeStaleTemporaries(const QString &path)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        qint64 pid = 0;
        if (!isTemporaryOf(entry, target.fileName(), &pid) || pid == ::getpid())
            continue;
        // Only a writer that is gone for sure loses its temporary; one still running may rename it yet.
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            ::unlink(QFile::encodeName(folder.filePath(entry)).constData());
    }
}

Status AtomicFile::write(const QString &path, const QByteArray &bytes)
{
    return write(path, QList<QByteArray>{bytes});
}

Status AtomicFile::write(const QString &path, const QList<QByteArray> &pieces)
{
    const QString target = resolvedTarget(path);
    const QByteArray targetName = QFile::encodeName(target);

    // A replaced file keeps its permissions. One the user has made read-only stays as it is: its
    // folder may allow a rename, but the file itself says no.
    struct stat existing = {};
    const bool replacing = ::stat(targetName.constData(), &existing) == 0;
    if (replacing) {
        if (S_ISDIR(existing.st_mode))
            return failure(target, EISDIR);
        if (::access(targetName.constData(), W_OK) != 0)
            return failure(target, errno);
    }

    removeStaleTemporaries(target);

    const QFileInfo info(target);
    const QString prefix = info.absolutePath() + QLatin1Char('/') + temporaryPrefix(info.fileName()) +
                           QString::number(::getpid()) + QLatin1Char('-');
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        QString random;
        for (int i = 0; i < kRandomLength; ++i)
            random += kRandomAlphabet[int(QRandomGenerator::global()->bounded(kRandomAlphabet.size()))];
        temporary = QFile::encodeName(prefix + random);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            return failure(target, errno);
    }
    if (fd < 0)
        return failure(target, EEXIST);

    int error = 0;
    if (replacing && ::fchmod(fd, existing.st_mode & 07777) != 0)
        error = errno;
    for (const QByteArray &piece : pieces) {
        if (error == 0)
            error = writeAll(fd, piece);
    }
    // The data reaches the disk before the name does, so a power cut leaves the old file or the new.
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    // close() is where some file systems report a write that did not fit after all.
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), targetName.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return failure(target, error);
    }
    return Status::success();
}

} // namespace velmora
