#include "Style.h"

#include "FusionStyle.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace velmora::Style {

namespace {

struct TintPair {
    QRgb light;
    QRgb dark;
};

// The system colours of the same names, light and dark.
TintPair tintPair(CategoryTint tint)
{
    switch (tint) {
    case CategoryTint::blue: return {0x007AFF, 0x0A84FF};
    case CategoryTint::indigo: return {0x5856D6, 0x5E5CE6};
    case CategoryTint::purple: return {0xAF52DE, 0xBF5AF2};
    case CategoryTint::pink: return {0xFF2D55, 0xFF375F};
    case CategoryTint::red: return {0xFF3B30, 0xFF453A};
    case CategoryTint::orange: return {0xFF9500, 0xFF9F0A};
    case CategoryTint::yellow: return {0xFFCC00, 0xFFD60A};
    case CategoryTint::green: return {0x34C759, 0x30D158};
    case CategoryTint::teal: return {0x30B0C7, 0x40C8E0};
    case CategoryTint::mint: return {0x00C7BE, 0x63E6E2};
    case CategoryTint::brown: return {0xA2845E, 0xAC8E68};
    case CategoryTint::gray: return {0x8E8E93, 0x98989D};
    }
    return {0x8E8E93, 0x98989D};
}

QFont scaled(qreal factor, QFont::Weight weight = QFont::Normal)
{
    QFont font = QApplication::font();
    const qreal base = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    font.setPointSizeF(base * factor);
    font.setWeight(weight);
    return font;
}

} // namespace

bool isDark()
{
    return QApplication::palette().color(QPalette::Window).lightness() < 128;
}

QColor tintColor(CategoryTint tint, bool dark)
{
    const TintPair pair = tintPair(tint);
    return QColor::fromRgb(dark ? pair.dark : pair.light);
}

QLinearGradient tintGradient(CategoryTint tint, const QRectF &rect, bool dark)
{
    const QColor base = tintColor(tint, dark);
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, base.lighter(118));
    gradient.setColorAt(1.0, base);
    return gradient;
}

QColor accent()
{
    // The system blue, for symbols, switches and rings; selections and prominent buttons, which carry
    // white text, use a deeper blue.
    return tintColor(CategoryTint::blue);
}

QColor orange()
{
    return tintColor(CategoryTint::orange);
}

QColor red()
{
    return tintColor(CategoryTint::red);
}

QColor green()
{
    return tintColor(CategoryTint::green);
}

QColor redText()
{
    return isDark() ? QColor(0xFF, 0x86, 0x80) : QColor(0xC4, 0x00, 0x1A);
}

QColor orangeText()
{
    return isDark() ? QColor(0xFF, 0xB3, 0x40) : QColor(0xA8, 0x3A, 0x00);
}

QColor greenText()
{
    return isDark() ? QColor(0x30, 0xDB, 0x5B) : QColor(0x17, 0x70, 0x2F);
}

QColor accentText()
{
    return isDark() ? QColor(0x5A, 0xA9, 0xFF) : QColor(0x00, 0x57, 0xBF);
}

// The two lower text levels stay readable (4.5:1) on every background a page draws, the search
// bar's grey included; tertiary is the fainter of the two but no fainter than that.
QColor secondaryText()
{
    QColor c = QApplication::palette().color(QPalette::WindowText);
    c.setAlphaF(0.72);
    return c;
}

QColor tertiaryText()
{
    QColor c = QApplication::palette().color(QPalette::WindowText);
    c.setAlphaF(isDark() ? 0.6 : 0.66);
    return c;
}

QColor secondaryBackground()
{
    return isDark() ? QColor(0x2C, 0x2C, 0x2E) : QColor(0xFF, 0xFF, 0xFF);
}

QColor tertiaryBackground()
{
    return isDark() ? QColor(0x3A, 0x3A, 0x3C) : QColor(0xE9, 0xE9, 0xEB);
}

QColor separator()
{
    QColor c = QApplication::palette().color(QPalette::WindowText);
    c.setAlphaF(0.15);
    return c;
}

QFont headline()
{
    return scaled(1.0, QFont::DemiBold);
}

QFont subheadline()
{
    return scaled(0.92);
}

QFont callout()
{
    return scaled(0.96);
}

QFont caption()
{
    return scaled(0.85);
}

QFont title2()
{
    return scaled(1.55, QFont::Bold);
}

QFont title3()
{
    return scaled(1.35);
}

