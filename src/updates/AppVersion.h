#pragma once

#include <QList>
#include <QString>

namespace velmora {

/// A version as feeds and bundles write it ("1.2", "1.10.3", "2.0b1"), compared by its numeric
/// components: "1.10" is newer than "1.9", and "1.2" is the same as "1.2.0". Text after the numbers
/// marks a pre-release, older than the plain release of the same numbers ("2.0b1" < "2.0").
class AppVersion {
public:
    AppVersion() = default;
    explicit AppVersion(const QString &text);

    const QString &text() const { return m_text; }
    /// Whether the text begins with a number at all; "", "beta" and "v" are not versions.
    bool isValid() const { return !m_components.isEmpty(); }
    const QList<qulonglong> &components() const { return m_components; }
    /// What follows the numeric components, without the separator ("b1", "beta.2"); empty for a release.
    const QString &suffix() const { return m_suffix; }

    /// Negative when `a` is older than `b`, zero when they are the same version, positive when newer.
    static int compare(const AppVersion &a, const AppVersion &b);

    friend bool operator<(const AppVersion &a, const AppVersion &b) { return compare(a, b) < 0; }
    friend bool operator==(const AppVersion &a, const AppVersion &b) { return compare(a, b) == 0; }

private:
    QString m_text;
    QList<qulonglong> m_components;
    QString m_suffix;
};

} // namespace velmora
