// Symbol images drawn from the installed Material Design Icons font: every name the app uses has a
// real glyph, glyphs come out in the requested colour and size, and unknown names or a missing font
// still give something visible.

#include "catalogue/TweakRegistry.h"
#include "platform/simulated/FontSymbolImages.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace {

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
    return QString::asprintf("%d touched, %d solid, %d stray, max alpha %d, bounds %d,%d %dx%d", ink.touched,
                             ink.solid, ink.stray, ink.maxAlpha, ink.bounds.x(), ink.bounds.y(),
                             ink.bounds.width(), ink.bounds.height())
        .toUtf8();
}

} // namespace

class TestSymbols : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everySymbolTheAppNamesHasItsGlyph_data();
    void everySymbolTheAppNamesHasItsGlyph();
    void glyphIsDrawnInTheRequestedColourAndSize_data();
    void glyphIsDrawnInTheRequestedColourAndSize();
    void dockBarSitsAtTheBottomAndMenuBarAtTheTop();
    void fallbackIsVisible_data();
    void fallbackIsVisible();
    void repeatedRequestsShareOnePixmap();
};

void TestSymbols::initTestCase()
{
    QVERIFY2(QFile::exists(FontSymbolImages::defaultFontPath()),
             "install fonts-materialdesignicons-webfont: the symbol font is missing");
}

void TestSymbols::everySymbolTheAppNamesHasItsGlyph_data()
{
    QTest::addColumn<QString>("symbol");
    // The names of the symbol table and of every category's symbol.
    QStringList names = FontSymbolImages::knownNames();
    for (const TweakCategory &c : TweakRegistry::shared().categories())
        names << c.symbol;
    names.removeDuplicates();
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestSymbols::everySymbolTheAppNamesHasItsGlyph()
{
    QFETCH(QString, symbol);
    const FontSymbolImages symbols;
    QVERIFY2(symbols.hasSymbol(symbol), "the font lacks the glyph");

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

void TestSymbols::fallbackIsVisible_data()
{
    QTest::addColumn<QString>("font"); // the installed font, or an unusable one
    QTest::addColumn<QString>("name");
    const auto row = [](const char *tag, const char *font, const char *name) {
        QTest::newRow(tag) << QString(font) << QString(name);
    };
    row("unknown", "installed", "no.such.symbol");
    row("empty", "installed", "");
    row("case differs", "installed", "Folder.Fill");
    row("trailing space", "installed", "folder.fill ");
    row("newer symbol", "installed", "figure.walk");
    row("no such font file", "missing", "folder.fill");
    row("font path is a folder", "folder", "folder.fill");
    row("not a font", "text", "folder.fill");
    row("empty font path", "empty", "folder.fill");
}

void TestSymbols::fallbackIsVisible()
{
    QFETCH(QString, font);
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = FontSymbolImages::defaultFontPath();
    if (font == QLatin1String("missing"))
        path = dir.filePath(QStringLiteral("gone.ttf"));
    else if (font == QLatin1String("folder"))
        path = dir.path();
    else if (font == QLatin1String("empty"))
        path.clear();
    if (font == QLatin1String("text")) {
        path = dir.filePath(QStringLiteral("fake.ttf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("this is not a font\n") > 0);
    }
    const FontSymbolImages symbols(path);
    QVERIFY(!symbols.hasSymbol(name));
    // An unknown name has no code point; a known one keeps its code point without the font.
    QCOMPARE(FontSymbolImages::codepoint(name) != 0, font != QLatin1String("installed"));

    const QColor color(142, 142, 147);
    const QPixmap pixmap = symbols.symbol(name, color, 16, 1.5);
    QCOMPARE(pixmap.size(), QSize(24, 24));
    QCOMPARE(pixmap.devicePixelRatio(), 1.5);
    const Ink ink = measure(straightImage(pixmap), color);
    QVERIFY2(ink.solid >= 24, describe(ink).constData());
    QVERIFY2(ink.stray == 0, describe(ink).constData());
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
