// Symbol images drawn from the installed Material Design Icons font: every name the app uses has a
// real glyph, glyphs come out in the requested colour and size, and unknown names or a missing font
// still give something visible.

#include "catalogue/TweakRegistry.h"
#include "platform/FontSymbolImages.h"

#include <QFile>
#include <QImage>
#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace {

const QString kSvgPath =
    QStringLiteral("/usr/share/fonts/svg/materialdesignicons-webfont/materialdesignicons-webfont.svg");

// Every symbol the app names, with the glyph of the font it must be drawn with.
struct Expected {
    const char *symbol;
    const char *glyph;
};

const Expected kExpected[] = {
    // The catalogue's categories.
    {"paintbrush.fill", "brush"},
    {"accessibility", "human"},
    {"speaker.wave.3.fill", "volume-high"},
    {"dock.rectangle", "application"},
    {"rectangle.stack.fill", "layers"},
    {"photo.fill", "image"},
    {"folder.fill", "folder"},
    {"desktopcomputer", "desktop-mac"},
    {"square.grid.3x2.fill", "view-module"},
    {"camera.viewfinder", "image-filter-center-focus"},
    {"keyboard", "keyboard"},
    {"computermouse.fill", "mouse"},
    {"rectangle.fill.on.rectangle.fill", "checkbox-multiple-blank"},
    {"menubar.rectangle", "application"},
    {"lock.fill", "lock"},
    {"globe", "web"},
    {"arrow.triangle.2.circlepath", "sync"},
    {"network", "lan"},
    {"person.crop.circle.fill", "account-circle"},
    {"safari.fill", "compass"},
    {"message.fill", "message"},
    {"music.note", "music-note"},
    {"doc.richtext.fill", "note-text"},
    {"clock.arrow.circlepath", "history"},
    {"hammer.fill", "wrench"},
    {"chart.bar.xaxis", "chart-bar"},
    {"gearshape.fill", "settings"},
    // The views.
    {"paperplane.fill", "send"},
    {"gearshape.2.fill", "settings"},
    {"magnifyingglass", "magnify"},
    {"xmark.circle.fill", "close-circle"},
    {"exclamationmark.triangle.fill", "alert"},
    {"arrow.uturn.backward", "undo-variant"},
    {"lock.shield.fill", "security"},
    {"arrow.right", "arrow-right"},
    {"square.and.arrow.up", "upload"},
    {"square.and.arrow.down", "download"},
    {"checkmark.circle.fill", "check-circle"},
    {"checkmark.circle", "check-circle-outline"},
    {"app.fill", "checkbox-blank"},
    {"link.circle.fill", "link-variant"},
    {"minus.circle.fill", "minus-circle"},
    {"plus.circle.fill", "plus-circle"},
    {"plus", "plus"},
    {"square.grid.2x2.fill", "view-grid"},
    {"display", "monitor"},
    {"photo", "image-area"},
    {"photo.badge.plus", "shape-square-plus"},
    {"doc.text", "file-document"},
    {"pencil.circle.fill", "pencil"},
    {"trash", "delete"},
    {"arrow.clockwise", "refresh"},
    {"arrow.counterclockwise", "replay"},
    {"questionmark.circle", "help-circle-outline"},
    {"info.circle", "information-outline"},
};

// What a pixmap holds, measured against the colour it was asked for.
struct Ink {
    /// Pixels with any coverage, and their bounds.
    int touched = 0;
    QRect bounds;
    /// Pixels covered at least three quarters as much as the colour's own alpha.
    int solid = 0;
    /// Clearly covered pixels whose colour is not the requested one.
    int stray = 0;
    int maxAlpha = 0;
    /// Sum of coverage, in whole pixels.
    qreal coverage = 0;
};

QImage straightImage(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool cornersClear(const QImage &image)
{
    const int r = image.width() - 1;
    const int b = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(r, 0)) == 0 &&
           qAlpha(image.pixel(0, b)) == 0 && qAlpha(image.pixel(r, b)) == 0;
}

Ink measure(const QImage &image, const QColor &color)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            const int a = qAlpha(px);
            if (a == 0)
                continue;
            ++ink.touched;
            ink.bounds |= QRect(x, y, 1, 1);
            ink.maxAlpha = qMax(ink.maxAlpha, a);
            ink.coverage += a / 255.0;
            if (a * 4 >= color.alpha() * 3)
                ++ink.solid;
            // Un-premultiplying faint pixels loses precision; judge the colour where it is clear.
            if (a >= 96) {
                const int off = qMax(qMax(qAbs(qRed(px) - color.red()), qAbs(qGreen(px) - color.green())),
                                     qAbs(qBlue(px) - color.blue()));
                if (off > 6)
                    ++ink.stray;
            }
        }
    }
    return ink;
}

