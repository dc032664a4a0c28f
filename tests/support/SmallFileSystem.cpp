#include "SmallFileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace velmora::test {

namespace {

const char kMarker[] = "VELMORA_TEST_OWN_MOUNT_NAMESPACE";

QString lastLineWith(const QString &text, const QString &start)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (lines[i].startsWith(start))
            return lines[i].trimmed();
    }
    return QString();
}

Status runMount(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("mount"), arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return Status::failure(
            QStringLiteral("mount failed: %1 %2")
                .arg(process.errorString(), QString::fromUtf8(process.readAllStandardError())));
    return Status::success();
}

} // namespace

bool SmallFileSystem::inOwnNamespace()
{
    return qEnvironmentVariableIsSet(kMarker);
}

SmallFileSystem::Rerun SmallFileSystem::rerunCurrentTest()
{
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    const char *tag = QTest::currentDataTag();
    if (tag && *tag)
        function += QLatin1Char(':') + QString::fromUtf8(tag);
    const QStringList self{QStringLiteral("--"), QCoreApplication::applicationFilePath(), function};

    // Root may make a mount namespace directly; anyone may try a user namespace in which they are root.
    QList<QStringList> ways;
    if (::geteuid() == 0)
        ways << QStringList{QStringLiteral("--mount"), QStringLiteral("--propagation"),
                            QStringLiteral("private")};
    ways << QStringList{QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                        QStringLiteral("--mount")};

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kMarker), QStringLiteral("1"));
    QString refusals;
    for (const QStringList &way : ways) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("unshare"), way + self);
        if (!process.waitForStarted(10000))
            return {Outcome::skipped,
                    QStringLiteral("no mount namespace: `unshare` could not be started (%1)")
                        .arg(process.errorString())};
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished(5000);
            return {Outcome::failed, QStringLiteral("the run in its own mount namespace took over a minute")};
        }
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (!out.contains(QLatin1String("Totals:")) && err.startsWith(QLatin1String("unshare:"))) {
            refusals += err;
            continue;
        }
        if (out.contains(QLatin1String("FAIL!")) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0 || !out.contains(QLatin1String("Totals:")))
            return {Outcome::failed, QStringLiteral("in its own mount namespace:\n") + out + err};
        const QString skipped = lastLineWith(out, QStringLiteral("SKIP   :"));
        if (!skipped.isEmpty())
            return {Outcome::skipped, skipped};
        return {Outcome::passed, QString()};
    }
    return {Outcome::skipped, QStringLiteral("no mount namespace can be made here: ") + refusals.trimmed()};
}

SmallFileSystem::SmallFileSystem(int kibibytes)
{
    if (!inOwnNamespace())
        m_mounted =
            Status::failure(QStringLiteral("refusing to mount outside the test's own mount namespace"));
    else if (!m_dir.isValid())
        m_mounted = Status::failure(QStringLiteral("no temporary folder: %1").arg(m_dir.errorString()));
    else
        m_mounted = runMount({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                              QStringLiteral("size=%1k,mode=0755").arg(kibibytes),
                              QStringLiteral("velmora-test"), m_dir.path()});
}

SmallFileSystem::~SmallFileSystem()
{
    if (!m_mounted)
        return;
    QProcess process;
    process.start(QStringLiteral("umount"), {QStringLiteral("--lazy"), m_dir.path()});
    process.waitForFinished(10000);
}

Status SmallFileSystem::makeReadOnly() const
{
    if (!m_mounted)
        return m_mounted;
    return runMount({QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), m_dir.path()});
}

Status SmallFileSystem::fill() const
{
    if (!m_mounted)
        return m_mounted;
    const QByteArray path = QFile::encodeName(m_dir.path() + QStringLiteral("/filler"));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::failure(QString::fromStdString(std::generic_category().message(errno)));
    // Big pieces first, then smaller ones, down to the last byte that fits.
    const QByteArray zeros(64 * 1024, '\0');
    int error = 0;
    for (qsizetype piece = zeros.size(); piece > 0; piece /= 2) {
        for (;;) {
            const ssize_t written = ::write(fd, zeros.constData(), size_t(piece));
            if (written < 0 && errno == EINTR)
                continue;
            if (written == piece)
                continue;
            if (written < 0)
                error = errno;
            break;
        }
        if (error != 0 && error != ENOSPC)
            break;
    }
    ::close(fd);
    if (error != ENOSPC)
        return Status::failure(QStringLiteral("the disk did not fill up (%1)")
                                   .arg(QString::fromStdString(std::generic_category().message(error))));
    return Status::success();
}

} // namespace velmora::test
