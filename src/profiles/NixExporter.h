#pragma once

#include "ProfileExporter.h"

namespace velmora {

/// A nix-darwin module setting `system.defaults.CustomUserPreferences`: one attribute set per domain
/// holding its keys. Every text is a Nix string with `"`, `\` and `${` escaped, so nothing in a value
/// is read as Nix.
class NixExporter : public ProfileExporter {
public:
    /// `text` as a double-quoted Nix string.
    static QString quoted(const QString &text);

protected:
    Result<QByteArray> renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const override;
};

} // namespace velmora
