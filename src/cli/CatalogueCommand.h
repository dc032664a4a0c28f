#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

class QTextStream;

namespace velmora {

class TweakRegistry;

/// The catalogue as one JSON object: {"categories": [...], "tweaks": [...]}, the shape tooling reads.
QVariantMap catalogueJson(const TweakRegistry &registry);

/// The catalogue as a readable table: category, id, kind, default.
QString catalogueTable(const TweakRegistry &registry);

/// `velmoractl catalogue [--json]`. Returns the exit status.
int runCatalogueCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace velmora
