#pragma once

#include "platform/SymbolImages.h"

#include <QHash>
#include <QPixmap>
#include <QRawFont>
#include <QString>
#include <QStringList>

namespace velmora {

/// Symbol images drawn from the Material Design Icons font (the Debian package
/// fonts-materialdesignicons-webfont). Each known name maps to the closest glyph of the font, drawn
/// centred in a square pixmap. A name not in the table, and every name when the font cannot be loaded,
/// is drawn as a rounded outline square instead.
///
/// The font is loaded on first use, which needs a QGuiApplication. Like any QPixmap producer, use it
/// from the GUI thread only.
class FontSymbolImages : public SymbolImages {
public:
    /// $VELMORA_SYMBOL_FONT, else where Debian's package puts the font. The variable serves
    /// systems whose package manager has no such font (a Mac running the tests).
    static QString defaultFontPath();

    explicit FontSymbolImages(QString fontPath = defaultFontPath());

    /// A square pixmap of `pointSize × devicePixelRatio` pixels (at least 1, at most 2048) carrying that
    /// ratio. A ratio that is not positive counts as 1. Repeated requests return the same cached pixmap.
    QPixmap symbol(const QString &name, const QColor &color, qreal pointSize,
                   qreal devicePixelRatio = 1.0) const override;
    /// True only for a name in the table whose glyph the loaded font has.
    bool hasSymbol(const QString &name) const override;

    /// Every name in the table, in table order.
    static QStringList knownNames();
    /// The font's code point for a name in the table; 0 for any other name.
    static char16_t codepoint(const QString &name);

private:
    bool fontLoaded() const;
    QPixmap render(const QString &name, const QColor &color, int side) const;

    QString m_fontPath;
    mutable bool m_fontTried = false;
    /// The font, read from its file; invalid when it could not be loaded.
    mutable QRawFont m_rawFont;
    mutable QHash<QString, QPixmap> m_cache;
};

} // namespace velmora
