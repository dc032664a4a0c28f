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
    Result<QByteArray> bytes = RegularFile::read(path);
    if (!bytes)
        return R::failure(
            QCoreApplication::translate("ProfileDocument", "The file “%1” couldn’t be opened: %2")
                .arg(name, bytes.error()));
    Result<Profile> profile = Profile::decode(std::move(bytes).value());
    if (!profile)
        return R::failure(profile.error());
    return ProfileDocument(std::move(profile).value());
}

Status ProfileDocument::write(const QString &path) const
{
    const Result<QList<QByteArray>> pieces = m_profile.encodePieces();
    if (!pieces)
        return Status::failure(
            QCoreApplication::translate("ProfileDocument", "The profile could not be encoded: %1")
                .arg(pieces.error()));
    const Status written = AtomicFile::write(path, *pieces);
    if (!written)
        return Status::failure(
            QCoreApplication::translate("ProfileDocument", "The profile could not be saved: %1")
                .arg(written.error()));
    return written;
}

} // namespace velmora
