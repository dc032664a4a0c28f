#pragma once

#include "ExportFormat.h"
#include "ExportOptions.h"
#include "ExportPlan.h"

#include <QByteArray>

#include <memory>

namespace velmora {

/// Writes a profile in one of the export formats. Each format says what it cannot carry (a per-machine
/// key, a picture that is not a preference); those values are listed, never dropped unsaid.
class ProfileExporter {
public:
    /// The file's bytes and every value left out of it, with why.
    struct Output {
        QByteArray bytes;
        QList<ExportPlan::Skip> skipped;
    };

    virtual ~ProfileExporter() = default;

    static std::unique_ptr<ProfileExporter> make(ExportFormat format, ExportOptions options = {});

    /// The export of a profile's values. Fails only when the file cannot be made at all.
    Result<Output> render(const Profile &profile, const TweakRegistry &registry) const;
    /// The export of a plan made from a profile (or by hand).
    Result<Output> render(const ExportPlan &plan) const;
    /// Renders, then replaces `path` whole; a failure leaves any file there as it was. Gives what was
    /// left out.
    Result<QList<ExportPlan::Skip>> write(const Profile &profile, const TweakRegistry &registry,
                                          const QString &path) const;

protected:
    /// The file of a plan; values the format cannot carry go to `skipped`.
    virtual Result<QByteArray> renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const = 0;

    /// "Velmora profile "NAME", made 2026-01-02 10:11 UTC", on one line, for the file's first comment.
    static QString headline(const ExportPlan &plan);
};

} // namespace velmora
