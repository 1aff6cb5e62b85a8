#pragma once

#include <QColor>
#include <QPalette>

class QPainter;
class QRect;
class QWidget;

namespace forms {

// The contrast ratio of two colours as WCAG 2 defines it, from 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

// Text on a fixed background must reach this ratio (WCAG 2, level AA).
constexpr double kReadableContrast = 4.5;

// A focus mark must stand out from what lies around it by this ratio (WCAG
// 2, non-text contrast).
constexpr double kFocusContrast = 3.0;

// The colour of a focus mark on `background`: `preferred` (one of the
// system palette's) where it stands out there, else that colour darkened or
// lightened just enough.
QColor focusMarkOn(const QColor& background, const QColor& preferred);

// A focus ring two pixels wide along the inside of `area`.
void drawFocusRing(QPainter& painter, const QRect& area, const QColor& colour);

// Gives a widget that the toolkit draws (a message box's button) the same
// ring while it has the focus, over what the style draws, in a colour that
// stands out from the window around it.
void ringFocus(QWidget& widget);

// The colour to write text in on `background`: `preferred` (the system's)
// where it reads there, else black or white, whichever reads better.
QColor readableOn(const QColor& background, const QColor& preferred);

// Gives `widget` the fixed `background` in the palette role `backgroundRole`,
// and text in `textRole` that reads on it whatever the system palette: now,
// and again whenever the system palette changes (a switch to a dark theme).
void fixBackground(QWidget& widget, const QColor& background, QPalette::ColorRole backgroundRole,
                   QPalette::ColorRole textRole);

}  // namespace forms
