#pragma once

#include "platform/SymbolImages.h"

#include <QHash>

namespace velmora {

/// The system's symbol images, drawn in one colour at the size asked for. A name the system does
/// not know is drawn as the neutral fallback every backend shares. Use from the window's thread.
class MacSymbolImages : public SymbolImages {
public:
    QPixmap symbol(const QString &name, const QColor &color, qreal pointSize,
                   qreal devicePixelRatio = 1.0) const override;
    bool hasSymbol(const QString &name) const override;

private:
    mutable QHash<QString, QPixmap> m_cache;
};

} // namespace velmora
