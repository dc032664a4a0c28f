#include "ProfileDocument.h"

#include "common/AtomicFile.h"
#include "common/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace velmora {

Result<ProfileDocument> ProfileDocument::read(const QString &path)
{
    using R = Result<ProfileDocument>;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        return R::failure(
            QCoreApplication::translate("ProfileDocument",
                                        "The file “%1” couldn’t be opened because there is no such file.")
                .arg(name));
    if (!info.isFile())
        return R::failure(
            QCoreApplication::translate(
                "ProfileDocument", "The file “%1” couldn’t be opened because it isn’t in the correct format.")
                .arg(name));
    // Read without blocking on a pipe that was put there since the check above.
    const Result<QByteArray> bytes = RegularFile::read(path);
    if (!bytes)
        return R::failure(
            QCoreApplication::translate("ProfileDocument", "The file “%1” couldn’t be opened: %2")
                .arg(name, bytes.error()));
    Result<Profile> profile = Profile::decode(*bytes);
    if (!profile)
        return R::failure(profile.error());
    return ProfileDocument(std::move(profile).value());
}

Status ProfileDocument::write(const QString &path) const
{
    const Result<QByteArray> bytes = m_profile.encode();
    if (!bytes)
        return Status::failure(
            QCoreApplication::translate("ProfileDocument", "The profile could not be encoded: %1")
                .arg(bytes.error()));
    const Status written = AtomicFile::write(path, *bytes);
    if (!written)
        return Status::failure(
            QCoreApplication::translate("ProfileDocument", "The profile could not be saved: %1")
                .arg(written.error()));
    return written;
}

} // namespace velmora
