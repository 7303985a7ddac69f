// Contrast ratios of colours, and text colours that read on dark backgrounds while those on light
// ones stay as they were.
#include "ui/colour_contrast.h"

#include <gtest/gtest.h>

namespace ventari {
namespace {

TEST(ColourContrast, RatiosRunFromOneForEqualLuminanceToTwentyOneForBlackOnWhite) {
  struct Case {
    QColor a;
    QColor b;
    double ratio;
  };
  const Case cases[] = {{Qt::black, Qt::white, 21.0},
                        {Qt::white, Qt::black, 21.0},
                        {Qt::red, Qt::red, 1.0},
                        {QColor(0x76, 0x76, 0x76), Qt::white, 4.54},
                        {Qt::blue, Qt::black, 2.44}};
  for (const Case& c : cases) {
    EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << c.a.name().toStdString();
  }
}

TEST(ColourContrast, TextOnALightBackgroundKeepsItsColourAndOnADarkOneIsLightenedUntilItReads) {
  const QColor light(0xef, 0xef, 0xef);
  const QColor dark(0x35, 0x35, 0x35);
  EXPECT_FALSE(IsDark(light));
  EXPECT_TRUE(IsDark(dark));
  for (const QColor text : {QColor(Qt::red), QColor(Qt::blue), QColor(0, 128, 0),
                            QColor(0, 51, 120), QColor(Qt::yellow), QColor(Qt::black)}) {
    const std::string name = text.name().toStdString();
    EXPECT_EQ(LegibleOn(text, light), text) << name;
    const QColor onDark = LegibleOn(text, dark);
    EXPECT_GE(ContrastRatio(onDark, dark), kLegibleContrast) << name;
    if (ContrastRatio(text, dark) >= kLegibleContrast) {
      EXPECT_EQ(onDark, text) << name;
    } else {
      // Lighter, with the same hue where there is one.
      EXPECT_GT(RelativeLuminance(onDark), RelativeLuminance(text)) << name;
      if (text.hue() >= 0) {
        EXPECT_NEAR(onDark.hue(), text.hue(), 2) << name;
      }
    }
  }
}

}  // namespace
}  // namespace ventari
