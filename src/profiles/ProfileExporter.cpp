#include "ProfileExporter.h"

#include "AnsibleExporter.h"
#include "MobileconfigExporter.h"
#include "NixExporter.h"
#include "ScriptExporter.h"
#include "common/AtomicFile.h"

#include <QCoreApplication>

namespace velmora {

std::unique_ptr<ProfileExporter> ProfileExporter::make(ExportFormat format, ExportOptions options)
{
    switch (format) {
    case ExportFormat::mobileconfig: return std::make_unique<MobileconfigExporter>(std::move(options));
    case ExportFormat::script: return std::make_unique<ScriptExporter>();
    case ExportFormat::ansible: return std::make_unique<AnsibleExporter>();
    case ExportFormat::nix: return std::make_unique<NixExporter>();
    }
    Q_UNREACHABLE();
    return nullptr;
}

Result<ProfileExporter::Output> ProfileExporter::render(const Profile &profile,
                                                        const TweakRegistry &registry) const
{
    return render(ExportPlan::make(profile, registry));
}

Result<ProfileExporter::Output> ProfileExporter::render(const ExportPlan &plan) const
{
    Output output;
    output.skipped = plan.skipped;
    Result<QByteArray> bytes = renderPlan(plan, output.skipped);
    if (!bytes)
        return Result<Output>::failure(bytes.error());
    output.bytes = std::move(bytes).value();
    return output;
}

Result<QList<ExportPlan::Skip>> ProfileExporter::write(const Profile &profile, const TweakRegistry &registry,
                                                       const QString &path) const
{
    Result<Output> output = render(profile, registry);
    if (!output)
        return Result<QList<ExportPlan::Skip>>::failure(
            QCoreApplication::translate("ProfileExporter", "The export could not be made: %1")
                .arg(output.error()));
    const Status written = AtomicFile::write(path, output->bytes);
    if (!written)
        return Result<QList<ExportPlan::Skip>>::failure(
            QCoreApplication::translate("ProfileExporter", "The export could not be saved: %1")
                .arg(written.error()));
    return output->skipped;
}

QString ProfileExporter::headline(const ExportPlan &plan)
{
    return ExportPlan::oneLine(QStringLiteral("Velmora profile \"%1\", made %2")
                                   .arg(plan.profileName, plan.createdAt.toUTC().toString(
                                                              QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"))));
}

} // namespace velmora
