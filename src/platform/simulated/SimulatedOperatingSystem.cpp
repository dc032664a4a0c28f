#include "SimulatedOperatingSystem.h"

#include "plist/PropertyList.h"

namespace velmora {

Result<QString> SimulatedOperatingSystem::productVersion() const
{
    // Read on every call: a test or a user may "upgrade" the simulated Mac while the app runs.
    const QString path = m_root.systemVersionFile();
    const Result<QVariant> plist = PropertyList::readFile(path);
    if (!plist)
        return Result<QString>::failure(plist.error());
    const QVariant version = plist->toMap().value(QStringLiteral("ProductVersion"));
    const QString text = version.typeId() == QMetaType::QString ? version.toString().trimmed() : QString();
    if (text.isEmpty())
        return Result<QString>::failure(QStringLiteral("%1 names no ProductVersion").arg(path));
    return text;
}

} // namespace velmora
