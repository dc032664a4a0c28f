#pragma once

#include "common/Result.h"

#include <QString>

namespace velmora {

/// What a configuration profile needs beyond the values; the other formats ignore it.
struct ExportOptions {
    /// Set-Once: the values are set when the profile is installed and the user may change them later.
    /// Otherwise they are Forced: kept as they are for as long as the profile stays installed.
    bool setOnce = false;
    /// The reverse-DNS name the profile's identifier is and its payloads' identifiers start with.
    /// A device keeps one profile per identifier, so a later export under the same one replaces it.
    QString identifierPrefix = defaultIdentifierPrefix();

    static QString defaultIdentifierPrefix() { return QStringLiteral("dev.corrandelwick.Velmora.settings"); }
    /// Refuses a prefix that is not reverse-DNS: labels of letters, digits and hyphens joined by dots.
    static Status checkIdentifierPrefix(const QString &prefix);
};

} // namespace velmora
