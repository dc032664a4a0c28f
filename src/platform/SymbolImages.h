#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace velmora {

/// The platform's named symbol images ("paperplane.fill", "folder.fill", …), drawn in one colour.
class SymbolImages {
public:
    virtual ~SymbolImages() = default;

    /// The symbol drawn `pointSize` points tall in `color`, for a screen of `devicePixelRatio`.
    /// A name the platform does not know gives a visible neutral fallback, never an empty image.
    virtual QPixmap symbol(const QString &name, const QColor &color, qreal pointSize,
                           qreal devicePixelRatio = 1.0) const = 0;

    /// Whether the name has an image of its own (not the fallback).
    virtual bool hasSymbol(const QString &name) const = 0;
};

} // namespace velmora
