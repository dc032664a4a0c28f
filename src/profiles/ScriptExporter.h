#pragma once

#include "ProfileExporter.h"

namespace velmora {

/// A `sh` script of `defaults write` lines, then one `killall` per process to restart: what people
/// keep in their dotfiles. Every word that comes from the profile is single-quoted, so no value can
/// reach the shell as anything but text.
class ScriptExporter : public ProfileExporter {
public:
    /// `text` as one shell word, single-quoted ("it's" becomes 'it'\''s').
    static QString quoted(const QString &text);
    /// The words after `defaults write DOMAIN KEY` for a value: the type flag and the value, an
    /// `-array` or `-dict` of them, or a quoted XML fragment for what is nested deeper.
    static QStringList valueWords(const QVariant &value);

protected:
    Result<QByteArray> renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const override;
};

} // namespace velmora
