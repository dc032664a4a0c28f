#pragma once

#include "ProfileExporter.h"

namespace velmora {

/// A configuration profile (an XML property list) that a device-management server installs: one
/// managed-preferences payload mapping each domain to its values, Forced or Set-Once, and a desktop
/// payload for a picture given by its path on the Mac.
class MobileconfigExporter : public ProfileExporter {
public:
    explicit MobileconfigExporter(ExportOptions options) : m_options(std::move(options)) {}

protected:
    Result<QByteArray> renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const override;

private:
    ExportOptions m_options;
};

} // namespace velmora
