#include "ui/colour_contrast.h"

#include <algorithm>
#include <cmath>

namespace ventari {
namespace {

// One sRGB channel (0 .. 1) to linear light.
double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The luminance where white and black text have the same contrast.
constexpr double kMidLuminance = 0.179;
constexpr int kLighteningSteps = 20;

}  // namespace

double RelativeLuminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QColor& background) { return RelativeLuminance(background) < kMidLuminance; }

QColor LegibleOn(const QColor& text, const QColor& background) {
  if (!IsDark(background) || ContrastRatio(text, background) >= kLegibleContrast) return text;
  const QColor from = text.toRgb();
  QColor lighter = from;
  // White reads at 5.6 or more on any dark background, so the last step always reads.
  for (int step = 1; step <= kLighteningSteps; ++step) {
    const double t = double(step) / kLighteningSteps;
    lighter = QColor::fromRgbF(float(from.redF() + (1 - from.redF()) * t),
                               float(from.greenF() + (1 - from.greenF()) * t),
                               float(from.blueF() + (1 - from.blueF()) * t));
    if (ContrastRatio(lighter, background) >= kLegibleContrast) break;
  }
  return lighter;
}

}  // namespace ventari