QByteArray describe(const Ink &ink)
{
    return QStringLiteral("%1 touched, %2 solid, %3 stray, max alpha %4, bounds %5,%6 %7x%8")
        .arg(ink.touched)
        .arg(ink.solid)
        .arg(ink.stray)
        .arg(ink.maxAlpha)
        .arg(ink.bounds.x())
        .arg(ink.bounds.y())
        .arg(ink.bounds.width())
        .arg(ink.bounds.height())
        .toUtf8();
}

// Glyph names of the font by code point, from the SVG edition shipped with it.
QHash<char16_t, QString> glyphNamesByCodepoint()
{
    QHash<char16_t, QString> names;
    QFile file(kSvgPath);
    if (!file.open(QIODevice::ReadOnly))
        return names;
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression glyph(
        QStringLiteral("glyph-name=\"([^\"]+)\"\\s+unicode=\"&#x([0-9A-Fa-f]+);\""));
    for (auto it = glyph.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        names.insert(char16_t(m.captured(2).toUInt(nullptr, 16)), m.captured(1));
    }
    return names;
}

} // namespace

class TestSymbols : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everySymbolTheAppNamesHasItsGlyph_data();
    void everySymbolTheAppNamesHasItsGlyph();
    void everyCategoryAndTableNameIsCovered();
    void glyphIsDrawnInTheRequestedColourAndSize_data();
    void glyphIsDrawnInTheRequestedColourAndSize();
    void dockBarSitsAtTheBottomAndMenuBarAtTheTop();
    void unknownNameDrawsAVisibleFallback_data();
    void unknownNameDrawsAVisibleFallback();
    void unusableFontDrawsVisibleFallbacks_data();
    void unusableFontDrawsVisibleFallbacks();
    void repeatedRequestsShareOnePixmap();

private:
    QHash<char16_t, QString> m_glyphNames;
    QRawFont m_font;
};

void TestSymbols::initTestCase()
{
    const QString fontPath = FontSymbolImages::defaultFontPath();
    QVERIFY2(QFile::exists(fontPath),
             "install fonts-materialdesignicons-webfont: the symbol font is missing");
    m_font = QRawFont(fontPath, 48);
    QVERIFY2(m_font.isValid(), "the symbol font does not load");
    m_glyphNames = glyphNamesByCodepoint();
    QVERIFY2(!m_glyphNames.isEmpty(), "the font's SVG edition, which names its glyphs, is missing");
}

void TestSymbols::everySymbolTheAppNamesHasItsGlyph_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("glyph");
    for (const Expected &e : kExpected)
        QTest::newRow(e.symbol) << QString::fromLatin1(e.symbol) << QString::fromLatin1(e.glyph);
}

void TestSymbols::everySymbolTheAppNamesHasItsGlyph()
{
    QFETCH(QString, symbol);
    QFETCH(QString, glyph);
    const FontSymbolImages symbols;

    const char16_t cp = FontSymbolImages::codepoint(symbol);
    QVERIFY2(cp != 0, qPrintable(QStringLiteral("unmapped symbol name: %1").arg(symbol)));
    QVERIFY2(FontSymbolImages::knownNames().contains(symbol), "knownNames() leaves it out");
    QVERIFY2(m_font.supportsCharacter(QChar(cp)),
             qPrintable(QStringLiteral("U+%1 is not in the font").arg(uint(cp), 4, 16, QLatin1Char('0'))));
    QVERIFY(!m_font.pathForGlyph(m_font.glyphIndexesForString(QString(QChar(cp))).value(0)).isEmpty());
    QCOMPARE(m_glyphNames.value(cp), glyph);
    QVERIFY(symbols.hasSymbol(symbol));

    // Drawn whole: inked in the colour, and clear of every edge, so nothing is cut off.
    const QColor color(Qt::white);
    const QImage image = straightImage(symbols.symbol(symbol, color, 48));
    QCOMPARE(image.size(), QSize(48, 48));
    const Ink ink = measure(image, color);
    QVERIFY2(ink.coverage >= 48 * 48 / 20, describe(ink).constData());
    QVERIFY2(ink.stray == 0, describe(ink).constData());
    QVERIFY2(cornersClear(image), describe(ink).constData());
    QVERIFY2(QRect(1, 1, 46, 46).contains(ink.bounds), describe(ink).constData());
}

