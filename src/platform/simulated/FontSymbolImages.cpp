#include "FontSymbolImages.h"

#include "platform/SymbolCanvas.h"

#include <QFileInfo>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>

#include <iterator>
#include <utility>

namespace velmora {

namespace {

struct Glyph {
    const char *name;
    char16_t codepoint;
    /// Drawn upside down: the font lacks the symbol but has its mirror image.
    bool flipped = false;
};

// Each symbol name and the closest glyph of Material Design Icons 1.6.50 (its glyph name in the
// comment). That version lacks many newer icons, so some entries are approximations.
constexpr Glyph kGlyphs[] = {
    // The catalogue's categories.
    {"paintbrush.fill", 0xF0E3},                  // brush
    {"accessibility", 0xF2E6},                    // human
    {"speaker.wave.3.fill", 0xF57E},              // volume-high
    {"dock.rectangle", 0xF614, true},             // application, bar at the bottom
    {"rectangle.stack.fill", 0xF328},             // layers
    {"photo.fill", 0xF2E9},                       // image
    {"folder.fill", 0xF24B},                      // folder
    {"desktopcomputer", 0xF1C4},                  // desktop-mac
    {"square.grid.3x2.fill", 0xF573},             // view-module
    {"camera.viewfinder", 0xF2F1},                // image-filter-center-focus
    {"keyboard", 0xF30C},                         // keyboard
    {"computermouse.fill", 0xF37D},               // mouse
    {"rectangle.fill.on.rectangle.fill", 0xF136}, // checkbox-multiple-blank
    {"menubar.rectangle", 0xF614},                // application
    {"lock.fill", 0xF33E},                        // lock
    {"globe", 0xF59F},                            // web
    {"arrow.triangle.2.circlepath", 0xF4E6},      // sync
    {"network", 0xF317},                          // lan
    {"person.crop.circle.fill", 0xF009},          // account-circle
    {"safari.fill", 0xF18B},                      // compass
    {"message.fill", 0xF361},                     // message
    {"music.note", 0xF387},                       // music-note
    {"doc.richtext.fill", 0xF39E},                // note-text
    {"clock.arrow.circlepath", 0xF2DA},           // history
    {"hammer.fill", 0xF5B7},                      // wrench
    {"chart.bar.xaxis", 0xF128},                  // chart-bar
    {"gearshape.fill", 0xF493},                   // settings
    // The views.
    {"paperplane.fill", 0xF48A},               // send
    {"gearshape.2.fill", 0xF493},              // settings
    {"magnifyingglass", 0xF349},               // magnify
    {"xmark.circle.fill", 0xF159},             // close-circle
    {"exclamationmark.triangle.fill", 0xF026}, // alert
    {"arrow.uturn.backward", 0xF54D},          // undo-variant
    {"lock.shield.fill", 0xF483},              // security
    {"arrow.right", 0xF054},                   // arrow-right
    {"square.and.arrow.up", 0xF552},           // upload
    {"square.and.arrow.down", 0xF1DA},         // download
    {"square.and.arrow.up.on.square", 0xF207}, // export
    {"checkmark.circle.fill", 0xF5E0},         // check-circle
    {"checkmark.circle", 0xF5E1},              // check-circle-outline
    {"app.fill", 0xF12E},                      // checkbox-blank
    {"link.circle.fill", 0xF339},              // link-variant
    {"minus.circle.fill", 0xF376},             // minus-circle
    {"plus.circle.fill", 0xF417},              // plus-circle
    {"plus", 0xF415},                          // plus
    {"square.grid.2x2.fill", 0xF570},          // view-grid
    {"display", 0xF379},                       // monitor
    {"photo", 0xF2EB},                         // image-area
    {"photo.badge.plus", 0xF660},              // shape-square-plus
    {"doc.text", 0xF219},                      // file-document
    {"pencil.circle.fill", 0xF3EB},            // pencil
    {"trash", 0xF1C0},                         // delete
    {"arrow.clockwise", 0xF450},               // refresh
    {"arrow.counterclockwise", 0xF459},        // replay
    {"questionmark.circle", 0xF625},           // help-circle-outline
    {"info.circle", 0xF2FD},                   // information-outline
};

const Glyph *findGlyph(const QString &name)
{
    static const QHash<QString, const Glyph *> index = [] {
        QHash<QString, const Glyph *> h;
        for (const Glyph &g : kGlyphs)
            h.insert(QString::fromLatin1(g.name), &g);
        return h;
    }();
    return index.value(name, nullptr);
}

constexpr qsizetype kMaxCachedPixmaps = 512;
constexpr qreal kLoadedPixelSize = 64;

} // namespace

QString FontSymbolImages::defaultFontPath()
{
    const QString fromEnvironment = qEnvironmentVariable("VELMORA_SYMBOL_FONT");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStringLiteral(
        "/usr/share/fonts/truetype/materialdesignicons-webfont/materialdesignicons-webfont.ttf");
}

FontSymbolImages::FontSymbolImages(QString fontPath) : m_fontPath(std::move(fontPath)) {}

QPixmap FontSymbolImages::symbol(const QString &name, const QColor &color, qreal pointSize,
                                 qreal devicePixelRatio) const
{
    const qreal dpr = SymbolCanvas::ratio(devicePixelRatio);
    const int side = SymbolCanvas::pixelSide(pointSize, dpr);
    // The name goes last: the fields before it never hold the separator.
    const QString key = QString::number(side) + QLatin1Char('|') + QString::number(dpr, 'g', 17) +
                        QLatin1Char('|') + QString::number(quint64(color.rgba64()), 16) + QLatin1Char('|') +
                        name;
    const auto cached = m_cache.constFind(key);
    if (cached != m_cache.cend())
        return cached.value();

    QPixmap pixmap = render(name, color, side);
    pixmap.setDevicePixelRatio(dpr);
    if (m_cache.size() >= kMaxCachedPixmaps)
        m_cache.clear();
    m_cache.insert(key, pixmap);
    return pixmap;
}

bool FontSymbolImages::hasSymbol(const QString &name) const
{
    const Glyph *glyph = findGlyph(name);
    return glyph && fontLoaded() && m_rawFont.supportsCharacter(QChar(glyph->codepoint));
}

QStringList FontSymbolImages::knownNames()
{
    QStringList names;
    names.reserve(qsizetype(std::size(kGlyphs)));
    for (const Glyph &g : kGlyphs)
        names.append(QString::fromLatin1(g.name));
    return names;
}

char16_t FontSymbolImages::codepoint(const QString &name)
{
    const Glyph *glyph = findGlyph(name);
    return glyph ? glyph->codepoint : char16_t(0);
}

bool FontSymbolImages::fontLoaded() const
{
    if (m_fontTried)
        return m_rawFont.isValid();
    m_fontTried = true;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        qWarning("FontSymbolImages: no QGuiApplication, so symbols are drawn as placeholders");
        return false;
    }
    if (!QFileInfo(m_fontPath).isFile()) {
        qWarning("FontSymbolImages: no symbol font at %s, so symbols are drawn as placeholders",
                 qPrintable(m_fontPath));
        return false;
    }
    // Loaded straight from its file, not added to the font database: adding it has fontconfig scan
    // every one of its thousands of glyphs, and each size drawn through a QFont would be one more
    // database lookup. That cost about a quarter of the window's start.
    const QRawFont raw(m_fontPath, kLoadedPixelSize);
    if (raw.isValid())
        m_rawFont = raw;
    else
        qWarning("FontSymbolImages: %s is not a usable font, so symbols are drawn as placeholders",
                 qPrintable(m_fontPath));
    return m_rawFont.isValid();
}

QPixmap FontSymbolImages::render(const QString &name, const QColor &color, int side) const
{
    const Glyph *glyph = findGlyph(name);
    const bool drawGlyph = glyph && fontLoaded() && m_rawFont.supportsCharacter(QChar(glyph->codepoint));

    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    if (drawGlyph) {
        QRawFont font = m_rawFont;
        font.setPixelSize(side);
        const QList<quint32> indexes = font.glyphIndexesForString(QString(QChar(glyph->codepoint)));
        // The glyphs are drawn on a square em; centring the em box (the advance across, ascent and
        // descent down) keeps each icon's own padding.
        const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
        const qreal width = advances.isEmpty() ? side : advances.first().x();
        const qreal top = (side - (font.ascent() + font.descent())) / 2;
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(indexes);
        run.setPositions({QPointF(0, 0)});
        p.setPen(color);
        if (glyph->flipped) {
            p.translate(0, side);
            p.scale(1, -1);
        }
        p.drawGlyphRun(QPointF((side - width) / 2, top + font.ascent()), run);
    } else {
        SymbolCanvas::paintFallback(p, color, side);
    }
    p.end();
    return pixmap;
}

} // namespace velmora
