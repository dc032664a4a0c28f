#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace velmora {

/// The forms a profile can be exported in, for the tools that set Macs up without Velmora: a
/// configuration profile for device management, a `defaults` script for dotfiles, and task lists
/// for the two declarative engines (Ansible and nix-darwin). The raw values are the command line's.
enum class ExportFormat { mobileconfig, script, ansible, nix };

QString rawValue(ExportFormat format);
std::optional<ExportFormat> exportFormatFromRawValue(const QString &raw);
const QList<ExportFormat> &allExportFormats();
/// The extension a file of the format carries, without the dot: "mobileconfig", "sh", "yml", "nix".
QString fileExtension(ExportFormat format);

} // namespace velmora