void TestSymbols::everyCategoryAndTableNameIsCovered()
{
    const FontSymbolImages symbols;
    QStringList unmapped;
    for (const TweakCategory &c : TweakRegistry::shared().categories()) {
        if (!symbols.hasSymbol(c.symbol))
            unmapped.append(QStringLiteral("%1 (category %2)").arg(c.symbol, c.id));
    }
    QVERIFY2(unmapped.isEmpty(),
             qPrintable(QStringLiteral("unmapped: ") + unmapped.join(QStringLiteral(", "))));

    // A name added to the table must also be checked against the font's glyph names above.
    QSet<QString> checked;
    for (const Expected &e : kExpected)
        checked.insert(QString::fromLatin1(e.symbol));
    QStringList unchecked;
    for (const QString &name : FontSymbolImages::knownNames()) {
        if (!checked.contains(name))
            unchecked.append(name);
    }
    QVERIFY2(unchecked.isEmpty(),
             qPrintable(QStringLiteral("unchecked: ") + unchecked.join(QStringLiteral(", "))));
}

void TestSymbols::glyphIsDrawnInTheRequestedColourAndSize_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<qreal>("expectedRatio");

    // The sidebar badge (11 points) and the page header (28 points), on common screens.
    QTest::newRow("sidebar at 1x") << "folder.fill" << QColor(Qt::white) << 11.0 << 1.0 << 11 << 1.0;
    QTest::newRow("sidebar at 1.25x") << "plus" << QColor(Qt::white) << 11.0 << 1.25 << 14 << 1.25;
    QTest::newRow("header at 2x") << "paperplane.fill" << QColor(255, 59, 48) << 28.0 << 2.0 << 56 << 2.0;
    QTest::newRow("fractional ratio") << "globe" << QColor(0, 122, 255) << 16.0 << 1.5 << 24 << 1.5;
    QTest::newRow("translucent colour")
        << "lock.fill" << QColor(20, 200, 90, 128) << 32.0 << 1.0 << 32 << 1.0;
    QTest::newRow("zero ratio counts as 1") << "keyboard" << QColor(Qt::black) << 20.0 << 0.0 << 20 << 1.0;
    QTest::newRow("negative ratio counts as 1")
        << "keyboard" << QColor(Qt::black) << 20.0 << -2.0 << 20 << 1.0;
}

void TestSymbols::glyphIsDrawnInTheRequestedColourAndSize()
{
    QFETCH(QString, symbol);
    QFETCH(QColor, color);
    QFETCH(qreal, pointSize);
    QFETCH(qreal, ratio);
    QFETCH(int, pixels);
    QFETCH(qreal, expectedRatio);

    const FontSymbolImages symbols;
    const QPixmap pixmap = symbols.symbol(symbol, color, pointSize, ratio);
    QCOMPARE(pixmap.size(), QSize(pixels, pixels));
    QCOMPARE(pixmap.devicePixelRatio(), expectedRatio);

    const QImage image = straightImage(pixmap);
    const Ink ink = measure(image, color);
    QVERIFY2(ink.solid > 0, describe(ink).constData());
    QVERIFY2(ink.coverage >= pixels * pixels / 25.0, describe(ink).constData());
    QVERIFY2(ink.stray == 0, describe(ink).constData());
    QVERIFY2(ink.maxAlpha <= color.alpha() + 2, describe(ink).constData());
    QVERIFY2(cornersClear(image), describe(ink).constData());
}

void TestSymbols::dockBarSitsAtTheBottomAndMenuBarAtTheTop()
{
    const FontSymbolImages symbols;
    const QImage dock = straightImage(symbols.symbol(QStringLiteral("dock.rectangle"), Qt::black, 48));
    const QImage menuBar = straightImage(symbols.symbol(QStringLiteral("menubar.rectangle"), Qt::black, 48));
    auto inkOfRows = [](const QImage &image, int fromRow, int toRow) {
        qint64 sum = 0;
        for (int y = fromRow; y < toRow; ++y) {
            for (int x = 0; x < image.width(); ++x)
                sum += qAlpha(image.pixel(x, y));
        }
        return sum;
    };
    QVERIFY(inkOfRows(dock, 24, 48) * 10 > inkOfRows(dock, 0, 24) * 11);
    QVERIFY(inkOfRows(menuBar, 0, 24) * 10 > inkOfRows(menuBar, 24, 48) * 11);

    // One is the other upside down.
    const QImage mirrored = menuBar.mirrored(false, true);
    int differing = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            if (qAbs(qAlpha(dock.pixel(x, y)) - qAlpha(mirrored.pixel(x, y))) > 64)
                ++differing;
        }
    }
    QVERIFY2(differing <= 48, qPrintable(QString::number(differing)));
}

