#pragma once

#include <QString>

namespace velmora {

/// A version as update feeds and bundles write it ("1.2", "1.10.3", "2.0b1", "240"), ordered
/// exactly as the update framework's standard comparator orders versions, so that a feed means
/// the same thing to this client as to the framework on a Mac:
///
/// - The text splits into runs of digits (numbers), runs of other characters (words) and single
///   separators (".", other punctuation, white space); everything from the first "-" after the
///   first character on is ignored ("1.2-rc1" is "1.2").
/// - Numbers compare by value, words by their characters (case matters), and any two separators
///   are equal.
/// - Leading numbers are padded with zeros to the same count, so "1.2" is the same as "1.2.0".
/// - A word is older than a number or separator in its place: "1.0b7" comes before "1.0", and
///   "1.0" before "1.0.1".
class AppVersion {
public:
    AppVersion() = default;
    explicit AppVersion(QString text) : m_text(std::move(text)) {}

    const QString &text() const { return m_text; }
    /// Whether there is anything to compare; an empty version names no release.
    bool isValid() const { return !m_text.isEmpty(); }

    /// Negative when `a` is older than `b`, zero when they are the same version, positive when newer.
    /// The framework answers "older" both ways for a leading "-" against a leading separator;
    /// callers that must agree with it call this with their arguments in the framework's order.
    static int compare(const AppVersion &a, const AppVersion &b);

private:
    QString m_text;
};

} // namespace velmora
