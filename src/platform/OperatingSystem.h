#pragma once

#include "common/Result.h"

#include <QString>

namespace velmora {

/// The running operating system itself, as opposed to the services it offers.
class OperatingSystem {
public:
    virtual ~OperatingSystem() = default;

    /// The marketing version of the running macOS ("15.1", "14.7.2"), as "About This Mac" shows it
    /// and as update feeds name the systems a release needs. An error when it cannot be learnt.
    virtual Result<QString> productVersion() const = 0;

    /// A version as the system writes it in SystemVersion.plist: major and minor always, the patch
    /// only when there is one ("15.1", "14.7.2", "26.0").
    static QString versionText(qint64 major, qint64 minor, qint64 patch);
};

} // namespace velmora