void TestSymbols::unknownNameDrawsAVisibleFallback_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown") << "no.such.symbol";
    QTest::newRow("empty") << "";
    QTest::newRow("case differs") << "Folder.Fill";
    QTest::newRow("trailing space") << "folder.fill ";
    QTest::newRow("newer symbol") << "figure.walk";
}

void TestSymbols::unknownNameDrawsAVisibleFallback()
{
    QFETCH(QString, name);
    const FontSymbolImages symbols;
    QVERIFY(!symbols.hasSymbol(name));
    QCOMPARE(FontSymbolImages::codepoint(name), char16_t(0));

    const QColor color(142, 142, 147);
    const QPixmap pixmap = symbols.symbol(name, color, 20, 2);
    QCOMPARE(pixmap.size(), QSize(40, 40));
    QCOMPARE(pixmap.devicePixelRatio(), 2.0);
    const Ink ink = measure(straightImage(pixmap), color);
    QVERIFY2(ink.solid >= 40, describe(ink).constData());
    QVERIFY2(ink.stray == 0, describe(ink).constData());
}

void TestSymbols::unusableFontDrawsVisibleFallbacks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("no such file") << "missing";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("not a font") << "text";
    QTest::newRow("empty path") << "empty";
}

void TestSymbols::unusableFontDrawsVisibleFallbacks()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path;
    if (kind == QLatin1String("missing")) {
        path = dir.filePath(QStringLiteral("gone.ttf"));
    } else if (kind == QLatin1String("folder")) {
        path = dir.path();
    } else if (kind == QLatin1String("text")) {
        path = dir.filePath(QStringLiteral("fake.ttf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a font\n");
    }

    const FontSymbolImages symbols(path);
    for (const QString &name : {QStringLiteral("folder.fill"), QStringLiteral("no.such.symbol")}) {
        QVERIFY(!symbols.hasSymbol(name));
        const QColor color(Qt::white);
        const QPixmap pixmap = symbols.symbol(name, color, 16, 1.5);
        QCOMPARE(pixmap.size(), QSize(24, 24));
        const Ink ink = measure(straightImage(pixmap), color);
        QVERIFY2(ink.solid >= 24, describe(ink).constData());
        QVERIFY2(ink.stray == 0, describe(ink).constData());
    }
    // The table stays known even when the font is not there to draw it.
    QVERIFY(FontSymbolImages::codepoint(QStringLiteral("folder.fill")) != 0);
}

void TestSymbols::repeatedRequestsShareOnePixmap()
{
    const FontSymbolImages symbols;
    const QString name = QStringLiteral("gearshape.fill");
    const QPixmap first = symbols.symbol(name, Qt::white, 11, 2);
    QCOMPARE(symbols.symbol(name, Qt::white, 11, 2).cacheKey(), first.cacheKey());
    QCOMPARE(symbols.symbol(QStringLiteral("no.such.symbol"), Qt::white, 11, 2).cacheKey(),
             symbols.symbol(QStringLiteral("no.such.symbol"), Qt::white, 11, 2).cacheKey());

    // Anything that changes the picture is a different pixmap.
    QVERIFY(symbols.symbol(name, Qt::black, 11, 2).cacheKey() != first.cacheKey());
    QVERIFY(symbols.symbol(name, QColor(255, 255, 255, 254), 11, 2).cacheKey() != first.cacheKey());
    QVERIFY(symbols.symbol(name, Qt::white, 12, 2).cacheKey() != first.cacheKey());
    QVERIFY(symbols.symbol(name, Qt::white, 11, 1).cacheKey() != first.cacheKey());
    QVERIFY(symbols.symbol(QStringLiteral("gearshape.2.fill"), Qt::white, 11, 2).cacheKey() !=
            first.cacheKey());
}

QTEST_MAIN(TestSymbols)
#include "tst_symbols.moc"
