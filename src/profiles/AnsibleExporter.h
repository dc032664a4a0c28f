#pragma once

#include "ProfileExporter.h"

namespace velmora {

/// A YAML list of Ansible tasks: one `community.general.osx_defaults` task per preference, then one
/// `killall` per process to restart. Every text is a double-quoted YAML string marked `!unsafe`, so
/// Ansible neither splits it nor expands a `{{ … }}` inside it.
class AnsibleExporter : public ProfileExporter {
public:
    /// `text` as a double-quoted YAML string.
    static QString quoted(const QString &text);

protected:
    Result<QByteArray> renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const override;
};

} // namespace velmora
