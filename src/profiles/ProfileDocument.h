#pragma once

#include "Profile.h"

namespace velmora {

/// One profile as a file: read from any property-list file, written as XML in one piece.
class ProfileDocument {
public:
    explicit ProfileDocument(Profile profile) : m_profile(std::move(profile)) {}

    const Profile &profile() const { return m_profile; }

    /// A file without regular contents (a folder) is "not in the correct format"; otherwise the
    /// reading rules of a profile decide.
    static Result<ProfileDocument> read(const QString &path);

    /// Writes to a temporary file beside `path` and renames it into place, so a failed save never
    /// leaves a truncated profile and an existing file is only ever replaced by a complete one.
    Status write(const QString &path) const;

private:
    Profile m_profile;
};

} // namespace velmora