QFont largeTitle()
{
    return scaled(2.4, QFont::Bold);
}

QFont monospacedDigits(const QFont &base)
{
    QFont font = base;
    font.setStyleHint(QFont::Monospace);
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    return font;
}

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    // A plain frame draws its line in the text colour.
    setTextColor(line, separator());
    return line;
}

QColor prominentFill()
{
    return QColor(0x00, 0x63, 0xE1);
}

QColor prominentText()
{
    return Qt::white;
}

void setProminent(QPushButton *button)
{
    // Fusion would draw the palette's button colour as a pale gradient under the white text; a style
    // sheet draws the fill as it is. The colours are the same in light and dark, so nothing has to
    // follow a change of appearance. The hover and pressed fills keep the text as readable.
    button->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: 2px solid %1; border-radius: 6px;"
                       " padding: 3px 14px; font-weight: 600; }"
                       "QPushButton:hover { background: #1A70E0; border-color: #1A70E0; }"
                       "QPushButton:pressed { background: #0052BD; border-color: #0052BD; }"
                       "QPushButton:focus { border-color: #9CC3FF; }"
                       "QPushButton:disabled { background: rgba(0, 99, 225, 0.4); border-color: transparent;"
                       " color: rgba(255, 255, 255, 0.75); }")
            .arg(prominentFill().name(), prominentText().name()));
}

void setRoundedBorder(QLineEdit *field)
{
    // The palette roles resolve against the field's own palette, light or dark.
    field->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(mid); border-radius: 6px;"
                                        " padding: 3px 6px; background: palette(base); }"
                                        "QLineEdit:focus { border: 2px solid palette(highlight);"
                                        " padding: 2px 5px; }"));
}

void setTextColor(QWidget *widget, const QColor &color)
{
    // Labels and frames draw with the window text, text fields and item views with the text role,
    // and buttons (a disclosure's label) with the button text.
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::ButtonText, color);
    widget->setPalette(p);
}

void setSecondaryText(QWidget *widget)
{
    setTextColor(widget, secondaryText());
}

QPalette lightPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xEC, 0xEC, 0xEC));
    p.setColor(QPalette::WindowText, QColor(0x1D, 0x1D, 0x1F));
    p.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::AlternateBase, QColor(0xF5, 0xF5, 0xF7));
    p.setColor(QPalette::Text, QColor(0x1D, 0x1D, 0x1F));
    p.setColor(QPalette::Button, QColor(0xFA, 0xFA, 0xFA));
    p.setColor(QPalette::ButtonText, QColor(0x1D, 0x1D, 0x1F));
    p.setColor(QPalette::Mid, QColor(0xB8, 0xB8, 0xBD));
    p.setColor(QPalette::Highlight, QColor(0x00, 0x63, 0xE1));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0x63, 0x63, 0x66));
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::ToolTipText, QColor(0x1D, 0x1D, 0x1F));
    p.setColor(QPalette::Link, QColor(0x00, 0x62, 0xCC));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0xA0, 0xA0, 0xA5));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xA0, 0xA0, 0xA5));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xA0, 0xA0, 0xA5));
    return p;
}

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x1E, 0x1E, 0x1E));
    p.setColor(QPalette::WindowText, QColor(0xF5, 0xF5, 0xF7));
    p.setColor(QPalette::Base, QColor(0x28, 0x28, 0x2A));
    p.setColor(QPalette::AlternateBase, QColor(0x32, 0x32, 0x34));
    p.setColor(QPalette::Text, QColor(0xF5, 0xF5, 0xF7));
    p.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3C));
    p.setColor(QPalette::ButtonText, QColor(0xF5, 0xF5, 0xF7));
    p.setColor(QPalette::Mid, QColor(0x63, 0x63, 0x66));
    p.setColor(QPalette::Highlight, QColor(0x00, 0x58, 0xD0));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0xAB, 0xAB, 0xB0));
    p.setColor(QPalette::ToolTipBase, QColor(0x2C, 0x2C, 0x2E));
    p.setColor(QPalette::ToolTipText, QColor(0xF5, 0xF5, 0xF7));
    p.setColor(QPalette::Link, QColor(0x5A, 0xA9, 0xFF));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6E, 0x6E, 0x73));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x6E, 0x6E, 0x73));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6E, 0x6E, 0x73));
    return p;
}

void apply(bool dark)
{
    QApplication::setStyle(new FusionStyle);
    QApplication::setPalette(dark ? darkPalette() : lightPalette());
}

} // namespace velmora::Style
