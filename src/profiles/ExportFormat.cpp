#include "ExportFormat.h"

namespace velmora {

QString rawValue(ExportFormat format)
{
    switch (format) {
    case ExportFormat::mobileconfig: return QStringLiteral("mobileconfig");
    case ExportFormat::script: return QStringLiteral("script");
    case ExportFormat::ansible: return QStringLiteral("ansible");
    case ExportFormat::nix: return QStringLiteral("nix");
    }
    Q_UNREACHABLE();
    return QString();
}

std::optional<ExportFormat> exportFormatFromRawValue(const QString &raw)
{
    for (ExportFormat format : allExportFormats()) {
        if (rawValue(format) == raw)
            return format;
    }
    return std::nullopt;
}

const QList<ExportFormat> &allExportFormats()
{
    static const QList<ExportFormat> all = {ExportFormat::mobileconfig, ExportFormat::script,
                                            ExportFormat::ansible, ExportFormat::nix};
    return all;
}

QString fileExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::mobileconfig: return QStringLiteral("mobileconfig");
    case ExportFormat::script: return QStringLiteral("sh");
    case ExportFormat::ansible: return QStringLiteral("yml");
    case ExportFormat::nix: return QStringLiteral("nix");
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace velmora
