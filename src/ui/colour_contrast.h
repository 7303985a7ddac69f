// How well one colour reads on another (the relative luminance and contrast ratio of sRGB
// colours), and text colours chosen so that they read on a dark background too.
#pragma once

#include <QColor>

namespace ventari {

// The contrast text needs on its background: 4.5 to 1, as for body text.
inline constexpr double kLegibleContrast = 4.5;

// 0 for black .. 1 for white, as the eye weighs the three primaries.
double RelativeLuminance(const QColor& colour);
// 1 (the same luminance) .. 21 (black on white), whichever of the two is lighter.
double ContrastRatio(const QColor& a, const QColor& b);
// True when light text reads better on `background` than dark text does.
bool IsDark(const QColor& background);

// `text` as it is on a light background, or where it already reads; on a dark background it is
// lightened towards white until it reads at kLegibleContrast.
QColor LegibleOn(const QColor& text, const QColor& background);

}  // namespace ventari
