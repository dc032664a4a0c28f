#pragma once

#include "catalogue/CategoryTint.h"

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPalette>

class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

namespace velmora {

/// The look of the application: system colours by name, the text styles of the views, and the
/// light and dark palettes. Everything follows the application palette, so a switch between light
/// and dark redraws with the right colours.
namespace Style {

/// Whether the application palette is a dark one.
bool isDark();

/// The system colour of a tint, in the variant for the current appearance.
QColor tintColor(CategoryTint tint, bool dark = isDark());
/// The gradient form of a tint: a lighter top fading into the colour itself.
QLinearGradient tintGradient(CategoryTint tint, const QRectF &rect, bool dark = isDark());

QColor accent();
QColor orange();
QColor red();
QColor green();
/// The same tints as text: darker on light backgrounds and lighter on dark ones, so that an error,
/// a warning or a changed value reads as well as the text around it.
QColor redText();
QColor orangeText();
QColor greenText();
QColor accentText();
/// Text below the primary level (summaries, counts) and the level below that (placeholders).
QColor secondaryText();
QColor tertiaryText();
/// Window background levels: the row card and the search bar fill.
QColor secondaryBackground();
QColor tertiaryBackground();
QColor separator();

/// Text styles, relative to the application font.
QFont headline();
QFont subheadline();
QFont callout();
QFont caption();
QFont title2();
QFont title3();
QFont largeTitle();
QFont monospacedDigits(const QFont &base);

/// A thin horizontal separator line.
QFrame *divider(QWidget *parent);

/// The fill of a prominent button (a page's main action): a blue dark enough for its white text, in
/// light and dark alike.
QColor prominentFill();
QColor prominentText();
/// Makes `button` a prominent one: white text on the prominent fill, the same on every page.
void setProminent(QPushButton *button);
/// Gives `field` the rounded border of a text field.
void setRoundedBorder(QLineEdit *field);

/// Makes `widget` draw its text in `color`, through its palette so that the style draws it.
void setTextColor(QWidget *widget, const QColor &color);
/// Makes `widget` draw its text in a colour of the palette's secondary level.
void setSecondaryText(QWidget *widget);

/// The palettes the application uses under the Fusion style.
QPalette lightPalette();
QPalette darkPalette();
/// Installs Fusion with the palette for `dark`.
void apply(bool dark);

} // namespace Style

} // namespace velmora
